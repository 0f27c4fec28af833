// How much of the C heap is in use, for tests that watch memory stay flat:
// the POSIX and Windows variants lie in posix/ and windows/.
#pragma once

#include <cstddef>

// bytes of the heap's blocks now allocated
size_t HeapInUse();
