// The mixer: the one source of the audio output. It sums the sound effects
// (one voice per sound number), the music module playing and the alert tone
// into 44100 Hz 16-bit stereo. The music sits below full scale (kMusicLevel)
// so that effects have room on top of it, and a soft limiter that leaves
// everything below -3 dBFS untouched keeps the sum from ever clipping.
//
// The audio thread runs MixInto; the game thread changes a Mixer only while
// the output is locked (AudioLock, audio_output.h) and never lets the mixer
// allocate, free or read files: sample data is prepared before the lock and
// released after it. Mixing a block allocates nothing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// One sound number: its samples and where its playback stands.
struct EffectVoice {
    std::vector<int16_t> samples;  // interleaved stereo frames at 44100 Hz; empty = no sound
    size_t nextFrame = 0;          // the next frame to play
    bool playing = false;
    bool loop = false;
};

// The module playing, if any, and its gain (1.0 = volume 64).
struct MusicVoice {
    void* player = nullptr;  // a started libxmp context; null = no music
    float gain = 1.0f;       // the gain now, moving towards targetGain
    float targetGain = 1.0f;
};

// A sine tone of a fixed length (the alert beep).
struct ToneVoice {
    int frequency = 0;
    int framesLeft = 0;
    int framesTotal = 0;
    double phase = 0.0;  // in cycles, 0..1
};

// Frames mixed at a time; the scratch buffers below hold one block.
constexpr int kMixBlockFrames = 512;

struct Mixer {
    std::vector<EffectVoice> effects;  // the sound table, indexed by sound number
    MusicVoice music;
    ToneVoice tone;
    int32_t sum[kMixBlockFrames * 2] = {};
    int16_t musicBlock[kMixBlockFrames * 2] = {};
    float playerMusicGain = 1.0f;    // the player's volumes, on top of the game's
    float playerEffectsGain = 1.0f;
};

// Gain steps per sample when the music volume changes: a jump over the whole
// range takes about 20 ms, so a fade made of many small changes is smooth.
constexpr float kMusicGainStep = 1.0f / 882.0f;

// The module player's output at music volume 64 is scaled by this before the
// effects are added: the headroom they play in.
constexpr float kMusicLevel = 0.6f;

// fills `frames` stereo frames of `out` with everything the mixer plays
void MixInto(Mixer& mixer, int16_t* out, int frames);
// the gain of a module volume on the 0..64 scale (clamped to it)
float GainForVolume(int volume64);
// the 16-bit output for a sum of voices: itself up to -3 dBFS, bent smoothly
// above, never reaching full scale
int16_t LimitedSample(int32_t sum);
// stops every voice (the samples stay loaded)
void SilenceMixer(Mixer& mixer);
