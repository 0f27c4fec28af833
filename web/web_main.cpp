// The game in a web browser. Once the game has waited in the page, main's
// return goes back to no caller that could tell the page; exit() does (the
// page then says that the game has ended).
#include "shell/program_flow.h"

#include <cstdlib>

int main() {
    std::exit(RunGame());
}
