// Reading WAV sound effects into the mixer's format.
//
// The file must begin with "RIFF" and have the chunk "fmt " at byte 12; the
// format record follows at byte 20 and the chunk right after the format chunk
// is taken as the samples, whatever its name. The format must be PCM, 8 or
// 16 bits, mono or stereo, at 100 .. 200000 Hz. The samples come out as
// interleaved 16-bit stereo frames at 44100 Hz. Sizes in the file are never
// trusted: a sample chunk longer than the file is cut to the file's end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// the longest effect kept after conversion, in frames (ten minutes)
constexpr size_t kMaxEffectFrames = 10 * 60 * 44100;

// the format record of a WAV file
struct WavFormat {
    int tag = 0;
    int channels = 0;
    int sampleRate = 0;
    int bitsPerSample = 0;
};

// decodes a whole WAV file into stereo 44100 Hz frames; false if it is not
// one the game can play (then `frames` is left unchanged)
bool DecodeWav(const std::vector<uint8_t>& file, std::vector<int16_t>& frames);
// resamples interleaved stereo frames from `rate` Hz to 44100 Hz (linear)
std::vector<int16_t> ResampleTo44100(const std::vector<int16_t>& stereo, int rate);
