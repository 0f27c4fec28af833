// The headless driver: the game's own entry on the headless backend, steered
// by a script of keys, joystick and focus changes, with dumps of the game
// state and saved frames. Used by gulpkin-headless and the scenario tests.
#pragma once

#include <functional>
#include <map>
#include <ostream>
#include <string>
#include <vector>

struct HeadlessRun {
    std::string script;          // script text (see the README for its commands)
    long long maxFrames = -1;    // -1: no limit
    unsigned startTick = 1000000;
    bool joystick = false;
    bool displayRefuses75 = false;
    bool displayFails = false;
    unsigned long long freeVideoBytes = 64ULL << 20;
    int directLevel = 0;         // > 0: skip the title screen, play this level
    std::string audioPath;       // non-empty: write the run's mixed output there as a WAV file
    std::string recordPath;      // record the run to this file
    std::string replayPath;      // replay this recording (the script and level are not used)
    // named hooks for the script's "call NAME" command (tests set up a
    // situation in the middle of a run with them)
    std::map<std::string, std::function<void()>> calls;
};

// Runs the whole program on the headless backend; dump lines go to `out`,
// and a recording or replay ends with its summary line there. Returns the
// program's exit code, 2 for a script that does not parse, 1 for a recording
// that cannot be written or replayed.
int RunHeadless(const HeadlessRun& run, std::ostream& out, std::ostream& errors);
// the command line of gulpkin-headless
int HeadlessMain(int argc, char** argv);
