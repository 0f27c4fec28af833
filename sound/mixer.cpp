// The mixer: effects, music and tone summed block by block, then brought
// into 16 bits by a soft limiter.
#include "sound/mixer.h"

#include <xmp.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

constexpr double kTwoPi = 6.283185307179586;
constexpr int kToneAmplitude = 8000;
constexpr int kToneEdgeFrames = 88;  // 2 ms rise and fall, so the tone does not click

// The limiter passes the sum unchanged up to the knee (-3 dBFS) and above it
// bends it smoothly (same value and slope at the knee) towards the ceiling
// (-0.2 dBFS), which it never reaches: the output never clips, wraps or steps.
constexpr float kLimiterKnee = 23197.0f;
constexpr float kLimiterCeiling = 32000.0f;
constexpr float kLimiterRange = kLimiterCeiling - kLimiterKnee;

void AddEffect(EffectVoice& voice, int32_t* sum, int frames) {
    const size_t total = voice.samples.size() / 2;
    for (int i = 0; i < frames; ++i) {
        if (voice.nextFrame >= total) {
            if (!voice.loop || total == 0) {
                voice.playing = false;
                return;
            }
            voice.nextFrame = 0;
        }
        sum[2 * i] += voice.samples[2 * voice.nextFrame];
        sum[2 * i + 1] += voice.samples[2 * voice.nextFrame + 1];
        ++voice.nextFrame;
    }
    if (voice.nextFrame >= total && !voice.loop) voice.playing = false;
}

// The module renders one block; its gain moves towards the target sample by
// sample so that volume changes never step.
void AddMusic(Mixer& mixer, int32_t* sum, int frames) {
    MusicVoice& music = mixer.music;
    if (music.player == nullptr) return;
    xmp_context player = static_cast<xmp_context>(music.player);
    int bytes = frames * 2 * static_cast<int>(sizeof(int16_t));
    if (xmp_play_buffer(player, mixer.musicBlock, bytes, 0) != 0) return;
    for (int i = 0; i < frames; ++i) {
        if (music.gain < music.targetGain) {
            music.gain = std::min(music.targetGain, music.gain + kMusicGainStep);
        } else if (music.gain > music.targetGain) {
            music.gain = std::max(music.targetGain, music.gain - kMusicGainStep);
        }
        float gain = music.gain * kMusicLevel * mixer.playerMusicGain;
        sum[2 * i] += static_cast<int32_t>(mixer.musicBlock[2 * i] * gain);
        sum[2 * i + 1] += static_cast<int32_t>(mixer.musicBlock[2 * i + 1] * gain);
    }
}

void AddTone(ToneVoice& tone, int32_t* sum, int frames) {
    const double step = static_cast<double>(tone.frequency) / 44100.0;
    for (int i = 0; i < frames && tone.framesLeft > 0; ++i) {
        int done = tone.framesTotal - tone.framesLeft;
        int edge = std::min({done, tone.framesLeft, kToneEdgeFrames});
        double envelope = static_cast<double>(edge) / kToneEdgeFrames;
        auto value = static_cast<int32_t>(std::sin(tone.phase * kTwoPi) * kToneAmplitude * envelope);
        sum[2 * i] += value;
        sum[2 * i + 1] += value;
        tone.phase += step;
        tone.phase -= std::floor(tone.phase);
        --tone.framesLeft;
    }
}

// the player's effects volume, on the effects summed so far
void ScaleEffects(int32_t* sum, int frames, float gain) {
    for (int i = 0; i < 2 * frames; ++i) sum[i] = static_cast<int32_t>(static_cast<float>(sum[i]) * gain);
}

void MixBlock(Mixer& mixer, int16_t* out, int frames) {
    int32_t* sum = mixer.sum;
    std::memset(sum, 0, sizeof(int32_t) * 2 * static_cast<size_t>(frames));
    for (EffectVoice& voice : mixer.effects) {
        if (voice.playing) AddEffect(voice, sum, frames);
    }
    if (mixer.playerEffectsGain != 1.0f) ScaleEffects(sum, frames, mixer.playerEffectsGain);
    AddMusic(mixer, sum, frames);
    if (mixer.tone.framesLeft > 0) AddTone(mixer.tone, sum, frames);
    for (int i = 0; i < 2 * frames; ++i) out[i] = LimitedSample(sum[i]);
}

}  // namespace

int16_t LimitedSample(int32_t sum) {
    float magnitude = std::fabs(static_cast<float>(sum));
    if (magnitude <= kLimiterKnee) return static_cast<int16_t>(sum);
    float bent = kLimiterKnee + kLimiterRange * std::tanh((magnitude - kLimiterKnee) / kLimiterRange);
    return static_cast<int16_t>(std::lround(sum < 0 ? -bent : bent));
}

void MixInto(Mixer& mixer, int16_t* out, int frames) {
    while (frames > 0) {
        int block = std::min(frames, kMixBlockFrames);
        MixBlock(mixer, out, block);
        out += 2 * block;
        frames -= block;
    }
}

float GainForVolume(int volume64) {
    return static_cast<float>(std::clamp(volume64, 0, 64)) / 64.0f;
}

void SilenceMixer(Mixer& mixer) {
    for (EffectVoice& voice : mixer.effects) voice.playing = false;
    mixer.music.player = nullptr;
    mixer.tone.framesLeft = 0;
}
