// Instrument samples. Every sample is free of offset and starts at silence:
// a looped one is centred over its loop and, when its loop starts away from
// zero, gets a short fade-in of its own loop's end in front of it (the loop
// then joins its end to its start seamlessly); a one-shot is finished like a
// sound effect.
#include "tools/assetgen/instruments.h"

#include <algorithm>
#include <cmath>

#include "tools/assetgen/synth.h"

namespace {

constexpr double kTwoPi = 6.283185307179586;
constexpr double kLeadInSeconds = 0.003;
constexpr float kSilence = 0.004f;  // a first sample this close to zero needs no fade-in

double RootOf(double frequency) { return 69 + 12 * std::log2(frequency / 440); }

void CentreOn(std::vector<float>& data) {
    double sum = 0;
    for (float v : data) sum += v;
    for (float& v : data) v -= float(sum / double(data.size()));
}

// scales the loop to the given loudness (root mean square), the peak held to the pack's limit
void ScaleToLoudness(std::vector<float>& data, double rms) {
    double power = 0;
    float peak = 0;
    for (float v : data) power += double(v) * v, peak = std::max(peak, std::fabs(v));
    if (power <= 0) return;
    float gain = float(std::min(rms / std::sqrt(power / double(data.size())), double(kPeakLimit / peak)));
    for (float& v : data) v *= gain;
}

// the loop's periodic continuation before it, faded in: an even number of
// samples (a MOD loop starts on a word) of about 3 ms
std::vector<float> LeadIn(const std::vector<float>& loop, int rate) {
    size_t length = std::max<size_t>(2, size_t(kLeadInSeconds * rate) / 2 * 2);
    std::vector<float> lead(length);
    for (size_t j = 0; j < length; ++j) {
        size_t from = (loop.size() - length % loop.size() + j) % loop.size();
        lead[j] = loop[from] * float(j) / float(length);
    }
    return lead;
}

Instrument Looped(const char* name, std::vector<float> loop, int rate, double frequency, int volume) {
    CentreOn(loop);
    float peak = 0;
    for (float v : loop) peak = std::max(peak, std::fabs(v));
    if (peak > kPeakLimit)
        for (float& v : loop) v *= kPeakLimit / peak;
    Instrument instrument;
    instrument.name = name;
    instrument.rate = rate;
    instrument.rootNote = RootOf(frequency);
    if (std::fabs(loop.front()) > kSilence) instrument.data = LeadIn(loop, rate);
    instrument.loopStart = int(instrument.data.size());
    instrument.loopLength = int(loop.size());
    instrument.data.insert(instrument.data.end(), loop.begin(), loop.end());
    instrument.volume = volume;
    return instrument;
}

Instrument OneShot(const char* name, Sound sound, float peak, int volume) {
    FinishSound(sound, peak);
    Instrument instrument;
    instrument.name = name;
    instrument.rate = sound.rate;
    instrument.rootNote = 60;
    instrument.data = std::move(sound.samples);
    instrument.volume = volume;
    return instrument;
}

// One cycle of a pulse with rounded edges and no offset, written at `out`:
// the high part a lobe tanh(sharpness * sin) up to 1 from the rising edge,
// which is the cycle's first sample (0), the low part a lobe scaled so that
// the cycle averages zero.
void PulseCycle(float* out, int cycle, float duty, double sharpness) {
    double high = 0, low = 0;
    for (int i = 0; i < cycle; ++i) {
        double p = double(i) / cycle;
        double lobe = p < duty ? std::sin(M_PI * p / duty) : -std::sin(M_PI * (p - duty) / (1 - duty));
        out[i] = float(std::tanh(sharpness * lobe));
        (out[i] > 0 ? high : low) += out[i];
    }
    if (low >= 0) return;
    for (int i = 0; i < cycle; ++i)
        if (out[i] < 0) out[i] *= float(high / -low);
}

}  // namespace

Instrument PulseInstrument(const char* name, int cycleLength, float duty, int rate, int volume) {
    std::vector<float> data(cycleLength);
    PulseCycle(data.data(), cycleLength, duty, 10);
    // as loud as a plain pulse of +-0.7 once its offset is gone
    ScaleToLoudness(data, 1.4 * std::sqrt(duty * (1 - duty)));
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
    for (int c = 0; c < cycles; ++c)
        PulseCycle(&data[size_t(c) * cycle], cycle, float(0.3 + 0.18 * std::sin(kTwoPi * c / cycles)), 6);
    ScaleToLoudness(data, 0.52);
    return Looped(name, data, rate, double(rate) / cycle, volume);
}

Instrument Flute(const char* name, int rate, int volume) {
    const int cycle = 100, cycles = 120;
    std::vector<float> data(cycle * cycles);
    // the breath is filtered noise, run through the loop twice so that its
    // end leads into its start
    std::vector<float> noise(data.size());
    NoiseSource source(99);
    for (float& n : noise) n = source.Next();
    float breath = 0;
    for (size_t pass = 0; pass < 2; ++pass) {
        for (size_t i = 0; i < data.size(); ++i) {
            double t = double(i) / data.size();
            double p = double(i) / cycle + 0.12 * std::sin(kTwoPi * 4 * t);  // four vibrato waves per loop
            breath += (noise[i] - breath) * 0.08f;
            double v = std::sin(kTwoPi * p) + 0.22 * std::sin(kTwoPi * 2 * p) + 0.08 * std::sin(kTwoPi * 3 * p);
            data[i] = float(v * 0.62 + breath * 0.06);
        }
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
    Instrument instrument = OneShot(name, sound, 0.89f, volume);
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
    return OneShot(name, sound, 0.89f, volume);
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
    return OneShot(name, sound, 0.89f, volume);
}

Instrument HiHat(const char* name, int rate, int volume, bool open) {
    Sound sound;
    sound.rate = rate;
    double length = open ? 0.3 : 0.06, half = open ? 0.08 : 0.012;
    AddNoise(sound, open ? 23 : 29, 0, length, [half](double t) { return Pluck(t, 0.0005, half); },
             [](double) { return 12000.0; });
    // a high-pass: the difference of successive samples keeps the hiss
    for (size_t i = sound.samples.size() - 1; i > 0; --i) sound.samples[i] -= sound.samples[i - 1];
    return OneShot(name, sound, 0.8f, volume);
}

Instrument WithEnvelope(Instrument instrument, std::vector<EnvelopePoint> envelope, int sustain, int fadeout) {
    instrument.envelope = std::move(envelope);
    instrument.sustainPoint = sustain;
    instrument.fadeout = fadeout;
    return instrument;
}
