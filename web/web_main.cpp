// The game in a web browser. Once the game has waited in the page, main's
// return goes back to no caller that could tell the page, so it tells the
// page itself that the game has ended.
#include "platform/sdl/sdl_page.h"
#include "shell/program_flow.h"

int main() {
    int code = RunGame();
    sdl::TellPageGameEnded(code);
    return code;
}
