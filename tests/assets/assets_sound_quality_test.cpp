// The pack's sound is clean: every effect and every instrument sample of the
// modules has no offset, starts (and, unless looped, ends) at silence and
// peaks below -1 dBFS; a looped sample joins its end to its start with no
// larger step than any inside it; and each module, played once through the
// game's own mixer, keeps its mean at zero and never reaches full scale.
#include "sound/mixer.h"

#include <gtest/gtest.h>
#include <xmp.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr double kMaxOffset = 0.002;  // of full scale
constexpr double kMaxEdge = 0.005;
constexpr double kMaxPeak = 0.8913;   // -1 dBFS

const char* const kEffects[] = {"boules.wav",  "boulesr.wav", "meur1.wav",   "vie1.wav",    "5f.wav",
                                "sprint.wav",  "apple.wav",   "gulp1.wav",   "bouffe1.wav", "bouffe.wav",
                                "bouffe5.wav", "bouffe6.wav", "bouffe4.wav"};
const char* const kModules[] = {"music/14.mod", "music/5.xm", "music/4.xm"};

// the samples of a 16-bit mono WAV as the generator writes it (data at byte 44)
std::vector<double> ReadMonoWav(const std::string& path) {
    std::vector<double> samples;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return samples;
    unsigned char bytes[2];
    std::fseek(file, 44, SEEK_SET);
    while (std::fread(bytes, 1, 2, file) == 2) samples.push_back(int16_t(bytes[0] | bytes[1] << 8) / 32768.0);
    std::fclose(file);
    return samples;
}

double Mean(const std::vector<double>& s, size_t from, size_t to) {
    double sum = 0;
    for (size_t i = from; i < to; ++i) sum += s[i];
    return to > from ? sum / double(to - from) : 0;
}

double Peak(const std::vector<double>& s) {
    double peak = 0;
    for (double v : s) peak = std::max(peak, std::fabs(v));
    return peak;
}

// a module's sample as values of full scale
std::vector<double> SampleValues(const xmp_sample& sample) {
    std::vector<double> values(size_t(std::max(sample.len, 0)));
    for (size_t i = 0; i < values.size(); ++i) {
        values[i] = (sample.flg & XMP_SAMPLE_16BIT) ? reinterpret_cast<const int16_t*>(sample.data)[i] / 32768.0
                                                    : reinterpret_cast<const int8_t*>(sample.data)[i] / 128.0;
    }
    return values;
}

void ExpectCleanSample(const xmp_sample& sample, const std::string& where) {
    std::vector<double> s = SampleValues(sample);
    ASSERT_FALSE(s.empty()) << where;
    bool looped = (sample.flg & XMP_SAMPLE_LOOP) && sample.lpe - sample.lps > 2;
    size_t from = looped ? size_t(sample.lps) : 0, to = looped ? size_t(sample.lpe) : s.size();
    EXPECT_LE(std::fabs(Mean(s, from, to)), kMaxOffset) << where << " has an offset";
    EXPECT_LE(std::fabs(s.front()), kMaxEdge) << where << " starts on a step";
    EXPECT_LE(Peak(s), kMaxPeak) << where;
    if (!looped) {
        EXPECT_LE(std::fabs(s.back()), kMaxEdge) << where << " ends on a step";
        return;
    }
    double inner = 0;
    for (size_t i = from + 1; i < to; ++i) inner = std::max(inner, std::fabs(s[i] - s[i - 1]));
    EXPECT_LE(std::fabs(s[from] - s[to - 1]), inner + 1e-9) << where << " jumps at its loop";
}

// Plays the started module once through a mixer; the interleaved output.
std::vector<int16_t> MixOnePass(xmp_context player) {
    auto mixer = std::make_unique<Mixer>();
    mixer->music.player = player;
    std::vector<int16_t> out;
    int16_t block[2 * 4096];
    xmp_frame_info info;
    for (xmp_get_frame_info(player, &info); info.loop_count == 0; xmp_get_frame_info(player, &info)) {
        MixInto(*mixer, block, 4096);
        out.insert(out.end(), block, block + 2 * 4096);
    }
    return out;
}

}  // namespace

TEST(SoundQuality, EveryEffectIsCentredStartsAndEndsSilentAndPeaksBelowMinusOneDb) {
    for (const char* name : kEffects) {
        std::vector<double> s = ReadMonoWav(std::string("wav/") + name);
        ASSERT_GT(s.size(), 100u) << name;
        EXPECT_LE(std::fabs(Mean(s, 0, s.size())), kMaxOffset) << name;
        EXPECT_LE(std::fabs(s.front()), kMaxEdge) << name;
        EXPECT_LE(std::fabs(s.back()), kMaxEdge) << name;
        EXPECT_LE(Peak(s), kMaxPeak) << name;
    }
}

TEST(SoundQuality, EveryModuleHasCleanSamplesAndMixesWithoutOffsetOrClipping) {
    for (const char* name : kModules) {
        xmp_context player = xmp_create_context();
        ASSERT_EQ(xmp_load_module(player, const_cast<char*>(name)), 0) << name;
        xmp_module_info info;
        xmp_get_module_info(player, &info);
        for (int i = 0; i < info.mod->smp; ++i)
            if (info.mod->xxs[i].len > 0) ExpectCleanSample(info.mod->xxs[i], std::string(name) + " sample " + std::to_string(i + 1));
        xmp_start_player(player, 44100, 0);
        std::vector<int16_t> out = MixOnePass(player);
        EXPECT_GT(out.size(), 2u * 44100 * 20) << name << " plays for at least 20 s";
        for (int channel = 0; channel < 2; ++channel) {
            double sum = 0;
            for (size_t i = size_t(channel); i < out.size(); i += 2) sum += out[i];
            EXPECT_LE(std::fabs(sum / double(out.size() / 2) / 32768), kMaxOffset) << name << " channel " << channel;
        }
        EXPECT_TRUE(std::none_of(out.begin(), out.end(), [](int16_t v) { return v >= 32767 || v <= -32767; })) << name;
        xmp_end_player(player);
        xmp_release_module(player);
        xmp_free_context(player);
    }
}

// The limiter between the mix and the 16-bit output: unchanged up to -3 dBFS,
// then rising ever more slowly, never by a step, never to full scale.
TEST(SoundQuality, TheLimiterIsTransparentBelowMinusThreeDbAndNeverReachesFullScale) {
    for (int32_t sum : {0, 1, -1, 1000, -23000, 23197, -23197}) EXPECT_EQ(LimitedSample(sum), sum);
    int previous = LimitedSample(23000);
    for (int32_t sum = 23001; sum <= 200000; ++sum) {
        int value = LimitedSample(sum);
        ASSERT_GE(value, previous) << sum;
        ASSERT_LE(value - previous, 1) << sum;
        ASSERT_EQ(LimitedSample(-sum), -value) << sum;
        previous = value;
    }
    EXPECT_LT(LimitedSample(INT32_MAX), 32767);
    EXPECT_GT(LimitedSample(INT32_MIN + 1), -32767);
    // it bends from the knee on (a hard clip near full scale would not) ...
    EXPECT_LT(LimitedSample(28000), 27600);
    EXPECT_LT(LimitedSample(32766), 30300);
    EXPECT_GT(LimitedSample(60000), 31900) << "and still rises towards its ceiling";
    // ... ever more slowly: the rise over each further 2000 falls
    int rise = 2000;
    for (int32_t sum = 24000; sum < 60000; sum += 2000) {
        int next = LimitedSample(sum + 2000) - LimitedSample(sum);
        EXPECT_LT(next, rise) << sum;
        rise = next;
    }
}
