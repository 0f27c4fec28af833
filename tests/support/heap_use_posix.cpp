// The heap in use on glibc, from its own account.
#include "tests/support/heap_use.h"

#include <malloc.h>

size_t HeapInUse() {
    return mallinfo2().uordblks;
}
