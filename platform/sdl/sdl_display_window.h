// The display's state, shared by the display files of the SDL backend. The
// shared part (sdl_display.cpp) opens, pumps and presents; how the window is
// made, switched and paced differs between the desktop
// (sdl_display_desktop.cpp) and the browser page (sdl_display_browser.cpp), and
// the build takes one of the two.
#pragma once

#include "platform/platform.h"
#include "platform/sdl/sdl_frame_output.h"

#include <SDL.h>

#include <string>

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
    bool pacesFrames = false;  // opened at the rate the game asked for
    int wantedRate = 0;        // the last rate the game asked for; kept when the display closes
    uint64_t lastFrameEnd = 0;  // the frame guard's last release (performance counter)
    // the last frame shown (the game's own pixels, readable until the next
    // present), shown again when the window changes between two presents
    const uint16_t* lastPixels = nullptr;
    int lastPitch = 0;
    bool showAgain = false;
};

// the one display of the program
Display& TheDisplay();

namespace sdl {

// Makes the window and its frame output for a frame of d.width x d.height,
// as OpenDisplay describes, and sets d.refreshRate; on failure sets
// d.problem and may leave parts made (the caller destroys them).
bool OpenWindow(Display& d, const std::string& title, int refreshHz);
// Alt+Enter: between the full screen and a window of the game's own size
void ToggleFullScreen(Display& d);
// after a frame went to the window (`shown`) or was skipped
void EndFrame(Display& d, bool shown);
// after the window was destroyed, the desktop's mode back
void WindowDestroyed();

}  // namespace sdl
