// The thirteen sound effects of the game, synthesized: each has its file
// name (under wav/) and a maker.
#pragma once

#include <vector>

#include "tools/assetgen/synth.h"

struct SoundEffect {
    const char* file;  // e.g. "boules.wav"
    Sound (*make)();
};

// every effect of the sound catalogue
const std::vector<SoundEffect>& SoundEffects();
