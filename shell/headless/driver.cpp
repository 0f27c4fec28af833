// The headless driver: wires the script's commands to the game.
#include "shell/headless/driver.h"

#include "core/game_state.h"
#include "pictures/capture.h"
#include "platform/files/escaped_text.h"
#include "platform/files/file_system.h"
#include "platform/headless/headless.h"
#include "platform/machine.h"
#include "platform/platform.h"
#include "shell/command_line.h"
#include "shell/program_flow.h"
#include "shell/replay_session.h"
#include "shell/state_dump.h"

#include <iostream>

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
    std::string problem = "cannot write " + command.args[0];
    if (!SavePixelsBitmap(frame.data(), width, headless::LastFrameHeight(), width, command.args[0], &problem)) {
        errors << "gulpkin-headless: shot: " << Escaped(problem) << "\n";
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

// A script drives at most a few hours of play with a command or two a
// frame, a few megabytes of text; only a regular file up to this size is read.
constexpr size_t kLargestScript = 16u << 20;

// The script's text; a missing file, a folder, a pipe or a device is refused.
bool ReadScript(const std::string& path, std::string& text, std::string& problem) {
    std::vector<uint8_t> bytes;
    platform::fs::ReadOutcome outcome = platform::fs::ReadRegularFile(path, kLargestScript, bytes);
    if (outcome != platform::fs::ReadOutcome::Read) {
        problem = platform::fs::ReadProblem(outcome);
        return false;
    }
    text.assign(bytes.begin(), bytes.end());
    return true;
}

// The command line's options as the run they describe.
bool MakeRun(const CommandLine& line, HeadlessRun& run, std::ostream& errors) {
    std::string problem;
    if (!line.scriptPath.empty() && !ReadScript(line.scriptPath, run.script, problem)) {
        errors << "gulpkin-headless: script " << Quoted(line.scriptPath) << " " << problem << "\n";
        return false;
    }
    run.maxFrames = line.maxFrames;
    run.startTick = line.startTick;
    run.joystick = line.joystick;
    run.directLevel = line.level;
    run.audioPath = line.audioPath;
    run.recordPath = line.recordPath;
    run.replayPath = line.replayPath;
    return true;
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
        errors << "gulpkin-headless: script " << Escaped(error) << "\n";
        return 2;
    }
    headless::Options options;
    options.startTick = run.startTick;
    options.maxFrames = run.maxFrames;
    options.joystick = run.joystick;
    options.displayRefuses75 = run.displayRefuses75;
    options.displayFails = run.displayFails;
    options.freeVideoBytes = run.freeVideoBytes;
    headless::Configure(options, std::move(script));
    if (!run.audioPath.empty() && !headless::StartAudioRecording(run.audioPath, error)) {
        errors << "gulpkin-headless: audio file: " << Escaped(error) << "\n";
        return 2;
    }
    headless::SetCommandHandler([&](const headless::Command& command) { Handle(run, command, out, errors); });
    int code = RunJournaled(run, out, errors);
    headless::SetCommandHandler(nullptr);
    if (!headless::FinishAudioRecording(error)) {
        errors << "gulpkin-headless: audio file: " << Escaped(error) << "\n";
        if (code == 0) code = 1;
    }
    return code;
}

int HeadlessMain(int argc, char** argv) {
    CommandLine line;
    if (!ParseCommandLine(argc, argv, line, std::cerr, Program::Headless)) return kUsageExitCode;
    if (line.help || line.version) {
        std::cout << (line.help ? UsageText(Program::Headless) : VersionText(Program::Headless));
        return 0;
    }
    HeadlessRun run;
    if (!MakeRun(line, run, std::cerr)) return kUsageExitCode;
    return RunHeadless(run, std::cout, std::cerr);
}
