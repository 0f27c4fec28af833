// Resting while the frame limiter waits, on SDL. SDL_Delay counts whole
// milliseconds; the limiter wants to wake within a fraction of one, so this
// sleeps on the system's own timer.
//
// In a browser the page paces the frames (sdl_page.h) and the limiter stays
// idle; a rest there would hand control back to the page.
#include "media/platform/platform.h"

#ifdef __EMSCRIPTEN__
#include "media/platform/sdl/sdl_page.h"
#else
#include <chrono>
#include <thread>
#endif

namespace platform {

#ifdef __EMSCRIPTEN__
void IdleMicros(uint32_t us) { sdl::RestInPage(us / 1000); }
#else
void IdleMicros(uint32_t us) {
    std::this_thread::sleep_for(std::chrono::microseconds(us));
}
#endif

}  // namespace platform
