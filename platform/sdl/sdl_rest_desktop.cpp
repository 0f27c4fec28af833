// Resting on the desktop. SDL_Delay counts whole milliseconds; the frame
// limiter wants to wake within a fraction of one, so its rests sleep on the
// system's own timer.
#include "platform/platform.h"

#include <SDL.h>

#include <chrono>
#include <thread>

namespace platform {

void SleepMs(uint32_t ms) { SDL_Delay(ms); }

void IdleMicros(uint32_t us) { std::this_thread::sleep_for(std::chrono::microseconds(us)); }

}  // namespace platform
