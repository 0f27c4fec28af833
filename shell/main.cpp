// The game: its command line, the player's settings, then the game itself.
#include "shell/command_line.h"

int main(int argc, char* argv[]) {
    return StartFromCommandLine(argc, argv);
}
