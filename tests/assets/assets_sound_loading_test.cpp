// The sound and music catalogues loaded through the game's own sound
// service from the pack the build wrote: every effect and every module
// loads, and each module sounds through the game's mixer right past the end
// of its song, because the player loops it.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "platform/headless/headless.h"
#include "sound/sound.h"

namespace {

const char* const kEffects[] = {"wav\\boules.wav",  "wav\\boulesr.wav", "wav\\meur1.wav",   "wav\\vie1.wav",
                                "wav\\5f.wav",      "wav\\sprint.wav",  "wav\\apple.wav",   "wav\\gulp1.wav",
                                "wav\\bouffe1.wav", "wav\\bouffe.wav",  "wav\\bouffe5.wav", "wav\\bouffe6.wav",
                                "wav\\bouffe4.wav"};
const char* const kModules[] = {"music\\14.mod", "music\\5.xm", "music\\4.xm"};

class SoundCatalogue : public ::testing::Test {
protected:
    void SetUp() override {
        headless::Configure(headless::Options{}, {});
        InitSound();
        InitMusic();
    }
    void TearDown() override {
        EndMusic();
        EndSound();
    }
};

// RMS level of each two-second window of `seconds` of the audio output
std::vector<double> OutputLevels(int seconds) {
    std::vector<double> levels;
    std::vector<int16_t> block(2 * 44100 * 2);
    for (int window = 0; window < seconds / 2; ++window) {
        headless::PullAudio(block.data(), 2 * 44100);
        double sum = 0;
        for (int16_t s : block) sum += double(s) * s;
        levels.push_back(std::sqrt(sum / block.size()));
    }
    return levels;
}

}  // namespace

TEST_F(SoundCatalogue, EveryEffectLoads) {
    for (int i = 0; i < 13; ++i) EXPECT_NE(LoadSoundFile(i, kEffects[i]), 0) << kEffects[i];
}

TEST_F(SoundCatalogue, EveryModuleLoadsAndStarts) {
    for (int i = 0; i < 3; ++i) {
        ASSERT_NE(LoadMusicFile(i, kModules[i]), 0) << kModules[i];
        EXPECT_NE(StartMusic(i), 0) << kModules[i];
        EXPECT_EQ(PlayingMusic(), i);
        HaltMusic();
    }
}

TEST_F(SoundCatalogue, EveryModuleSoundsThroughTheMixerPastItsLoop) {
    // the songs loop after 54, 51 and 43 seconds
    for (int i = 0; i < 3; ++i) {
        ASSERT_NE(LoadMusicFile(i, kModules[i]), 0) << kModules[i];
        ASSERT_NE(StartMusic(i), 0) << kModules[i];
        std::vector<double> levels = OutputLevels(62);
        for (size_t w = 0; w < levels.size(); ++w)
            EXPECT_GT(levels[w], 400.0) << kModules[i] << " is silent around second " << 2 * w;
        HaltMusic();
        EXPECT_LT(OutputLevels(2).front(), 1.0) << "halted music keeps sounding";
    }
}
