// ImageMagick's convert on POSIX systems: the package's own program, ahead of
// anything else named convert on the path.
#include "tests/support/pictures.h"

#include <unistd.h>

std::string ConvertProgram() {
    for (const char* candidate : {"/usr/bin/convert-im6.q16", "/usr/bin/convert"}) {
        if (access(candidate, X_OK) == 0) return candidate;
    }
    return "";
}
