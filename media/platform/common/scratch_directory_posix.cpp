// The replay's scratch folder on Linux: $TMPDIR/gulpkin-replay-UID/, or under
// /tmp, readable by its owner only.
#include "media/platform/common/scratch_directory.h"

#include <cerrno>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

bool MakeScratchDirectory(std::string& directory) {
    const char* temp = std::getenv("TMPDIR");
    directory = std::string(temp != nullptr && *temp != '\0' ? temp : "/tmp") + "/gulpkin-replay-" +
                std::to_string(getuid()) + "/";
    return mkdir(directory.c_str(), 0700) == 0 || errno == EEXIST;
}

}  // namespace platform
