// Resting while the frame limiter waits, on SDL.
#include "media/platform/platform.h"

#include <SDL.h>

namespace platform {

void IdleMs(uint32_t ms) {
    SDL_Delay(ms);
}

}  // namespace platform
