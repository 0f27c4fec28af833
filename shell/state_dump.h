// One line of JSON with what a player would see of the game right now, for
// the headless driver and the scenario tests.
#pragma once

#include <string>

// the state as one JSON object on one line; takes the sounds started since the
// previous dump from the sound service
std::string DumpGameState(long long frame, long long tick);
