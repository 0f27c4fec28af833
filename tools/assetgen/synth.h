// Sound synthesis for the effects and the instruments: a buffer of float
// samples (-1..1) at a fixed rate, oscillators, noise, envelopes and simple
// filters. Everything is deterministic: the noise has its own seed.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct Sound {
    int rate = 22050;
    std::vector<float> samples;
};

enum class Wave { Sine, Square, Triangle, Saw, Noise };

// one sample of a waveform at phase (cycles; the fraction is used); duty for Square
float WaveSample(Wave wave, double phase, float duty = 0.5f);

// A tone whose frequency, volume and duty follow functions of time (seconds).
struct Voice {
    Wave wave = Wave::Square;
    std::function<double(double)> frequency;
    std::function<float(double)> volume;
    std::function<float(double)> duty = [](double) { return 0.5f; };
};

// adds a voice to a sound from time `start` for `length` seconds (grows the
// sound); the voice fades in and out over its first and last 2 ms
void AddVoice(Sound& sound, const Voice& voice, double start, double length);
// deterministic white noise in -1..1
class NoiseSource {
public:
    explicit NoiseSource(uint32_t seed) : state_(seed) {}
    float Next();
private:
    uint32_t state_;
};
// adds noise through a one-pole low-pass (cutoff in Hz, as a function of
// time), with the same short fades as a voice
void AddNoise(Sound& sound, uint32_t seed, double start, double length, const std::function<float(double)>& volume,
              const std::function<double(double)>& cutoff);

// linear attack then exponential decay with the given half-life
float Pluck(double t, double attack, double halfLife);
// linear ramp through (time, value) points, flat outside them
float Ramp(double t, const std::vector<std::pair<double, float>>& points);
// frequency of a MIDI note number (69 = A 440 Hz)
double NoteFrequency(double note);

// -1 dBFS: no sound of the pack peaks higher, so the player's mix keeps headroom
constexpr float kPeakLimit = 0.89f;

// scales the sound so that its loudest sample is `peak`
void Normalize(Sound& sound, float peak);
// a short fade at both ends against clicks
void FadeEnds(Sound& sound, double seconds);
// takes the mean out of the samples without moving their ends: subtracts a
// raised-cosine bump over the whole length, scaled to cancel the sum
void RemoveOffset(std::vector<float>& samples);
// the last step of every one-shot sound: no offset, silent first and last
// samples, the loudest sample at `peak` (never above kPeakLimit)
void FinishSound(Sound& sound, float peak);

// writes 16-bit mono PCM WAV: "RIFF", "fmt " (16 bytes), then "data"
bool WriteWav(const std::string& path, const Sound& sound);
