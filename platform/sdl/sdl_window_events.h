// Window state of the SDL backend, for the backend's own files. The display
// (sdl_display.cpp) takes window events off the queue inside PumpWindowEvents
// and keeps the focus and quit state here. Code that polls SDL events itself
// (an input reader) hands any window or quit event it takes to
// NoteWindowEvent, so that no focus change is lost.
#pragma once

#include <SDL.h>

namespace sdl {

// records a window or quit event (other events are ignored)
void NoteWindowEvent(const SDL_Event& event);
// true once the window system asked the program to close (e.g. Alt+F4)
bool QuitRequested();

}  // namespace sdl
