// The display on a desktop; see sdl_display_window.h. The full screen covers
// the whole display, in the game's own display mode when it switches one
// (sdl_display_mode.h), otherwise in the desktop's; Alt+Enter turns it into
// a window of the game's size on the desktop and back.
#include "platform/sdl/sdl_display_mode.h"
#include "platform/sdl/sdl_window_icon.h"

#include <chrono>
#include <thread>

namespace {

// the refresh rate the desktop runs at
int DesktopRefreshRate(const Display& d) {
    SDL_DisplayMode mode;
    if (SDL_GetCurrentDisplayMode(sdl::DisplayIndex(d), &mode) != 0) return 0;
    return mode.refresh_rate;
}

// whether the full screen switches the display to `hz`, and to which mode
bool SwitchedMode(const Display& d, int hz, SDL_DisplayMode& mode) {
    return hz > 0 && !d.choice.keepDesktopMode && sdl::FindModeAt(d, hz, mode);
}

// A full-screen window is made as large as the desktop from the start:
// without a window manager (a bare X server) nobody else would resize it.
SDL_Window* CreateGameWindow(const Display& d, const std::string& title) {
    if (d.choice.windowed) {
        return SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, d.width, d.height,
                                SDL_WINDOW_RESIZABLE);
    }
    SDL_Rect desktop{0, 0, d.width, d.height};
    SDL_GetDisplayBounds(sdl::DisplayIndex(d), &desktop);
    return SDL_CreateWindow(title.c_str(), desktop.x, desktop.y, desktop.w, desktop.h, SDL_WINDOW_FULLSCREEN_DESKTOP);
}

// Asked to follow the display (vsync), the output does where a renderer
// can; without a graphics card only the processor can show the frame, and
// the frame guard (EndFrame) paces it instead.
bool StartOutput(Display& d, bool vsync) {
    bool wholeMultiples = d.choice.scaling == platform::FrameScaling::WholeMultiples;
    d.output.wholeMultiples = wholeMultiples;
    if (StartFrameOutput(d.output, d.window, d.width, d.height, vsync)) return true;
    if (!vsync || d.window == nullptr) return false;
    StopFrameOutput(d.output);
    d.output.wholeMultiples = wholeMultiples;
    return StartFrameOutput(d.output, d.window, d.width, d.height, false);
}

bool OpenSwitched(Display& d, const std::string& title, const SDL_DisplayMode& mode) {
    d.window = SDL_CreateWindow(title.c_str(), 0, 0, mode.w, mode.h, 0);
    return d.window != nullptr && StartOutput(d, true) && sdl::EnterSwitchedFullScreen(d, mode);
}

void EnterFullScreen(Display& d) {
    SDL_DisplayMode mode;
    bool switches = SwitchedMode(d, d.wantedRate, mode);
    if (switches) sdl::RestoreDesktopModeOnCrash();  // the watcher reads the modes before the switch
    if (switches && sdl::EnterSwitchedFullScreen(d, mode)) {
        sdl::FollowDisplay(d, true);
        return;
    }
    SDL_Rect desktop{0, 0, d.width, d.height};
    SDL_GetDisplayBounds(sdl::DisplayIndex(d), &desktop);
    SDL_SetWindowResizable(d.window, SDL_FALSE);
    SDL_SetWindowPosition(d.window, desktop.x, desktop.y);
    SDL_SetWindowSize(d.window, desktop.w, desktop.h);
    SDL_SetWindowFullscreen(d.window, SDL_WINDOW_FULLSCREEN_DESKTOP);
    sdl::FollowDisplay(d, d.pacesFrames && DesktopRefreshRate(d) == d.refreshRate);
}

// The window is on the desktop, in the desktop's mode.
void LeaveFullScreen(Display& d) {
    SDL_SetWindowFullscreen(d.window, 0);
    sdl::FollowDisplay(d, d.pacesFrames && DesktopRefreshRate(d) == d.refreshRate);
    SDL_SetWindowSize(d.window, d.width, d.height);
    SDL_SetWindowPosition(d.window, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
    SDL_SetWindowResizable(d.window, SDL_TRUE);
}

// The frame guard rests until this close to a frame's release and watches
// the counter for the rest.
constexpr uint64_t kWatchedMicros = 300;

}  // namespace

namespace sdl {

bool OpenWindow(Display& d, const std::string& title, int refreshHz) {
    d.refreshRate = DesktopRefreshRate(d);
    SDL_DisplayMode mode;
    if (!d.choice.windowed && SwitchedMode(d, refreshHz, mode)) {
        RestoreDesktopModeOnCrash();
        if (!OpenSwitched(d, title, mode)) {
            d.problem = "the display did not switch to " + std::to_string(mode.w) + "x" + std::to_string(mode.h) +
                        " at " + std::to_string(refreshHz) + " Hz";
            return false;
        }
        d.refreshRate = refreshHz;
        SetGameIcon(d.window);
        return true;
    }
    if (refreshHz > 0 && d.refreshRate != refreshHz) {
        d.problem = "the display does not run at the rate asked for";
        return false;
    }
    d.window = CreateGameWindow(d, title);
    if (d.window == nullptr || !StartOutput(d, refreshHz > 0)) {
        d.problem = std::string("no window: ") + SDL_GetError();
        return false;
    }
    SetGameIcon(d.window);
    return true;
}

// The picture keeps its aspect ratio in both modes.
void ToggleFullScreen(Display& d) {
    if (d.window == nullptr) return;
    bool full = (SDL_GetWindowFlags(d.window) & SDL_WINDOW_FULLSCREEN) != 0;
    if (full) {
        LeaveFullScreen(d);
    } else {
        EnterFullScreen(d);
    }
    d.choice.windowed = full;
    if (d.listener != nullptr) d.listener(full);
}

// Opened at the rate the game asked for, the game leaves the pace to the
// display; but vsync may be ignored (by a driver, a compositor, a window on
// a desktop of another rate, no graphics card). The guard then holds the
// frames to at most one more a second than that rate, as the game's own
// limiter does, so that the game never runs faster; while vsync holds the
// rate it never waits. The release times follow each other at even steps,
// so that a late wake-up is made up by the next frame; after a frame later
// than one step they start again from it.
void EndFrame(Display& d, bool) {
    if (d.window == nullptr || !d.pacesFrames || d.refreshRate <= 0) return;
    uint64_t frequency = SDL_GetPerformanceFrequency();
    uint64_t interval = frequency / (static_cast<uint64_t>(d.refreshRate) + 1);
    uint64_t watched = frequency * kWatchedMicros / 1000000;
    uint64_t now = SDL_GetPerformanceCounter();
    uint64_t due = d.lastFrameEnd + interval;
    if (d.lastFrameEnd == 0 || now > due + interval) {
        d.lastFrameEnd = now;
        return;
    }
    while (now < due) {
        uint64_t left = due - now;
        if (left > watched) std::this_thread::sleep_for(std::chrono::microseconds((left - watched) * 1000000 / frequency));
        now = SDL_GetPerformanceCounter();
    }
    d.lastFrameEnd = due;
}

void WindowDestroyed() { EndCrashRescue(); }

}  // namespace sdl
