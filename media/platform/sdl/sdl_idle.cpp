// Resting while the frame limiter waits, on SDL. SDL_Delay counts whole
// milliseconds; the limiter wants to wake within a fraction of one, so this
// sleeps on the system's own timer.
#include "media/platform/platform.h"

#include <chrono>
#include <thread>

namespace platform {

void IdleMicros(uint32_t us) {
    std::this_thread::sleep_for(std::chrono::microseconds(us));
}

}  // namespace platform
