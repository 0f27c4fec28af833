// Oscillators, noise, envelopes and the WAV writer.
#include "tools/assetgen/synth.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

constexpr double kTwoPi = 6.283185307179586;
constexpr double kVoiceEdgeSeconds = 0.002;
constexpr double kEndFadeSeconds = 0.003;

void PutLe(std::vector<uint8_t>& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(uint8_t(value >> (8 * i)));
}

void Reserve(Sound& sound, double end) {
    size_t needed = size_t(std::ceil(end * sound.rate));
    if (sound.samples.size() < needed) sound.samples.resize(needed, 0.0f);
}

// the correction that takes the alias out of a jump of 2 at phase 0 (polyBLEP)
double Blep(double phase, double step) {
    if (phase < step) {
        double t = phase / step;
        return t + t - t * t - 1;
    }
    if (phase > 1 - step) {
        double t = (phase - 1) / step;
        return t * t + t + t + 1;
    }
    return 0;
}

// a band-limited square or saw: the naive wave with its jumps smoothed. The
// square is centred on its own mean (a pulse of duty d averages 2d - 1), so
// that a narrow pulse adds no offset to the sound.
float SmoothSample(Wave wave, double phase, double step, float duty) {
    double f = phase - std::floor(phase);
    if (wave == Wave::Saw) return float(2 * f - 1 - Blep(f, step));
    if (wave == Wave::Square) {
        double down = f - duty;
        down -= std::floor(down);
        return float((f < duty ? 1.0 : -1.0) - (2.0 * duty - 1.0) + Blep(f, step) - Blep(down, step));
    }
    return WaveSample(wave, phase, duty);
}

// the gain of a voice's first and last samples: a short fade, so that a voice
// cut off at its length (or one that starts loud) never steps
float EdgeGain(size_t i, size_t count, int rate) {
    size_t edge = std::max<size_t>(1, size_t(kVoiceEdgeSeconds * rate));
    size_t fromEnd = count - 1 - i;
    size_t nearest = std::min(i, fromEnd);
    return nearest >= edge ? 1.0f : float(nearest) / float(edge);
}

}  // namespace

float WaveSample(Wave wave, double phase, float duty) {
    double f = phase - std::floor(phase);
    switch (wave) {
        case Wave::Sine: return float(std::sin(kTwoPi * f));
        case Wave::Square: return f < duty ? 1.0f : -1.0f;
        case Wave::Triangle: return float(f < 0.5 ? 4 * f - 1 : 3 - 4 * f);
        case Wave::Saw: return float(2 * f - 1);
        case Wave::Noise: break;
    }
    return 0;
}

void AddVoice(Sound& sound, const Voice& voice, double start, double length) {
    Reserve(sound, start + length);
    double phase = 0;
    size_t first = size_t(start * sound.rate);
    size_t count = size_t(length * sound.rate);
    NoiseSource noise(977);
    float held = 0;
    for (size_t i = 0; i < count && first + i < sound.samples.size(); ++i) {
        double t = double(i) / sound.rate;
        double before = phase;
        double step = voice.frequency(t) / sound.rate;
        phase += step;
        float value;
        if (voice.wave == Wave::Noise) {
            // sample-and-hold noise: its pitch follows the frequency
            if (std::floor(phase) != std::floor(before)) held = noise.Next();
            value = held;
        } else {
            value = SmoothSample(voice.wave, phase, std::min(step, 0.5), voice.duty(t));
        }
        sound.samples[first + i] += value * voice.volume(t) * EdgeGain(i, count, sound.rate);
    }
}

float NoiseSource::Next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return float(state_ & 0xFFFFFF) / float(0x800000) - 1.0f;
}

void AddNoise(Sound& sound, uint32_t seed, double start, double length, const std::function<float(double)>& volume,
              const std::function<double(double)>& cutoff) {
    Reserve(sound, start + length);
    NoiseSource noise(seed);
    size_t first = size_t(start * sound.rate);
    size_t count = size_t(length * sound.rate);
    float low = 0;
    for (size_t i = 0; i < count && first + i < sound.samples.size(); ++i) {
        double t = double(i) / sound.rate;
        float k = float(1 - std::exp(-kTwoPi * cutoff(t) / sound.rate));
        low += (noise.Next() - low) * k;
        sound.samples[first + i] += low * volume(t) * EdgeGain(i, count, sound.rate);
    }
}

float Pluck(double t, double attack, double halfLife) {
    if (t < 0) return 0;
    if (t < attack) return float(t / attack);
    return float(std::pow(0.5, (t - attack) / halfLife));
}

float Ramp(double t, const std::vector<std::pair<double, float>>& points) {
    if (points.empty()) return 0;
    if (t <= points.front().first) return points.front().second;
    for (size_t i = 1; i < points.size(); ++i) {
        if (t <= points[i].first) {
            double span = points[i].first - points[i - 1].first;
            double k = span > 0 ? (t - points[i - 1].first) / span : 1;
            return float(points[i - 1].second + (points[i].second - points[i - 1].second) * k);
        }
    }
    return points.back().second;
}

double NoteFrequency(double note) { return 440.0 * std::pow(2.0, (note - 69) / 12); }

void Normalize(Sound& sound, float peak) {
    float loudest = 0;
    for (float s : sound.samples) loudest = std::max(loudest, std::fabs(s));
    if (loudest <= 0) return;
    for (float& s : sound.samples) s *= peak / loudest;
}

void RemoveOffset(std::vector<float>& samples) {
    double sum = 0, weight = 0;
    std::vector<double> window(samples.size());
    for (size_t i = 0; i < samples.size(); ++i) {
        window[i] = 0.5 - 0.5 * std::cos(kTwoPi * (i + 0.5) / samples.size());
        sum += samples[i];
        weight += window[i];
    }
    if (weight <= 0) return;
    for (size_t i = 0; i < samples.size(); ++i) samples[i] -= float(sum / weight * window[i]);
}

void FinishSound(Sound& sound, float peak) {
    FadeEnds(sound, kEndFadeSeconds);
    RemoveOffset(sound.samples);  // after the fades: its bump is zero at both ends
    Normalize(sound, std::min(peak, kPeakLimit));
}

void FadeEnds(Sound& sound, double seconds) {
    size_t n = std::min(sound.samples.size() / 2, size_t(seconds * sound.rate));
    for (size_t i = 0; i < n; ++i) {
        float k = float(i) / n;
        sound.samples[i] *= k;
        sound.samples[sound.samples.size() - 1 - i] *= k;
    }
}

bool WriteWav(const std::string& path, const Sound& sound) {
    uint32_t dataSize = uint32_t(sound.samples.size() * 2);
    std::vector<uint8_t> out = {'R', 'I', 'F', 'F'};
    PutLe(out, 36 + dataSize, 4);
    out.insert(out.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    PutLe(out, 16, 4);
    PutLe(out, 1, 2);  // PCM
    PutLe(out, 1, 2);  // mono
    PutLe(out, sound.rate, 4);
    PutLe(out, sound.rate * 2, 4);
    PutLe(out, 2, 2);
    PutLe(out, 16, 2);
    out.insert(out.end(), {'d', 'a', 't', 'a'});
    PutLe(out, dataSize, 4);
    for (float s : sound.samples) PutLe(out, uint16_t(int16_t(std::lround(std::clamp(s, -1.0f, 1.0f) * 32767))), 2);
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    bool ok = std::fwrite(out.data(), 1, out.size(), file) == out.size();
    return (std::fclose(file) == 0) && ok;
}
