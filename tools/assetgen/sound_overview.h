// The sound review sheet (sound-overview.png): every effect and every music
// module of the pack drawn as a waveform over a spectrogram, named, so that a
// person sees at a glance what the pack sounds like: where each sound is
// loud, how it ends, and whether anything clicks (a click is a vertical line
// through every frequency).
#pragma once

#include <string>
#include <vector>

#include "tools/assetgen/canvas.h"

// one sound as the sheet shows it: mono samples (-1..1) at `rate`
struct ReviewSound {
    std::string name;  // e.g. "wav/boules.wav"
    int rate = 22050;
    std::vector<float> samples;
};

// a module's bytes rendered by the game's module player, one pass through its
// order list (at most `maxSeconds`), mixed down to mono at 22050 Hz
ReviewSound RenderModule(const std::string& name, const std::vector<unsigned char>& bytes, double maxSeconds);
// the sheet: the effects in two columns, then each module across the page
Canvas SoundOverviewSheet(const std::vector<ReviewSound>& effects, const std::vector<ReviewSound>& modules);
