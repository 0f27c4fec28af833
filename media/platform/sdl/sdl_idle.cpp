// Resting while the frame limiter waits, on SDL. SDL_Delay counts whole
// milliseconds; the limiter wants to wake within a fraction of one, so this
// sleeps on the system's own timer.
//
// In a browser the rest hands control back to the page. Its timers count
// whole milliseconds and wake late on a busy machine, so a rest ends 3 ms
// early and the limiter watches the counter for the rest: yielding again
// that close to the release would let the browser's own work delay it.
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
    constexpr uint32_t kTimerSlackMicros = 3000;
    if (us >= kTimerSlackMicros + 1000) sdl::RestInPage((us - kTimerSlackMicros) / 1000);
}
#else
void IdleMicros(uint32_t us) {
    std::this_thread::sleep_for(std::chrono::microseconds(us));
}
#endif

}  // namespace platform
