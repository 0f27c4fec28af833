// How the shared file code tells the backend that one of the game's files
// was written. Each backend defines it: in a web browser the page keeps the
// file in the browser's storage or offers a capture as a download
// (sdl_page_browser.cpp); on the desktop and headless nothing is to be done.
#pragma once

#include <string>

namespace platform {

// `hostPath` has just been written completely
void TellFileWritten(const std::string& hostPath);

}  // namespace platform
