// The command line of the game, GNU style: long options only, a value
// either as the next argument or after '=' ("--scale integer",
// "--scale=integer"), "--" ends the options. The options are one table in
// command_line.cpp; an option is added there with its field here.
//
// ParseCommandLine turns the arguments into CommandLine; StartFromCommandLine
// is the whole program entry of the game: it answers --help and --version,
// rejects bad arguments (exit code 2), refuses to start without a display
// (exit code 1), applies the player's settings with the command line over
// them, and runs the game.
#pragma once

#include "media/player_settings.h"

#include <optional>
#include <ostream>
#include <string>

struct CommandLine {
    bool help = false;
    bool version = false;
    std::optional<bool> windowed;
    std::optional<bool> wholeMultiples;
    std::optional<bool> keepDesktopMode;  // --refresh desktop
    bool noSound = false;
    std::string dataDirectory;  // "" = the usual places
    std::string recordPath;     // record the game to this file
    std::string replayPath;     // replay this recording instead of playing
};

// Exit code for a bad argument, as GNU programs use.
constexpr int kUsageExitCode = 2;

// Parses argv[1..]. On a bad argument writes one line naming it and the
// usage to `errors` and returns false.
bool ParseCommandLine(int argc, const char* const argv[], CommandLine& line, std::ostream& errors);
// the usage and every option, as --help prints it
std::string UsageText();
// the settings from the file with what the command line names put over them
PlayerSettings Override(PlayerSettings settings, const CommandLine& line);
// the program entry of the game; returns the exit code
int StartFromCommandLine(int argc, const char* const argv[]);
