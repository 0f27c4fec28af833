// The window on SDL: a desktop full-screen window showing the 5:6:5 back
// buffer scaled to the display with its aspect ratio kept (black bars), on
// the graphics card or the processor (sdl_frame_output.h).
//
// Refresh rule: asked for a rate, the display runs at it (the frames are then
// paced by vsync) or opening fails, and the game falls back to the default
// rate with its own frame limiter. On a desktop the full screen switches the
// display's mode to that rate when it can (sdl_display_mode.h).
#include "platform/machine.h"
#include "platform/platform.h"
#include "platform/sdl/sdl_display_window.h"
#include "platform/sdl/sdl_library_messages.h"
#include "platform/sdl/sdl_window_chord.h"
#include "platform/sdl/sdl_window_events.h"

#include <SDL.h>

#include <cstdlib>

namespace {

// SDL keeps its hands off interrupt and termination signals: the program's
// own handlers turn them into the game's orderly end. Set before anything
// starts SDL (the keyboard opens before the display).
const bool signalsEndTheProgram = SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");

// SDL falls back to drivers that show nothing (off-screen, dummy) when there
// is no display server; for the game that is no display at all.
bool ShowsAnything() {
    const char* driver = SDL_GetCurrentVideoDriver();
    return driver != nullptr && SDL_strcmp(driver, "offscreen") != 0 && SDL_strcmp(driver, "dummy") != 0 &&
           SDL_strcmp(driver, "evdev") != 0;
}

// The availability check's hold on the video subsystem, and so on the
// display server's connection: an X server whose last client leaves resets
// itself, and the game's own open a moment later would land in that reset.
// Let go once the game's window is open.
bool probeHeld = false;

void LetGoOfProbe() {
    if (!probeHeld) return;
    probeHeld = false;
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

void DestroyAll(Display& d) {
    StopFrameOutput(d.output);
    if (d.window) SDL_DestroyWindow(d.window);
    sdl::WindowDestroyed();
    Display fresh;
    fresh.choice = d.choice;
    fresh.listener = d.listener;
    fresh.everOpened = d.everOpened;
    fresh.problem = d.problem;
    fresh.wantedRate = d.wantedRate;
    d = fresh;
}

}  // namespace

Display& TheDisplay() {
    static Display display;
    return display;
}

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
        d.showAgain = true;
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

// Started here and held until the window opens: the game opens its display
// much later, after loading everything, and would otherwise find out only
// then.
bool DisplayAvailable(std::string& problem) {
    sdl::LibraryMessagesHeldBack quiet;
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        problem = SDL_GetError();
        return false;
    }
    bool shows = ShowsAnything();
    if (!shows) problem = "no display server to show the game on";
    if (shows && !probeHeld) probeHeld = true;
    else SDL_QuitSubSystem(SDL_INIT_VIDEO);
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
    d.width = width;
    d.height = height;
    if (refreshHz > 0) d.wantedRate = refreshHz;
    if (!sdl::OpenWindow(d, title, refreshHz)) {
        DestroyAll(d);
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return false;
    }
    d.pacesFrames = refreshHz > 0;
    d.focus = true;
    d.everOpened = true;
    SDL_ShowCursor(SDL_DISABLE);
    ShowBlackWindow(d.output, d.window);
    LetGoOfProbe();
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
void machine::PresentPixels(const uint16_t* pixels, int width, int height, int pitch) {
    Display& d = TheDisplay();
    bool shows = d.window != nullptr && pixels != nullptr && width == d.width && height == d.height;
    if (shows) ShowFrame(d.output, d.window, pixels, width, height, pitch * static_cast<int>(sizeof(uint16_t)));
    if (shows) {
        d.lastPixels = pixels;
        d.lastPitch = pitch;
    }
    d.showAgain = false;
    sdl::EndFrame(d, shows);
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
    Display& d = TheDisplay();
    while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_KEYDOWN, SDL_KEYDOWN) > 0) {
        if (!IsAltEnter(event)) continue;
        sdl::ToggleFullScreen(d);
        d.showAgain = true;
    }
    // a game waiting for a key presents nothing: its last frame stays shown
    if (d.showAgain && d.window != nullptr && d.lastPixels != nullptr) {
        ShowFrame(d.output, d.window, d.lastPixels, d.width, d.height, d.lastPitch * static_cast<int>(sizeof(uint16_t)));
    }
    d.showAgain = false;
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
