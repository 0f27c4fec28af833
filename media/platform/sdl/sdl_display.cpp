// The window on SDL: a desktop full-screen window showing the 5:6:5 back
// buffer scaled to the display with its aspect ratio kept (black bars), on
// the graphics card or the processor (sdl_frame_output.h).
//
// Refresh rule: asked for a rate, the display must already run at it (the
// frames are then paced by vsync); otherwise opening fails and the game falls
// back to the default rate with its own frame limiter.
#include "media/platform/machine.h"
#include "media/platform/platform.h"
#include "media/platform/sdl/sdl_frame_output.h"
#include "media/platform/sdl/sdl_library_messages.h"
#include "media/platform/sdl/sdl_window_events.h"

#include <SDL.h>

#include <cstdlib>

#ifdef __EMSCRIPTEN__
#include "media/platform/sdl/sdl_page.h"
#endif

namespace {

struct Display {
    SDL_Window* window = nullptr;
    FrameOutput output;
    int width = 0, height = 0;
    int refreshRate = 0;
    bool focus = false;
    bool quit = false;
    platform::DisplayChoice choice;  // kept when the display closes
    platform::WindowModeListener listener = nullptr;
    bool everOpened = false;
    std::string problem;  // why the last opening failed
};

// Interrupt and termination signals end the program as usual instead of
// becoming a quit event that the game never reads. Set before anything starts
// SDL (the keyboard opens before the display).
const bool signalsEndTheProgram = SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
#ifdef __EMSCRIPTEN__
// In a browser the game hands control back to the page in its own waits
// (sdl_page.h), not inside every update of the canvas.
const bool pageWaitsAreOurs = SDL_SetHint(SDL_HINT_EMSCRIPTEN_ASYNCIFY, "0");
#endif

Display& TheDisplay() {
    static Display display;
    return display;
}

// SDL falls back to drivers that show nothing (off-screen, dummy) when there
// is no display server; for the game that is no display at all.
bool ShowsAnything() {
    const char* driver = SDL_GetCurrentVideoDriver();
    return driver != nullptr && SDL_strcmp(driver, "offscreen") != 0 && SDL_strcmp(driver, "dummy") != 0 &&
           SDL_strcmp(driver, "evdev") != 0;
}

// the current refresh rate of the display the window would open on
int CurrentRefreshRate() {
#ifdef __EMSCRIPTEN__
    return sdl::kPageFramesPerSecond;  // the page paces the canvas
#else
    SDL_DisplayMode mode;
    if (SDL_GetCurrentDisplayMode(0, &mode) != 0) return 0;
    return mode.refresh_rate;
#endif
}

#ifndef __EMSCRIPTEN__
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
#endif

bool CreateWindowAndOutput(Display& d, const std::string& title, bool vsync) {
#ifdef __EMSCRIPTEN__
    // In a browser the window is the page's canvas: exactly the frame's size,
    // scaled to the browser window and put full screen by the page itself.
    // The page paces the frames itself (sdl_page.h), not SDL.
    (void)vsync;
    d.window = SDL_CreateWindow(title.c_str(), 0, 0, d.width, d.height, 0);
    return d.window != nullptr && StartFrameOutput(d.output, d.window, d.width, d.height, false);
#else
    d.window = CreateGameWindow(d, title);
    if (d.window == nullptr) return false;
    d.output.wholeMultiples = d.choice.scaling == platform::FrameScaling::WholeMultiples;
    return StartFrameOutput(d.output, d.window, d.width, d.height, vsync);
#endif
}

bool IsAltEnter(const SDL_Event& event) {
    const SDL_KeyboardEvent& key = event.key;
    return key.repeat == 0 && (key.keysym.sym == SDLK_RETURN || key.keysym.sym == SDLK_KP_ENTER) &&
           (key.keysym.mod & KMOD_ALT) != 0;
}

// Alt+Enter: between the desktop-sized full screen and a window of the
// game's own size; the picture keeps its aspect ratio in both.
void ToggleFullScreen(Display& d) {
#ifdef __EMSCRIPTEN__
    (void)d;  // the page's own button does it in a browser
#else
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
#endif
}

void DestroyAll(Display& d) {
    StopFrameOutput(d.output);
    if (d.window) SDL_DestroyWindow(d.window);
    Display fresh;
    fresh.choice = d.choice;
    fresh.listener = d.listener;
    fresh.everOpened = d.everOpened;
    fresh.problem = d.problem;
    d = fresh;
}

}  // namespace

namespace sdl {

void NoteWindowEvent(const SDL_Event& event) {
    Display& d = TheDisplay();
    if (event.type == SDL_QUIT) d.quit = true;
    if (event.type != SDL_WINDOWEVENT || d.window == nullptr) return;
    if (event.window.windowID != SDL_GetWindowID(d.window)) return;
    if (event.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) d.focus = true;
    if (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST) d.focus = false;
    if (event.window.event == SDL_WINDOWEVENT_EXPOSED || event.window.event == SDL_WINDOWEVENT_SHOWN ||
        event.window.event == SDL_WINDOWEVENT_RESTORED || event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) {
        ShowWholeFrameNext(d.output);
    }
}

bool QuitRequested() {
    return TheDisplay().quit;
}

}  // namespace sdl

namespace platform {

void ChooseDisplay(const DisplayChoice& choice) {
    TheDisplay().choice = choice;
}

void ListenToWindowMode(WindowModeListener listener) {
    TheDisplay().listener = listener;
}

// Started and stopped again: the game opens its display much later, after
// loading everything, and would otherwise find out only then.
bool DisplayAvailable(std::string& problem) {
    sdl::LibraryMessagesHeldBack quiet;
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        problem = SDL_GetError();
        return false;
    }
    bool shows = ShowsAnything();
    if (!shows) problem = "no display server to show the game on";
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    return shows;
}

bool DisplayWasOpened(std::string& problem) {
    problem = TheDisplay().problem;
    return TheDisplay().everOpened;
}

bool machine::OpenDisplay(int width, int height, int refreshHz, const std::string& title) {
    CloseDisplay();
    Display& d = TheDisplay();
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {  // no video device at all
        d.problem = SDL_GetError();
        return false;
    }
    if (!ShowsAnything()) {
        d.problem = "no display server to show the game on";
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return false;
    }
    int rate = CurrentRefreshRate();
    d.width = width;
    d.height = height;
    if ((refreshHz > 0 && rate != refreshHz) || !CreateWindowAndOutput(d, title, refreshHz > 0)) {
        d.problem = refreshHz > 0 && rate != refreshHz ? "the display does not run at the rate asked for"
                                                       : std::string("no window: ") + SDL_GetError();
        DestroyAll(d);
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return false;
    }
    d.refreshRate = rate;
    d.focus = true;
    d.everOpened = true;
    SDL_ShowCursor(SDL_DISABLE);
    ShowBlackWindow(d.output, d.window);
    return true;
}

void machine::CloseDisplay() {
    Display& d = TheDisplay();
    if (d.window == nullptr) return;
    SDL_ShowCursor(SDL_ENABLE);
    DestroyAll(d);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

int machine::DisplayRefreshRate() {
    return TheDisplay().window ? TheDisplay().refreshRate : 0;
}

// A skipped frame (no pixels) leaves the screen as it is.
// In a browser every frame, shown or skipped, then waits for the page's next
// frame time, as a display's vsync would.
void machine::PresentPixels(const uint16_t* pixels, int width, int height, int pitch) {
    Display& d = TheDisplay();
    bool shows = d.window != nullptr && pixels != nullptr && width == d.width && height == d.height;
    if (shows) ShowFrame(d.output, d.window, pixels, width, height, pitch * static_cast<int>(sizeof(uint16_t)));
#ifdef __EMSCRIPTEN__
    if (d.window != nullptr) sdl::EndFrameInPage(shows);
#endif
}

// Takes the window and application events off the queue. The input reader
// reads the keys from SDL's key state, so key and text events are only
// looked at for Alt+Enter and then dropped, like the pointer events nobody
// reads, so that the queue never fills and a window event is never lost.
// A request to close the window (possible once it is a window) is handed on
// as a request to end the program, which the seam turns into the game's own
// orderly end.
void machine::PumpWindowEvents() {
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0) return;
    SDL_PumpEvents();
    SDL_Event event;
    while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_SYSWMEVENT) > 0) sdl::NoteWindowEvent(event);
    while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_KEYDOWN, SDL_KEYDOWN) > 0) {
        if (IsAltEnter(event)) ToggleFullScreen(TheDisplay());
    }
    SDL_FlushEvents(SDL_KEYUP, 0x3FF);  // the rest of the keyboard and text events
    SDL_FlushEvents(SDL_MOUSEMOTION, SDL_MOUSEWHEEL);
    SDL_FlushEvents(SDL_FINGERDOWN, SDL_MULTIGESTURE);
    SDL_FlushEvents(SDL_JOYAXISMOTION, SDL_CONTROLLERSENSORUPDATE);  // pads are read from their state
    if (sdl::QuitRequested()) machine::RequestEnd();
}

bool machine::WindowHasFocus() {
    return TheDisplay().window != nullptr && TheDisplay().focus;
}

}  // namespace platform
