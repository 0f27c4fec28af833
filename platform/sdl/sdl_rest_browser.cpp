// Resting in a web browser: every pause hands control back to the page for
// its length (sdl_page.h), so that the browser shows the canvas, delivers
// keys and plays sound meanwhile. The page paces the frames itself, so the
// frame limiter's rests stay short and rare.
#include "platform/platform.h"
#include "platform/sdl/sdl_page.h"

namespace platform {

void SleepMs(uint32_t ms) { sdl::RestInPage(ms); }

void IdleMicros(uint32_t us) { sdl::RestInPage(us / 1000); }

}  // namespace platform
