// Holding back the display libraries' own lines; see sdl_library_messages.h.
#include "platform/sdl/sdl_library_messages.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace sdl {

LibraryMessagesHeldBack::LibraryMessagesHeldBack() {
    const char* wanted = std::getenv("GULPKIN_LIBRARY_MESSAGES");
    if (wanted != nullptr && std::strcmp(wanted, "1") == 0) return;
    int nowhere = open("/dev/null", O_WRONLY);
    if (nowhere < 0) return;
    std::fflush(stderr);
    savedStderr_ = dup(STDERR_FILENO);
    if (savedStderr_ >= 0 && dup2(nowhere, STDERR_FILENO) < 0) {
        close(savedStderr_);
        savedStderr_ = -1;
    }
    close(nowhere);
}

LibraryMessagesHeldBack::~LibraryMessagesHeldBack() {
    if (savedStderr_ < 0) return;
    std::fflush(stderr);
    dup2(savedStderr_, STDERR_FILENO);
    close(savedStderr_);
}

}  // namespace sdl
