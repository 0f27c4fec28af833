// The calls into the page; see sdl_page.h.
#ifdef __EMSCRIPTEN__

#include "media/platform/sdl/sdl_page.h"

#include <emscripten.h>

namespace {

// The page's promise settles on one of its own timers or messages, never by
// blocking.
EM_ASYNC_JS(void, WaitInPage, (double ms), { await Module.rest(ms); });

}  // namespace

namespace sdl {

void RestInPage(double ms) { WaitInPage(ms); }

void NoteFramePresented() {
    EM_ASM({ Module.framePresented(); });
}

}  // namespace sdl

#endif
