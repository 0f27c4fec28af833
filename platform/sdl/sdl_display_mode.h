// The desktop's display modes for the full screen. Asked for a refresh rate
// the desktop does not run at, the full screen switches the display's mode:
// to that rate at the desktop's own resolution when the display offers it
// (only the refresh changes), else at the frame's own size, shown 1:1. SDL
// gives the desktop its mode back whenever the window leaves the full screen
// (Alt+Enter), is minimised (the focus went to another program) or is
// destroyed (every orderly exit), and switches again when the window comes
// back; a crash gets it back through RestoreDesktopModeOnCrash.
#pragma once

#include "platform/sdl/sdl_crash_rescue.h"
#include "platform/sdl/sdl_display_window.h"

namespace sdl {

// the display d.window is on (the first display before there is a window)
int DisplayIndex(const Display& d);
// A mode of d's display at `hz`: the desktop's size preferred, else the
// frame's size; false when the display offers neither.
bool FindModeAt(const Display& d, int hz, SDL_DisplayMode& mode);
// Puts d.window full screen in `mode`; true once the display runs in it.
bool EnterSwitchedFullScreen(Display& d, const SDL_DisplayMode& mode);
// Follows the display with vsync while the full screen runs at the paced
// rate, and not in a window on a desktop of another rate.
void FollowDisplay(Display& d, bool follow);

}  // namespace sdl
