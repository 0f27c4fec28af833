// The game. Without arguments it plays and exits with code 0; --record FILE
// and --replay FILE record the game or replay a recording (replay_session.h).
#include "shell/program_flow.h"
#include "shell/replay_session.h"

#include <string>

int main(int argc, char** argv) {
    std::string option = argc > 1 ? argv[1] : "";
    if (argc == 3 && option == "--record") return RunRecorded(argv[2]);
    if (argc == 3 && option == "--replay") return RunReplay(argv[2]);
    return RunGame();
}
