// Sound effects on the headless audio device: one voice per sound number,
// restarts, mixing with the limiter, the growing sound table, failed loads and
// the alert tone. The tests pull the mixed output as the device would.
#include "sound/mixer.h"
#include "platform/headless/headless.h"
#include "sound/sound.h"
#include "tests/support/sound_files.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

class SoundEffects : public ::testing::Test {
protected:
    void SetUp() override { StartMachine(headless::Options{}); }
    void TearDown() override { EndSound(); }

    void StartMachine(const headless::Options& options) {
        EndSound();
        headless::Configure(options, {});
        soundReady = InitSound();
    }

    std::vector<int16_t> Pull(int frames) {
        std::vector<int16_t> out(2 * static_cast<size_t>(frames));
        headless::PullAudio(out.data(), frames);
        return out;
    }

    int Load(int id, const std::vector<uint8_t>& bytes) {
        return LoadSoundFile(id, scratch.Write("effect" + std::to_string(files++) + ".wav", bytes));
    }

    // a sound whose samples count up, so that its position can be read back
    std::vector<uint8_t> RampWav(int frames) {
        WavFile wav;
        for (int i = 0; i < frames; ++i) wav.samples.push_back(i * 10);
        return wav.Bytes();
    }

    ScratchDirectory scratch;
    int files = 0;
    int soundReady = 0;
};

TEST_F(SoundEffects, AnEffectPlaysOnceThenFallsSilent) {
    ASSERT_EQ(soundReady, 1);
    ASSERT_EQ(Load(0, ConstantWav(100, 1000)), 1);
    StartSoundOnce(0);
    EXPECT_TRUE(SoundPlaying(0));
    std::vector<int16_t> out = Pull(150);
    EXPECT_EQ(out[0], 1000);
    EXPECT_EQ(out[2 * 99 + 1], 1000);
    EXPECT_EQ(PeakOf(out, 100), 0);
    EXPECT_FALSE(SoundPlaying(0));
    EXPECT_EQ(TakeStartedSounds(), std::vector<int>{0});
    EXPECT_TRUE(TakeStartedSounds().empty());
}

TEST_F(SoundEffects, StartingAPlayingSoundCutsItAndStartsItAgain) {
    ASSERT_EQ(Load(7, RampWav(1000)), 1);
    StartSound(7, 0);
    std::vector<int16_t> first = Pull(300);
    StartSound(7, 0);
    std::vector<int16_t> second = Pull(300);
    EXPECT_EQ(first, second) << "the second start plays from the beginning, alone";
    EXPECT_EQ(second[2 * 299], 2990);
    EXPECT_EQ(TakeStartedSounds(), (std::vector<int>{7, 7}));
}

TEST_F(SoundEffects, DifferentNumbersPlayTogetherAndTheSumIsLimited) {
    ASSERT_EQ(Load(1, ConstantWav(50, 1000)), 1);
    ASSERT_EQ(Load(2, ConstantWav(50, 2000)), 1);
    ASSERT_EQ(Load(11, ConstantWav(50, 30000)), 1);
    ASSERT_EQ(Load(12, ConstantWav(50, 30000)), 1);
    ASSERT_EQ(Load(13, ConstantWav(50, -30000)), 1);
    StartSound(1, 0);
    StartSound(2, 0);
    EXPECT_EQ(Pull(1)[0], 3000);
    StartSound(11, 0);
    StartSound(12, 0);
    int16_t loud = Pull(1)[0];
    EXPECT_GT(loud, 30000) << "limited, not wrapped round";
    EXPECT_LT(loud, 32767) << "and never at full scale";
    Pull(100);
    StartSound(11, 0);
    StartSound(12, 0);
    StartSound(13, 0);
    EXPECT_EQ(Pull(1)[0], LimitedSample(30000)) << "only the final sum is limited";
}

TEST_F(SoundEffects, ALoopingSoundRepeatsUntilRestartedWithoutLoop) {
    ASSERT_EQ(Load(4, ConstantWav(100, 500)), 1);
    StartSound(4, 1);
    std::vector<int16_t> out = Pull(1000);
    EXPECT_TRUE(std::all_of(out.begin(), out.end(), [](int16_t s) { return s == 500; }));
    StartSound(4, 0);
    EXPECT_EQ(PeakOf(Pull(200), 100), 0);
}

TEST_F(SoundEffects, NumbersWithoutASoundDoNothing) {
    ASSERT_EQ(Load(0, ConstantWav(10, 1000)), 1);
    for (int id : {3, 49, 50, 5000, -1}) StartSound(id, 0);
    EXPECT_EQ(PeakOf(Pull(100)), 0);
    EXPECT_TRUE(TakeStartedSounds().empty());
    EXPECT_FALSE(SoundPlaying(3));
}

TEST_F(SoundEffects, AFailedLoadKeepsTheSoundAlreadyThere) {
    ASSERT_EQ(Load(5, ConstantWav(100, 1000)), 1);
    EXPECT_EQ(LoadSoundFile(5, scratch.Path() + "/missing.wav"), 0);
    std::vector<uint8_t> damaged = ConstantWav(100, 2000);
    damaged[12] = 'x';
    EXPECT_EQ(Load(5, damaged), 0);
    EXPECT_EQ(Load(5, {}), 0);
    StartSound(5, 0);
    EXPECT_EQ(Pull(1)[0], 1000);
}

TEST_F(SoundEffects, LoadingOverASoundReplacesItAndStopsItsPlayback) {
    ASSERT_EQ(Load(6, ConstantWav(1000, 1000)), 1);
    StartSound(6, 0);
    Pull(10);
    ASSERT_EQ(Load(6, ConstantWav(1000, 2000)), 1);
    EXPECT_FALSE(SoundPlaying(6));
    EXPECT_EQ(PeakOf(Pull(10)), 0);
    StartSound(6, 0);
    EXPECT_EQ(Pull(1)[0], 2000);
}

TEST_F(SoundEffects, TheTableStartsAtFiftyAndGrowsToTheNumberPlusTen) {
    EXPECT_EQ(SoundTableSize(), 50);
    ASSERT_EQ(Load(49, ConstantWav(10, 1)), 1);
    EXPECT_EQ(SoundTableSize(), 50);
    ASSERT_EQ(Load(50, ConstantWav(10, 1)), 1);
    EXPECT_EQ(SoundTableSize(), 60);
    ASSERT_EQ(Load(75, ConstantWav(10, 1)), 1);
    EXPECT_EQ(SoundTableSize(), 85);
    ASSERT_EQ(Load(70, ConstantWav(10, 1)), 1);
    EXPECT_EQ(SoundTableSize(), 85);
    EXPECT_EQ(Load(-1, ConstantWav(10, 1)), 0);
    StartSound(75, 0);
    EXPECT_EQ(Pull(1)[0], 1);
}

TEST_F(SoundEffects, GamePathsWithBackslashesAreRead) {
    std::string path = scratch.Write("boules.wav", ConstantWav(10, 300));
    std::replace(path.begin(), path.end(), '/', '\\');
    ASSERT_EQ(LoadSoundFile(0, path), 1);
}

TEST_F(SoundEffects, WithoutAnAudioDeviceNothingLoadsOrPlays) {
    headless::Options options;
    options.noAudio = true;
    StartMachine(options);
    EXPECT_EQ(soundReady, 0);
    EXPECT_EQ(Load(0, ConstantWav(10, 1000)), 0);
    StartSound(0, 0);
    EXPECT_TRUE(TakeStartedSounds().empty());
    Beep(800, 20);
    EXPECT_EQ(headless::Beeps().size(), 1u) << "the beep still blocks for its length";
}

TEST_F(SoundEffects, TheBeepIsAToneOfItsFrequencyAndLengthThatBlocks) {
    uint64_t before = headless::VirtualMicros();
    Beep(800, 20);
    EXPECT_EQ(headless::VirtualMicros() - before, 20000u);
    ASSERT_EQ(headless::Beeps().size(), 1u);
    EXPECT_EQ(headless::Beeps()[0], std::make_pair(800, 20));
    std::vector<int16_t> out = Pull(1000);
    int crossings = 0;
    for (size_t i = 1; i < 882; ++i) crossings += (out[2 * i - 2] < 0) != (out[2 * i] < 0);
    EXPECT_NEAR(crossings, 32, 2) << "16 cycles of 800 Hz in 20 ms";
    EXPECT_GT(PeakOf(out, 0, 882), 4000);
    EXPECT_EQ(PeakOf(out, 882), 0);
}

}  // namespace
