// Where the text face (DejaVu Sans Bold) is: the system's shared copy on
// Linux and in the browser's file system, a copy shipped beside the game on
// Windows. The variant file of each system answers.
#pragma once

#include <string>

namespace platform {

// the path to open the text face from, UTF-8
std::string TextFacePath();

}  // namespace platform
