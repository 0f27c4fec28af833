// Finding and entering the full screen's own display mode; see
// sdl_display_mode.h.
#include "platform/sdl/sdl_display_mode.h"

namespace sdl {

int DisplayIndex(const Display& d) {
    int index = d.window != nullptr ? SDL_GetWindowDisplayIndex(d.window) : 0;
    return index < 0 ? 0 : index;
}

bool FindModeAt(const Display& d, int hz, SDL_DisplayMode& mode) {
    int display = DisplayIndex(d);
    SDL_DisplayMode desktop;
    if (SDL_GetDesktopDisplayMode(display, &desktop) != 0) return false;
    bool found = false;
    for (int i = 0, count = SDL_GetNumDisplayModes(display); i < count; ++i) {
        SDL_DisplayMode offered;
        if (SDL_GetDisplayMode(display, i, &offered) != 0 || offered.refresh_rate != hz) continue;
        if (offered.w == desktop.w && offered.h == desktop.h) {
            mode = offered;
            return true;
        }
        if (offered.w == d.width && offered.h == d.height && !found) {
            mode = offered;
            found = true;
        }
    }
    return found;
}

// The window covers the display from its top left corner at the mode's
// size first: without a window manager nobody else would place it.
bool EnterSwitchedFullScreen(Display& d, const SDL_DisplayMode& mode) {
    int display = DisplayIndex(d);
    SDL_Rect desktop{0, 0, mode.w, mode.h};
    SDL_GetDisplayBounds(display, &desktop);
    SDL_SetWindowResizable(d.window, SDL_FALSE);
    SDL_SetWindowPosition(d.window, desktop.x, desktop.y);
    SDL_SetWindowSize(d.window, mode.w, mode.h);
    if (SDL_SetWindowDisplayMode(d.window, &mode) != 0) return false;
    if (SDL_SetWindowFullscreen(d.window, SDL_WINDOW_FULLSCREEN) != 0) return false;
    SDL_DisplayMode now;
    if (SDL_GetCurrentDisplayMode(display, &now) != 0) return false;
    return now.w == mode.w && now.h == mode.h && now.refresh_rate == mode.refresh_rate;
}

void FollowDisplay(Display& d, bool follow) {
    if (d.output.renderer != nullptr) SDL_RenderSetVSync(d.output.renderer, follow ? 1 : 0);
}

}  // namespace sdl
