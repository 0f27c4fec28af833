// The desktop's input events come straight from the window system.
#include "platform/sdl/sdl_event_pump.h"

#include <SDL.h>

void PumpInputEvents() { SDL_PumpEvents(); }
