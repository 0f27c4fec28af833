// How much of the C heap is in use, for tests that watch memory stay flat:
// the POSIX and Windows variants are heap_use_posix.cpp and heap_use_windows.cpp.
#pragma once

#include <cstddef>

// bytes of the heap's blocks now allocated
size_t HeapInUse();
