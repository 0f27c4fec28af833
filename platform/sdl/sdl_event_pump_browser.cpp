// In a browser the keys come while the page has control; see sdl_event_pump.h.
#include "platform/sdl/sdl_event_pump.h"
#include "platform/sdl/sdl_page.h"

#include <SDL.h>

void PumpInputEvents() {
    sdl::LetPageRunIfOverdue();
    SDL_PumpEvents();
}
