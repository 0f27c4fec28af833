// The folder a replay writes its files to (a best score, a capture), never
// the player's own: a per-user folder of the system's temporary place. The
// variant file of each system makes it.
#pragma once

#include <string>

namespace platform {

// makes the folder when missing and sets `directory` to it, UTF-8 with a
// trailing separator; false (with `directory` naming it) when it cannot be made
bool MakeScratchDirectory(std::string& directory);

}  // namespace platform
