// The thirteen sound effects: plain PCM WAV files laid out as the game
// reads them, audible, and shaped for their use (a short blip for a dot, a
// rising siren for the frightened mode, a falling death of about two
// seconds, short crunches for eaten ghosts).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Wav {
    bool valid = false;
    int channels = 0, rate = 0, bits = 0;
    std::vector<float> samples;  // the first channel
    double Seconds() const { return rate ? double(samples.size()) / rate : 0; }
};

uint32_t Le(const std::vector<uint8_t>& d, size_t at, int bytes) {
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | d[at + i];
    return v;
}

// reads the layout the game relies on: "RIFF", "fmt " at 12 with 16 bytes,
// the sample chunk ("data") right after it
Wav ReadWav(const std::string& name) {
    Wav wav;
    std::FILE* file = std::fopen(("wav/" + name).c_str(), "rb");
    if (!file) return wav;
    std::vector<uint8_t> d;
    uint8_t chunk[65536];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) d.insert(d.end(), chunk, chunk + got);
    std::fclose(file);
    if (d.size() < 44 || std::string(d.begin(), d.begin() + 4) != "RIFF" ||
        std::string(d.begin() + 12, d.begin() + 16) != "fmt " || Le(d, 16, 4) != 16 ||
        std::string(d.begin() + 36, d.begin() + 40) != "data" || Le(d, 20, 2) != 1)
        return wav;
    wav.channels = int(Le(d, 22, 2));
    wav.rate = int(Le(d, 24, 4));
    wav.bits = int(Le(d, 34, 2));
    size_t size = Le(d, 40, 4);
    if (44 + size > d.size() || wav.bits != 16 || wav.channels < 1) return wav;
    for (size_t at = 44; at + 1 < 44 + size; at += 2 * wav.channels) wav.samples.push_back(int16_t(Le(d, at, 2)) / 32768.0f);
    wav.valid = true;
    return wav;
}

float Peak(const Wav& wav) {
    float peak = 0;
    for (float s : wav.samples) peak = std::max(peak, std::fabs(s));
    return peak;
}

// rising zero crossings per second over a part of the sound: its pitch there
double Pitch(const Wav& wav, double from, double to) {
    size_t a = size_t(from * wav.samples.size()), b = size_t(to * wav.samples.size());
    int crossings = 0;
    for (size_t i = a + 1; i < b; ++i) crossings += wav.samples[i - 1] < 0 && wav.samples[i] >= 0;
    return crossings / ((b - a) / double(wav.rate));
}

const char* const kEffects[] = {"boules.wav",  "boulesr.wav", "meur1.wav",   "vie1.wav",    "5f.wav",
                                "sprint.wav",  "apple.wav",   "gulp1.wav",   "bouffe1.wav", "bouffe.wav",
                                "bouffe5.wav", "bouffe6.wav", "bouffe4.wav"};

}  // namespace

TEST(SoundEffects, EveryEffectIsAudible16BitPcmAtAStandardRate) {
    for (const char* name : kEffects) {
        Wav wav = ReadWav(name);
        ASSERT_TRUE(wav.valid) << name;
        EXPECT_TRUE(wav.rate == 22050 || wav.rate == 44100) << name;
        EXPECT_LE(wav.channels, 2) << name;
        EXPECT_GT(Peak(wav), 0.3f) << name;
        EXPECT_LT(Peak(wav), 1.0f) << name << " clips";
    }
}

TEST(SoundEffects, TheDotBlipIsShortEnoughToRestartOnEveryDot) {
    Wav wav = ReadWav("boules.wav");
    ASSERT_TRUE(wav.valid);
    EXPECT_LT(wav.Seconds(), 0.1);
}

TEST(SoundEffects, TheFrightSirenRisesAndTheDeathFalls) {
    Wav siren = ReadWav("boulesr.wav"), death = ReadWav("meur1.wav");
    ASSERT_TRUE(siren.valid && death.valid);
    EXPECT_GT(Pitch(siren, 0.6, 0.9), 1.5 * Pitch(siren, 0.05, 0.3));
    EXPECT_GT(death.Seconds(), 1.6);
    EXPECT_LT(death.Seconds(), 2.5);
    EXPECT_GT(Pitch(death, 0.02, 0.2), 1.5 * Pitch(death, 0.45, 0.65));
}

TEST(SoundEffects, EatenGhostCrunchesAreShort) {
    for (const char* name : {"bouffe5.wav", "bouffe6.wav", "bouffe4.wav"}) {
        Wav wav = ReadWav(name);
        ASSERT_TRUE(wav.valid) << name;
        EXPECT_LT(wav.Seconds(), 0.5) << name;
    }
}

TEST(SoundEffects, JinglesLastLongerThanBlips) {
    for (const char* name : {"vie1.wav", "5f.wav", "gulp1.wav"}) {
        Wav wav = ReadWav(name);
        ASSERT_TRUE(wav.valid) << name;
        EXPECT_GT(wav.Seconds(), 0.6) << name;
        EXPECT_LT(wav.Seconds(), 5.0) << name;
    }
}
