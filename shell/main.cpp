// The game: takes no arguments and always exits with code 0.
#include "shell/program_flow.h"

int main() {
    return RunGame();
}
