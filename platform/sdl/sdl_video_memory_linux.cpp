// Free memory for images on the desktop. SDL has no figure for display
// memory; the game's images live in system memory, so what is free there is
// what is left for them: the free memory the kernel reports (sysinfo's
// freeram). The screen service asks only while its screen is open.
#include "platform/machine.h"

#include <sys/sysinfo.h>

namespace platform {

uint64_t machine::FreeVideoBytes() {
    struct sysinfo info {};
    if (sysinfo(&info) != 0) return 0;
    return static_cast<uint64_t>(info.freeram) * info.mem_unit;
}

}  // namespace platform
