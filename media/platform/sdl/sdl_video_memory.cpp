// Free memory for images on SDL. SDL has no figure for display memory; the
// game's images live in system memory, so what is free there is what is
// left for them: the free memory the kernel reports (sysinfo's freeram),
// and in a browser what the page's memory may still grow by. The screen
// service asks only while its screen is open.
#include "media/platform/machine.h"

#ifdef __EMSCRIPTEN__
#include <emscripten/heap.h>
#else
#include <sys/sysinfo.h>
#endif

namespace platform {

uint64_t machine::FreeVideoBytes() {
#ifdef __EMSCRIPTEN__
    return emscripten_get_heap_max() - emscripten_get_heap_size();
#else
    struct sysinfo info {};
    if (sysinfo(&info) != 0) return 0;
    return static_cast<uint64_t>(info.freeram) * info.mem_unit;
#endif
}

}  // namespace platform
