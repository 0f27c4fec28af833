// The command lines of both programs; see command_line.h.
#include "shell/command_line.h"

#include "platform/files/escaped_text.h"
#include "platform/platform.h"
#include "shell/asset_pack_check.h"
#include "shell/option_table.h"
#include "shell/program_flow.h"
#include "shell/replay_session.h"

#include <algorithm>
#include <cstring>
#include <iostream>
#include <set>

#ifndef GULPKIN_VERSION
#define GULPKIN_VERSION "unknown"
#endif

namespace {

const char* ProgramName(Program program) {
    return program == Program::Game ? "gulpkin" : "gulpkin-headless";
}

bool Takes(const Option& option, Program program) {
    return (option.programs & (1u << static_cast<unsigned>(program))) != 0;
}

const Option* FindOption(const std::string& name, Program program) {
    for (const Option& option : OptionTable()) {
        if (name == option.name && Takes(option, program)) return &option;
    }
    return nullptr;
}

// what one parse works on
struct Parse {
    Program program;
    int argc;
    const char* const* argv;
    int index;
    CommandLine& line;
    std::set<std::string> given;
    std::ostream& errors;
};

bool Reject(Parse& parse, const std::string& problem) {
    parse.errors << ProgramName(parse.program) << ": " << problem << '\n' << UsageText(parse.program);
    return false;
}

// Parses the argument at the parse's index (and its value), moving past them.
bool ParseOne(Parse& parse) {
    std::string argument = parse.argv[parse.index++];
    if (argument == "-h") argument = "--help";
    size_t equals = argument.find('=');
    std::string name = argument.substr(0, equals);
    const Option* option = argument.rfind("--", 0) == 0 ? FindOption(name, parse.program) : nullptr;
    if (option == nullptr) {
        return Reject(parse, (argument[0] == '-' ? "unknown option " : "unexpected argument ") + Quoted(argument));
    }
    std::string value;
    if (option->valueName.empty() && equals != std::string::npos) {
        return Reject(parse, "option " + Quoted(name) + " takes no value");
    }
    if (!option->valueName.empty()) {
        if (equals == std::string::npos && parse.index >= parse.argc) {
            return Reject(parse, "option " + Quoted(name) + " needs a value (" + option->valueName + ")");
        }
        value = equals != std::string::npos ? argument.substr(equals + 1) : parse.argv[parse.index++];
    }
    if (!ApplyOption(*option, parse.line, value)) {
        return Reject(parse,
                      "bad value " + Quoted(value) + " for option " + Quoted(name) + " (" + option->valueName + ")");
    }
    parse.given.insert(name);
    return true;
}

bool CheckConflicts(Parse& parse) {
    for (const OptionConflict& conflict : OptionConflicts()) {
        if (parse.given.count(conflict.first) != 0 && parse.given.count(conflict.second) != 0) {
            return Reject(parse, std::string(conflict.first) + " and " + conflict.second + " cannot be used together");
        }
    }
    return true;
}

// "  --scale fit|integer   help", the help column aligned
std::string OptionLine(const Option& option) {
    std::string left = std::string("  ") + option.name;
    if (!option.valueName.empty()) left += " " + option.valueName;
    left.resize(std::max<size_t>(left.size() + 2, 24), ' ');
    return left + option.help + "\n";
}

// The keys of the game, in the player's words; the files follow
// (help_files_*.cpp: where they live differs between systems).
const char kGameKeys[] =
    "\nKeys: arrow keys steer, Space spends a charge that frightens the ghosts, F12\n"
    "saves a screenshot, Alt+Enter switches between window and full screen.\n"
    "Escape quits on the title, in play and after a game; it does nothing between\n"
    "levels, during a lost life's animation and the final fireworks.\n"
    "Title menu: F1, F2, F3 start a NORMAL, DUR or HARD game; after a game F10\n"
    "plays on from the level reached (0 points, 3 lives), F11 goes back to the\n"
    "title. After a lost life the maze waits for any key.\n"
    "\nPads: the stick or D-pad steers, A frightens the ghosts, B goes on after a\n"
    "lost life. Title menu: Start or A starts NORMAL, X DUR, Y HARD; after a game\n"
    "A plays on (F10), B goes back to the title (F11); Back quits where Escape\n"
    "would, also during the intro.\n";

const char kHeadlessAbout[] =
    "The game without a window or sound device, on a virtual clock, steered by a\n"
    "script; see gulpkin(6).\n\n";

// Whether the game found its asset pack; if not, the player is told where
// it looked and what it needs, in a message box where there is no console.
bool AssetPackFound() {
    std::string folder = platform::AssetPackFolder();
    std::string problem = AssetPackProblem(folder.empty() ? "." : folder);
    if (problem.empty()) return true;
    platform::ShowFatalMessage("gulpkin: no asset pack in " + Quoted(ShownFolder(folder)) + ": " + problem +
                               "; the game needs its folders graph, font, wav and music there");
    return false;
}

}  // namespace

bool ParseCommandLine(int argc, const char* const argv[], CommandLine& line, std::ostream& errors, Program program) {
    Parse parse{program, argc, argv, 1, line, {}, errors};
    while (parse.index < argc) {
        if (std::strcmp(argv[parse.index], "--") == 0) {
            if (parse.index + 1 < argc) return Reject(parse, "unexpected argument " + Quoted(argv[parse.index + 1]));
            break;
        }
        if (!ParseOne(parse)) return false;
    }
    return CheckConflicts(parse);
}

std::string UsageText(Program program) {
    std::string text = std::string("Usage: ") + ProgramName(program) + " [OPTION]...\n";
    text += program == Program::Game ? "The maze-chase arcade game.\n\n" : kHeadlessAbout;
    for (const Option& option : OptionTable()) {
        if (Takes(option, program)) text += OptionLine(option);
    }
    if (program == Program::Game) text += std::string(kGameKeys) + GameFilesHelp();
    return text;
}

std::string VersionText(Program program) {
    return std::string(ProgramName(program)) + " " GULPKIN_VERSION "\n";
}

PlayerSettings Override(PlayerSettings settings, const CommandLine& line) {
    std::string problem;
    for (const auto& [key, value] : line.settings) {
        const SettingRow* row = FindSetting(key);
        if (row != nullptr) ApplySettingValue(*row, value, settings, problem);
    }
    return settings;
}

int StartFromCommandLine(int argc, const char* const argv[]) {
    CommandLine line;
    if (!ParseCommandLine(argc, argv, line, std::cerr)) return kUsageExitCode;
    if (line.help || line.version) {
        std::cout << (line.help ? UsageText() : VersionText(Program::Game));
        return 0;
    }
    if (!line.dataDirectory.empty()) {
        std::string problem = AssetPackProblem(line.dataDirectory);
        if (problem.empty() && !platform::UseAssetDirectory(line.dataDirectory)) problem = "not usable";
        if (!problem.empty()) {
            std::cerr << "gulpkin: no asset pack in " << Quoted(line.dataDirectory) << ": " << problem << '\n';
            return kUsageExitCode;
        }
    }
    if (line.dataDirectory.empty() && !AssetPackFound()) return 1;
    std::string problem;
    if (!platform::DisplayAvailable(problem)) {
        std::cerr << "gulpkin: cannot open a display: " << Escaped(problem) << '\n';
        return 1;
    }
    ApplyPlayerSettings(Override(LoadPlayerSettings(std::cerr), line));
    // a replay reports its own failures, a recording that cannot be written too
    if (!line.replayPath.empty()) return RunReplay(line.replayPath);
    int code = line.recordPath.empty() ? RunGame() : RunRecorded(line.recordPath);
    // a display that was there but refused every window ends the game at once
    if (code == 0 && !platform::DisplayWasOpened(problem)) {
        std::cerr << "gulpkin: cannot open a display: " << Escaped(problem) << '\n';
        return 1;
    }
    return code;
}
