// On the desktop no page surrounds the game: a written file is where the
// player finds it, and no page offers controls for a screen (see
// sdl_page_browser.cpp for the browser's page).
#include "platform/files/file_written.h"
#include "platform/platform.h"

namespace platform {

void TellFileWritten(const std::string&) {}

void ShowingScreen(ShownScreen) {}

}  // namespace platform
