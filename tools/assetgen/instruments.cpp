// Instrument samples.
#include "tools/assetgen/instruments.h"

#include <cmath>

#include "tools/assetgen/synth.h"

namespace {

constexpr double kTwoPi = 6.283185307179586;

double RootOf(double frequency) { return 69 + 12 * std::log2(frequency / 440); }

Instrument Looped(const char* name, std::vector<float> data, int rate, double frequency, int volume) {
    Instrument instrument;
    instrument.name = name;
    instrument.rate = rate;
    instrument.rootNote = RootOf(frequency);
    instrument.loopStart = 0;
    instrument.loopLength = int(data.size());
    instrument.data = std::move(data);
    instrument.volume = volume;
    return instrument;
}

Instrument OneShot(const char* name, Sound sound, int volume) {
    Instrument instrument;
    instrument.name = name;
    instrument.rate = sound.rate;
    instrument.rootNote = 60;
    instrument.data = std::move(sound.samples);
    instrument.volume = volume;
    return instrument;
}

}  // namespace

Instrument PulseInstrument(const char* name, int cycleLength, float duty, int rate, int volume) {
    std::vector<float> data(cycleLength);
    for (int i = 0; i < cycleLength; ++i) data[i] = (i < cycleLength * duty ? 0.7f : -0.7f);
    return Looped(name, data, rate, double(rate) / cycleLength, volume);
}

Instrument TriangleInstrument(const char* name, int cycleLength, int rate, int volume) {
    std::vector<float> data(cycleLength);
    for (int i = 0; i < cycleLength; ++i) data[i] = 0.95f * WaveSample(Wave::Triangle, (i + 0.5) / cycleLength);
    return Looped(name, data, rate, double(rate) / cycleLength, volume);
}

Instrument SawInstrument(const char* name, int cycleLength, int rate, int volume) {
    std::vector<float> data(cycleLength);
    // the first harmonics of a saw only: bright but not harsh
    for (int i = 0; i < cycleLength; ++i) {
        double p = double(i) / cycleLength, v = 0;
        for (int h = 1; h <= 8; ++h) v += std::sin(kTwoPi * h * p) / h * (h % 2 ? 1 : -1);
        data[i] = float(v * 0.5);
    }
    return Looped(name, data, rate, double(rate) / cycleLength, volume);
}

Instrument ChorusPad(const char* name, int rate, int volume) {
    const int cycle = 100, cycles = 160;  // the second voice makes 161 cycles: a gentle beat
    std::vector<float> data(cycle * cycles);
    for (size_t i = 0; i < data.size(); ++i) {
        double t = double(i) / data.size(), v = 0;
        for (int h = 1; h <= 10; ++h) {
            double amp = 1.0 / (h * h * 0.5 + h * 0.5);
            v += amp * (std::sin(kTwoPi * h * cycles * t) + std::sin(kTwoPi * h * (cycles + 1) * t + h));
        }
        data[i] = float(v * 0.32);
    }
    return Looped(name, data, rate, double(rate) / cycle, volume);
}

Instrument SweepLead(const char* name, int rate, int volume) {
    const int cycle = 80, cycles = 60;
    std::vector<float> data(cycle * cycles);
    for (size_t i = 0; i < data.size(); ++i) {
        int c = int(i / cycle);
        float duty = float(0.3 + 0.18 * std::sin(kTwoPi * c / cycles));
        double p = double(i % cycle) / cycle;
        // a rounded square: the edges softened over a few samples
        double v = std::tanh(6 * (p < duty ? std::sin(M_PI * p / duty) : -std::sin(M_PI * (p - duty) / (1 - duty))));
        data[i] = float(v * 0.6);
    }
    return Looped(name, data, rate, double(rate) / cycle, volume);
}

Instrument Flute(const char* name, int rate, int volume) {
    const int cycle = 100, cycles = 120;
    std::vector<float> data(cycle * cycles);
    NoiseSource noise(99);
    float breath = 0;
    for (size_t i = 0; i < data.size(); ++i) {
        double t = double(i) / data.size();
        double p = double(i) / cycle + 0.12 * std::sin(kTwoPi * 4 * t);  // four vibrato waves per loop
        breath += (noise.Next() - breath) * 0.08f;
        double v = std::sin(kTwoPi * p) + 0.22 * std::sin(kTwoPi * 2 * p) + 0.08 * std::sin(kTwoPi * 3 * p);
        data[i] = float(v * 0.62 + breath * 0.06);
    }
    return Looped(name, data, rate, double(rate) / cycle, volume);
}

Instrument Bell(const char* name, int rate, int volume) {
    Sound sound;
    sound.rate = rate;
    const double f = 523.25;  // C5
    for (auto [ratio, amp, decay] : {std::tuple{1.0, 0.6f, 0.5}, {2.0, 0.3f, 0.3}, {3.0, 0.15f, 0.18}, {4.2, 0.08f, 0.1}}) {
        Voice v;
        v.wave = Wave::Sine;
        v.frequency = [f, ratio = ratio](double) { return f * ratio; };
        v.volume = [amp = amp, decay = decay](double t) { return amp * Pluck(t, 0.002, decay); };
        AddVoice(sound, v, 0, 1.2);
    }
    Normalize(sound, 0.9f);
    Instrument instrument = OneShot(name, sound, volume);
    instrument.rootNote = 72;
    return instrument;
}

Instrument Kick(const char* name, int rate, int volume) {
    Sound sound;
    sound.rate = rate;
    Voice v;
    v.wave = Wave::Sine;
    v.frequency = [](double t) { return 45 + 140 * std::exp(-t * 30); };
    v.volume = [](double t) { return Pluck(t, 0.001, 0.07); };
    AddVoice(sound, v, 0, 0.3);
    AddNoise(sound, 3, 0, 0.01, [](double t) { return 0.4f * Pluck(t, 0.0005, 0.003); }, [](double) { return 4000.0; });
    Normalize(sound, 0.95f);
    return OneShot(name, sound, volume);
}

Instrument Snare(const char* name, int rate, int volume) {
    Sound sound;
    sound.rate = rate;
    Voice body;
    body.wave = Wave::Triangle;
    body.frequency = [](double t) { return 190 * std::exp(-t * 8); };
    body.volume = [](double t) { return 0.6f * Pluck(t, 0.001, 0.03); };
    AddVoice(sound, body, 0, 0.12);
    AddNoise(sound, 17, 0, 0.22, [](double t) { return Pluck(t, 0.001, 0.045); }, [](double) { return 6000.0; });
    Normalize(sound, 0.9f);
    return OneShot(name, sound, volume);
}

Instrument HiHat(const char* name, int rate, int volume, bool open) {
    Sound sound;
    sound.rate = rate;
    double length = open ? 0.3 : 0.06, half = open ? 0.08 : 0.012;
    AddNoise(sound, open ? 23 : 29, 0, length, [half](double t) { return Pluck(t, 0.0005, half); },
             [](double) { return 12000.0; });
    // a high-pass: the difference of successive samples keeps the hiss
    for (size_t i = sound.samples.size() - 1; i > 0; --i) sound.samples[i] -= sound.samples[i - 1];
    Normalize(sound, 0.8f);
    return OneShot(name, sound, volume);
}

Instrument WithEnvelope(Instrument instrument, std::vector<EnvelopePoint> envelope, int sustain, int fadeout) {
    instrument.envelope = std::move(envelope);
    instrument.sustainPoint = sustain;
    instrument.fadeout = fadeout;
    return instrument;
}
