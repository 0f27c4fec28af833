// The game in a web browser. Once the game has waited in the page, main's
// return goes back to no caller that could tell the page, so it tells the
// page itself that the game has ended.
#include "shell/program_flow.h"

#include <emscripten.h>

int main() {
    int code = RunGame();
    EM_ASM({ Module.gameEnded($0); }, code);
    return code;
}
