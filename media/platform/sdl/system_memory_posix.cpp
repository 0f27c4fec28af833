// Free memory on Linux, from sysinfo(2).
#include "media/platform/sdl/system_memory.h"

#include <sys/sysinfo.h>

namespace sdl {

uint64_t FreeSystemMemory() {
    struct sysinfo info {};
    if (sysinfo(&info) != 0) return 0;
    return static_cast<uint64_t>(info.freeram) * info.mem_unit;
}

}  // namespace sdl
