// The display in a browser page; see sdl_display_window.h. The window is the
// page's canvas, exactly the frame's size; the page scales it to the browser
// window, puts it full screen with its own button and paces the frames
// (sdl_page.h).
#include "platform/sdl/sdl_display_window.h"
#include "platform/sdl/sdl_page.h"

namespace {

// The game hands control back to the page in its own waits, not inside
// every update of the canvas.
const bool pageWaitsAreOurs = SDL_SetHint(SDL_HINT_EMSCRIPTEN_ASYNCIFY, "0");

}  // namespace

namespace sdl {

// The page paces the canvas at its own rate; no other can be asked for.
bool OpenWindow(Display& d, const std::string& title, int refreshHz) {
    if (refreshHz > 0 && refreshHz != kPageFramesPerSecond) {
        d.problem = "the display does not run at the rate asked for";
        return false;
    }
    d.window = SDL_CreateWindow(title.c_str(), 0, 0, d.width, d.height, 0);
    if (d.window == nullptr || !StartFrameOutput(d.output, d.window, d.width, d.height, false)) {
        d.problem = std::string("no window: ") + SDL_GetError();
        return false;
    }
    d.refreshRate = kPageFramesPerSecond;
    return true;
}

void ToggleFullScreen(Display&) {}
void WindowDestroyed() {}

// Every frame, shown or skipped, waits for the page's next frame time, as a
// display's vsync would.
void EndFrame(Display& d, bool shown) {
    if (d.window != nullptr) EndFrameInPage(shown);
}

}  // namespace sdl
