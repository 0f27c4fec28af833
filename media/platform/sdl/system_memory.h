// The free system memory, which SDL has no call for; the variant file of each
// system answers.
#pragma once

#include <cstdint>

namespace sdl {

// bytes of memory still free for the game's images, 0 when unknown
uint64_t FreeSystemMemory();

}  // namespace sdl
