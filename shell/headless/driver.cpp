// The headless driver: wires the script's commands to the game.
#include "shell/headless/driver.h"

#include "core/game_state.h"
#include "media/capture.h"
#include "media/platform/headless/headless.h"
#include "media/platform/machine.h"
#include "media/platform/platform.h"
#include "shell/program_flow.h"
#include "shell/replay_session.h"
#include "shell/state_dump.h"

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>

namespace {

// Every dot and energizer left counts as eaten, without score, so that the
// next frame's level check ends the level.
void ClearBoard() {
    for (int i = 1; i <= kDotCount; ++i) {
        if (game.dotX[i] != -1050) {
            game.dotX[i] = -1050;
            ++game.eatenCount;
        }
    }
    for (int k = 1; k <= kEnergizerCount; ++k) {
        if (game.energizerX[k] != -100) {
            game.energizerX[k] = -100;
            ++game.eatenCount;
        }
    }
}

void SaveShot(const headless::Command& command, std::ostream& errors) {
    const std::vector<uint16_t>& frame = headless::LastFrame();
    if (command.args.empty() || frame.empty()) return;
    int width = headless::LastFrameWidth();
    if (!SavePixelsBitmap(frame.data(), width, headless::LastFrameHeight(), width, command.args[0])) {
        errors << "shot: could not write " << command.args[0] << "\n";
    }
}

void Handle(const HeadlessRun& run, const headless::Command& command, std::ostream& out, std::ostream& errors) {
    if (command.verb == "dump") {
        // the driver's own look at the clock: no answer to the game, so never recorded
        out << DumpGameState(headless::PresentedFrames(), static_cast<int32_t>(platform::machine::TickCount())) << "\n";
        out.flush();
    } else if (command.verb == "shot") {
        SaveShot(command, errors);
    } else if (command.verb == "clear") {
        ClearBoard();
    } else if (command.verb == "quit") {
        EndProgram();
    } else if (command.verb == "call" && !command.args.empty()) {
        auto hook = run.calls.find(command.args[0]);
        if (hook != run.calls.end()) hook->second();
    }
}

bool ReadText(const std::string& path, std::string& text) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return false;
    std::ostringstream buffer;
    buffer << file.rdbuf();
    text = buffer.str();
    return true;
}

void Usage(std::ostream& errors) {
    errors << "usage: gulpkin-headless [--script FILE] [--max-frames N] [--start-tick T] [--joystick] [--level N]"
              " [--audio FILE.wav] [--record FILE | --replay FILE]\n";
}

// The run as it is, recorded, or replayed from a recording (as fast as it goes).
int RunJournaled(const HeadlessRun& run, std::ostream& out, std::ostream& errors) {
    if (!run.replayPath.empty()) return RunGameReplayed(run.replayPath, journal::ReplayOptions{}, out, errors);
    if (!run.recordPath.empty()) return RunGameRecorded(run.recordPath, run.directLevel, out, errors);
    SetDirectStart(run.directLevel);
    int code = RunGame();
    SetDirectStart(0);
    return code;
}

}  // namespace

int RunHeadless(const HeadlessRun& run, std::ostream& out, std::ostream& errors) {
    std::vector<headless::Command> script;
    std::string error;
    if (!headless::ParseScript(run.script, script, error)) {
        errors << "script " << error << "\n";
        return 2;
    }
    headless::Options options;
    options.startTick = run.startTick;
    options.maxFrames = run.maxFrames;
    options.joystick = run.joystick;
    options.displayRefuses75 = run.displayRefuses75;
    options.displayFails = run.displayFails;
    headless::Configure(options, std::move(script));
    if (!run.audioPath.empty() && !headless::StartAudioRecording(run.audioPath)) {
        errors << "cannot write audio file " << run.audioPath << "\n";
        return 2;
    }
    headless::SetCommandHandler([&](const headless::Command& command) { Handle(run, command, out, errors); });
    int code = RunJournaled(run, out, errors);
    headless::SetCommandHandler(nullptr);
    if (!headless::FinishAudioRecording()) {
        errors << "could not finish audio file " << run.audioPath << "\n";
        if (code == 0) code = 1;
    }
    return code;
}

int HeadlessMain(int argc, char** argv) {
    HeadlessRun run;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        bool hasValue = i + 1 < argc;
        if (arg == "--script" && hasValue) {
            if (!ReadText(argv[++i], run.script)) {
                std::cerr << "cannot read script " << argv[i] << "\n";
                return 2;
            }
        } else if (arg == "--max-frames" && hasValue) {
            run.maxFrames = std::atoll(argv[++i]);
        } else if (arg == "--start-tick" && hasValue) {
            run.startTick = static_cast<unsigned>(std::strtoul(argv[++i], nullptr, 10));
        } else if (arg == "--level" && hasValue) {
            run.directLevel = std::atoi(argv[++i]);
        } else if (arg == "--audio" && hasValue) {
            run.audioPath = argv[++i];
        } else if ((arg == "--record" || arg == "--replay") && hasValue) {
            (arg == "--record" ? run.recordPath : run.replayPath) = argv[++i];
        } else if (arg == "--joystick") {
            run.joystick = true;
        } else {
            Usage(std::cerr);
            return 2;
        }
    }
    return RunHeadless(run, std::cout, std::cerr);
}
