// Free memory for images in a browser: the game's images live in the page's
// memory, so what is left for them is what that memory may still grow by.
#include "platform/machine.h"

#include <emscripten/heap.h>

namespace platform {

uint64_t machine::FreeVideoBytes() { return emscripten_get_heap_max() - emscripten_get_heap_size(); }

}  // namespace platform
