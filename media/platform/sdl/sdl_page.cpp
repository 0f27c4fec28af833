// The calls into the page; see sdl_page.h.
#ifdef __EMSCRIPTEN__

#include "media/platform/sdl/sdl_page.h"

#include <emscripten.h>

namespace {

struct PageClock {
    double lastClockRead = 0;  // ms, the page's clock
};

PageClock& TheClock() {
    static PageClock clock;
    return clock;
}

// The page's promise settles on one of its own timers or messages, never by
// blocking.
EM_ASYNC_JS(void, WaitInPage, (double ms), { await Module.rest(ms); });

}  // namespace

namespace sdl {

void RestInPage(double ms) { WaitInPage(ms); }

void NoteFrameClockRead() { TheClock().lastClockRead = emscripten_get_now(); }

void NoteFramePresented() {
    double work = emscripten_get_now() - TheClock().lastClockRead;
    EM_ASM({ Module.framePresented($0); }, work);
}

}  // namespace sdl

#endif
