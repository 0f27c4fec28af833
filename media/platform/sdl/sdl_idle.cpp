// Resting while the frame limiter waits, on SDL. SDL_Delay counts whole
// milliseconds; the limiter wants to wake within a fraction of one, so this
// sleeps on the system's own timer.
//
// In a browser the rest hands control back to the page. Its timers count
// whole milliseconds and often wake one late, so a long rest ends 1.5 ms
// early, and a short one only lets the browser run its pending events: the
// limiter calls again until its own margin is left.
#include "media/platform/platform.h"

#ifdef __EMSCRIPTEN__
#include "media/platform/sdl/sdl_page.h"
#else
#include <chrono>
#include <thread>
#endif

namespace platform {

#ifdef __EMSCRIPTEN__
void IdleMicros(uint32_t us) {
    constexpr uint32_t kTimerSlackMicros = 1500;
    sdl::RestInPage(us > kTimerSlackMicros + 1000 ? (us - kTimerSlackMicros) / 1000 : 0);
}
#else
void IdleMicros(uint32_t us) {
    std::this_thread::sleep_for(std::chrono::microseconds(us));
}
#endif

}  // namespace platform
