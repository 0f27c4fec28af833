// Free memory for images on SDL under Windows. SDL has no figure for display
// memory; the game's images live in system memory, so what is free there is
// what is left for them: the physical memory still available. The screen
// service asks only while its screen is open.
#include "platform/machine.h"

#include <windows.h>

namespace platform {

uint64_t machine::FreeVideoBytes() {
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    return GlobalMemoryStatusEx(&status) ? status.ullAvailPhys : 0;
}

}  // namespace platform
