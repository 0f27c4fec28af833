// Free memory on Windows: the physical memory still available.
#include "media/platform/sdl/system_memory.h"

#include <windows.h>

namespace sdl {

uint64_t FreeSystemMemory() {
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    return GlobalMemoryStatusEx(&status) ? status.ullAvailPhys : 0;
}

}  // namespace sdl
