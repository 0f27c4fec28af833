// Recording and replaying a run of the program.
#include "shell/replay_session.h"

#include "core/game_state.h"
#include "platform/files/escaped_text.h"
#include "platform/platform.h"
#include "shell/program_flow.h"

#include <iostream>
#include <sstream>

// a recording's start level is checked against the game's last level
static_assert(journal::kHighestStartLevel == kLevels);

namespace {

// Whatever ends the program (Escape, the window closed, a signal), RunGame
// returns and the session is finished and its line printed once.
struct OpenSession {
    bool open = false;
    std::ostream* out = nullptr;
    std::ostream* errors = nullptr;
    int code = 0;
};

OpenSession current;

int FinishSession() {
    if (!current.open) return current.code;
    current.open = false;
    std::string error;
    bool finished = journal::Finish(error);
    SetDirectStart(0);
    journal::SetStopHandler(nullptr);
    if (!finished) {
        *current.errors << "gulpkin: " << Escaped(error) << "\n";
        current.code = 1;
    } else {
        *current.out << SessionSummaryLine() << "\n";
        current.out->flush();
        current.code = 0;
    }
    return current.code;
}

int RunSession(int startLevel, std::ostream& out, std::ostream& errors) {
    current = OpenSession{true, &out, &errors, 0};
    SetDirectStart(startLevel);
    RunGame();
    return FinishSession();
}

}  // namespace

std::string SessionSummaryLine() {
    std::ostringstream line;
    line << "{\"frames\":" << journal::Frames() << ",\"score\":" << game.score << ",\"level\":" << game.level
         << ",\"lives\":" << int(game.lives) << ",\"highScore\":" << game.highScore << ",\"frameHash\":\""
         << journal::LastFrameHashText() << "\"}";
    return line.str();
}

int RunGameRecorded(const std::string& path, int startLevel, std::ostream& out, std::ostream& errors) {
    // a signal from now on ends the game with its recording finished
    platform::SetEndHandler(EndProgram);
    std::string error;
    if (!journal::StartRecording(path, startLevel, error)) {
        errors << "gulpkin: " << Escaped(error) << "\n";
        return 1;
    }
    return RunSession(startLevel, out, errors);
}

int RunGameReplayed(const std::string& path, const journal::ReplayOptions& options, std::ostream& out,
                    std::ostream& errors) {
    std::string error;
    int startLevel = 0;
    if (!journal::StartReplay(path, options, startLevel, error)) {
        errors << "gulpkin: " << Escaped(error) << "\n";
        return 1;
    }
    journal::SetStopHandler(EndProgram);
    return RunSession(startLevel, out, errors);
}

int RunRecorded(const std::string& path) {
    return RunGameRecorded(path, 0, std::cout, std::cerr);
}

int RunReplay(const std::string& path) {
    journal::ReplayOptions options;
    options.pace = true;
    options.watchEscape = true;
    return RunGameReplayed(path, options, std::cout, std::cerr);
}
