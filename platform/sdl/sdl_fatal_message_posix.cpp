// The fatal message where a game is started from a terminal or a desktop
// that keeps its output (Linux), or from a page that shows the console: one
// line on stderr.
#include "platform/platform.h"

#include <iostream>

namespace platform {

void ShowFatalMessage(const std::string& line) {
    std::cerr << line << '\n';
}

}  // namespace platform
