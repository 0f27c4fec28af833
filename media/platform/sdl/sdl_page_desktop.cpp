// On the desktop no page surrounds the game: a written file is where the
// player finds it (see sdl_page_browser.cpp for the browser's page).
#include "media/platform/common/file_written.h"

namespace platform {

void TellFileWritten(const std::string&) {}

}  // namespace platform
