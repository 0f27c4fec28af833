// The game's window counts in device pixels on every monitor, whatever the
// display scaling: SDL declares the process aware of each monitor's scale
// when its video starts, as the program's manifest already does, so that
// Windows never stretches (and blurs) the frame. Set before anything starts
// SDL.
#include <SDL.h>

namespace {

const bool devicePixels = SDL_SetHint(SDL_HINT_WINDOWS_DPI_AWARENESS, "permonitorv2");

}  // namespace
