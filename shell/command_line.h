// The command lines of the two programs, gulpkin and gulpkin-headless, GNU
// style: long options (and -h), a value either as the next argument or after
// '=' ("--scale integer", "--scale=integer"), "--" ends the options. Both
// programs share one option table (option_table.cpp), each row naming the
// programs that take it; an option is added there with its field here.
//
// ParseCommandLine turns the arguments into CommandLine and then refuses
// options that cannot be used together; StartFromCommandLine is the whole
// program entry of the game: it answers --help and --version, rejects bad
// arguments (exit code 2), refuses to start without a display (exit code 1),
// applies the player's settings with the command line over them, and runs
// the game.
#pragma once

#include "settings/player_settings.h"

#include <ostream>
#include <string>
#include <utility>
#include <vector>

enum class Program { Game, Headless };

struct CommandLine {
    bool help = false;
    bool version = false;
    // the game
    std::vector<std::pair<std::string, std::string>> settings;  // key and value, in the order given
    std::string dataDirectory;  // "" = the usual places
    // both programs
    std::string recordPath;  // record the game to this file
    std::string replayPath;  // replay this recording instead of playing
    // the headless driver
    std::string scriptPath;  // "" = no script
    long long maxFrames = -1;  // -1: no limit
    unsigned startTick = 1000000;
    bool joystick = false;
    int level = 0;  // > 0: skip the title screen, play this level
    std::string audioPath;  // write the mixed output there as a WAV file
};

// Exit code for a bad argument, as GNU programs use.
constexpr int kUsageExitCode = 2;

// Parses argv[1..] for `program`. On a bad argument or two options that
// cannot be used together writes one line naming it and the usage to
// `errors` and returns false.
bool ParseCommandLine(int argc, const char* const argv[], CommandLine& line, std::ostream& errors,
                      Program program = Program::Game);
// the usage, every option, and for the game its keys and files, as --help prints it
std::string UsageText(Program program = Program::Game);
// where the game keeps the player's files, as --help ends (this system's words)
const char* GameFilesHelp();
// the program's name and version, as --version prints it
std::string VersionText(Program program);
// the settings from the file with what the command line names put over them
PlayerSettings Override(PlayerSettings settings, const CommandLine& line);
// the program entry of the game; returns the exit code
int StartFromCommandLine(int argc, const char* const argv[]);
