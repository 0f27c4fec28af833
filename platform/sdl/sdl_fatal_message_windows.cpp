// The fatal message on Windows: a game started from Explorer or the Start
// menu has no console, so the line also goes into a message box that waits
// for the player.
#include "platform/platform.h"

#include <SDL.h>

#include <iostream>

namespace platform {

void ShowFatalMessage(const std::string& line) {
    std::cerr << line << '\n' << std::flush;
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, "Gulpkin", line.c_str(), nullptr);
}

}  // namespace platform
