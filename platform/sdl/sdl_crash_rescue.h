// Giving the desktop its display mode back when the game dies in a switched
// full screen (sdl_display_mode.h). Where the system does not do it itself
// (Linux), a watcher process does; the variant files hold each system's way.
#pragma once

namespace sdl {

// From now on, until EndCrashRescue, the desktop gets its mode back however
// the program ends (a crash signal, SIGKILL), while the signal ends the
// program as it would have. Called on the game thread before the mode
// switches; harmless when called again.
void RestoreDesktopModeOnCrash();
// the display closed in order with the desktop's mode back: the watcher leaves
void EndCrashRescue();

}  // namespace sdl
