// The heap in use on Windows: the C runtime's heap, walked block by block.
#include "tests/support/heap_use.h"

#include <malloc.h>

size_t HeapInUse() {
    _HEAPINFO block{};
    size_t used = 0;
    while (_heapwalk(&block) == _HEAPOK) {
        if (block._useflag == _USEDENTRY) used += block._size;
    }
    return used;
}
