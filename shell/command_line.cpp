// The game's command line; see command_line.h.
#include "shell/command_line.h"

#include "media/platform/platform.h"
#include "shell/program_flow.h"
#include "shell/replay_session.h"

#include <algorithm>
#include <cstring>
#include <iostream>

#ifndef GULPKIN_VERSION
#define GULPKIN_VERSION "unknown"
#endif

namespace {

// One option: its name, the name of its value (nullptr = none), its help
// line, and how it changes the command line (false = a bad value).
struct Option {
    const char* name;
    const char* valueName;
    const char* help;
    bool (*apply)(CommandLine& line, const std::string& value);
};

const Option kOptions[] = {
    {"--help", nullptr, "show this help and exit",
     [](CommandLine& line, const std::string&) {
         line.help = true;
         return true;
     }},
    {"--version", nullptr, "show the version and exit",
     [](CommandLine& line, const std::string&) {
         line.version = true;
         return true;
     }},
    {"--window", nullptr, "play in a window",
     [](CommandLine& line, const std::string&) {
         line.windowed = true;
         return true;
     }},
    {"--fullscreen", nullptr, "play full screen",
     [](CommandLine& line, const std::string&) {
         line.windowed = false;
         return true;
     }},
    {"--scale", "fit|integer", "scale the picture to fit, or by the largest whole multiple that fits",
     [](CommandLine& line, const std::string& value) {
         if (value != "fit" && value != "integer") return false;
         line.wholeMultiples = value == "integer";
         return true;
     }},
    {"--refresh", "75|desktop", "switch the full screen to 75 Hz, or keep the desktop's display mode",
     [](CommandLine& line, const std::string& value) {
         if (value != "75" && value != "desktop") return false;
         line.keepDesktopMode = value == "desktop";
         return true;
     }},
    {"--no-sound", nullptr, "play without sound",
     [](CommandLine& line, const std::string&) {
         line.noSound = true;
         return true;
     }},
    {"--data", "DIR", "take the asset pack (graph, font, wav, music) from DIR",
     [](CommandLine& line, const std::string& value) {
         line.dataDirectory = value;
         return !value.empty();
     }},
    {"--record", "FILE", "record the game to FILE, to be replayed exactly",
     [](CommandLine& line, const std::string& value) {
         line.recordPath = value;
         return !value.empty() && line.replayPath.empty();
     }},
    {"--replay", "FILE", "replay the recording in FILE at its pace (Escape stops it)",
     [](CommandLine& line, const std::string& value) {
         line.replayPath = value;
         return !value.empty() && line.recordPath.empty();
     }},
};

const Option* FindOption(const std::string& name) {
    for (const Option& option : kOptions) {
        if (name == option.name) return &option;
    }
    return nullptr;
}

bool Reject(std::ostream& errors, const std::string& problem) {
    errors << "gulpkin: " << problem << '\n' << UsageText();
    return false;
}

// Parses the argument at `index` (and its value), moving `index` past them.
bool ParseOne(int argc, const char* const argv[], int& index, CommandLine& line, std::ostream& errors) {
    std::string argument = argv[index++];
    size_t equals = argument.find('=');
    std::string name = argument.substr(0, equals);
    const Option* option = argument.rfind("--", 0) == 0 ? FindOption(name) : nullptr;
    if (option == nullptr) {
        return Reject(errors, (argument[0] == '-' ? "unknown option '" : "unexpected argument '") + argument + "'");
    }
    std::string value;
    if (option->valueName == nullptr && equals != std::string::npos) {
        return Reject(errors, "option '" + name + "' takes no value");
    }
    if (option->valueName != nullptr) {
        if (equals == std::string::npos && index >= argc) {
            return Reject(errors, "option '" + name + "' needs a value (" + option->valueName + ")");
        }
        value = equals != std::string::npos ? argument.substr(equals + 1) : argv[index++];
    }
    if (!option->apply(line, value)) {
        return Reject(errors, "bad value '" + value + "' for option '" + name + "' (" + option->valueName + ")");
    }
    return true;
}

}  // namespace

bool ParseCommandLine(int argc, const char* const argv[], CommandLine& line, std::ostream& errors) {
    int index = 1;
    while (index < argc) {
        if (std::strcmp(argv[index], "--") == 0) {
            if (index + 1 < argc) return Reject(errors, std::string("unexpected argument '") + argv[index + 1] + "'");
            break;
        }
        if (!ParseOne(argc, argv, index, line, errors)) return false;
    }
    return true;
}

std::string UsageText() {
    std::string text = "Usage: gulpkin [OPTION]...\nThe maze-chase arcade game.\n\n";
    for (const Option& option : kOptions) {
        std::string left = std::string("  ") + option.name;
        if (option.valueName != nullptr) left += std::string(" ") + option.valueName;
        left.resize(std::max<size_t>(left.size() + 2, 24), ' ');
        text += left + option.help + "\n";
    }
    text += "\nSettings are kept in settings.ini in $XDG_CONFIG_HOME/gulpkin (or ~/.config/gulpkin);\n"
            "the options win over them.\n";
    return text;
}

PlayerSettings Override(PlayerSettings settings, const CommandLine& line) {
    if (line.windowed) settings.windowed = *line.windowed;
    if (line.wholeMultiples) settings.wholeMultiples = *line.wholeMultiples;
    if (line.keepDesktopMode) settings.keepDesktopMode = *line.keepDesktopMode;
    if (line.noSound) settings.sound = false;
    return settings;
}

int StartFromCommandLine(int argc, const char* const argv[]) {
    CommandLine line;
    if (!ParseCommandLine(argc, argv, line, std::cerr)) return kUsageExitCode;
    if (line.help || line.version) {
        std::cout << (line.help ? UsageText() : "gulpkin " GULPKIN_VERSION "\n");
        return 0;
    }
    if (!line.dataDirectory.empty() && !platform::UseAssetDirectory(line.dataDirectory)) {
        std::cerr << "gulpkin: no asset pack (graph, font, wav, music) in '" << line.dataDirectory << "'\n";
        return kUsageExitCode;
    }
    std::string problem;
    if (!platform::DisplayAvailable(problem)) {
        std::cerr << "gulpkin: cannot open a display: " << problem << '\n';
        return 1;
    }
    ApplyPlayerSettings(Override(LoadPlayerSettings(std::cerr), line));
    // a replay reports its own failures, a recording that cannot be written too
    if (!line.replayPath.empty()) return RunReplay(line.replayPath);
    int code = line.recordPath.empty() ? RunGame() : RunRecorded(line.recordPath);
    // a display that was there but refused every window ends the game at once
    if (code == 0 && !platform::DisplayWasOpened(problem)) {
        std::cerr << "gulpkin: cannot open a display: " << problem << '\n';
        return 1;
    }
    return code;
}
