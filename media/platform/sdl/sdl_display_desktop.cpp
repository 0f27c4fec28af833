// The display on a desktop; see sdl_display_window.h. The full screen covers
// the whole desktop; Alt+Enter turns it into a window of the game's size and
// back.
#include "media/platform/sdl/sdl_display_window.h"

namespace {

// A full-screen window is made as large as the desktop from the start:
// without a window manager (a bare X server) nobody else would resize it.
SDL_Window* CreateGameWindow(const Display& d, const std::string& title) {
    if (d.choice.windowed) {
        return SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, d.width, d.height,
                                SDL_WINDOW_RESIZABLE);
    }
    SDL_Rect desktop{0, 0, d.width, d.height};
    SDL_GetDisplayBounds(0, &desktop);
    return SDL_CreateWindow(title.c_str(), desktop.x, desktop.y, desktop.w, desktop.h, SDL_WINDOW_FULLSCREEN_DESKTOP);
}

}  // namespace

namespace sdl {

int CurrentRefreshRate() {
    SDL_DisplayMode mode;
    if (SDL_GetCurrentDisplayMode(0, &mode) != 0) return 0;
    return mode.refresh_rate;
}

bool CreateWindowAndOutput(Display& d, const std::string& title, bool vsync) {
    d.window = CreateGameWindow(d, title);
    if (d.window == nullptr) return false;
    d.output.wholeMultiples = d.choice.scaling == platform::FrameScaling::WholeMultiples;
    return StartFrameOutput(d.output, d.window, d.width, d.height, vsync);
}

// The picture keeps its aspect ratio in both modes.
void ToggleFullScreen(Display& d) {
    if (d.window == nullptr) return;
    bool full = (SDL_GetWindowFlags(d.window) & SDL_WINDOW_FULLSCREEN_DESKTOP) == SDL_WINDOW_FULLSCREEN_DESKTOP;
    if (full) {
        SDL_SetWindowFullscreen(d.window, 0);
        SDL_SetWindowSize(d.window, d.width, d.height);
        SDL_SetWindowPosition(d.window, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
        SDL_SetWindowResizable(d.window, SDL_TRUE);
    } else {
        // covers the desktop itself first: without a window manager nobody
        // else would make the window as large as the screen
        SDL_Rect desktop{0, 0, d.width, d.height};
        SDL_GetDisplayBounds(SDL_GetWindowDisplayIndex(d.window), &desktop);
        SDL_SetWindowResizable(d.window, SDL_FALSE);
        SDL_SetWindowPosition(d.window, desktop.x, desktop.y);
        SDL_SetWindowSize(d.window, desktop.w, desktop.h);
        SDL_SetWindowFullscreen(d.window, SDL_WINDOW_FULLSCREEN_DESKTOP);
    }
    d.choice.windowed = full;
    if (d.listener != nullptr) d.listener(full);
}

void EndFrame(const Display&, bool) {}

}  // namespace sdl
