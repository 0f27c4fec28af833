// Module music on the headless audio device: one module at a time, looping,
// play handles, the 0..64 volume and its smooth changes, damaged modules, and
// music mixed with the effects.
#include "platform/headless/headless.h"
#include "sound/sound.h"
#include "tests/support/sound_files.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

namespace {

constexpr int kRate = 44100;

class Music : public ::testing::Test {
protected:
    void SetUp() override { StartMachine(headless::Options{}); }
    void TearDown() override {
        EndMusic();
        EndSound();
    }

    void StartMachine(const headless::Options& options) {
        EndMusic();
        EndSound();
        headless::Configure(options, {});
        InitSound();
        musicReady = InitMusic();
    }

    std::vector<int16_t> Pull(int frames) {
        std::vector<int16_t> out(2 * static_cast<size_t>(frames));
        headless::PullAudio(out.data(), frames);
        return out;
    }

    int Load(int id, const std::vector<uint8_t>& bytes) {
        return LoadMusicFile(id, scratch.Write("module" + std::to_string(files++) + ".mod", bytes));
    }

    ScratchDirectory scratch;
    int files = 0;
    int musicReady = 0;
};

TEST_F(Music, AModulePlaysAndLoopsUntilHalted) {
    ASSERT_EQ(musicReady, 1);
    ASSERT_EQ(Load(0, TinyProTrackerModule()), 1);
    EXPECT_NE(StartMusic(0), 0);
    EXPECT_EQ(PlayingMusic(), 0);
    // the song lasts 1.28 s; every tenth of a second of three seconds sounds
    for (int tenth = 0; tenth < 30; ++tenth) ASSERT_GT(PeakOf(Pull(kRate / 10)), 500) << tenth;
    HaltMusic();
    EXPECT_EQ(PlayingMusic(), -1);
    EXPECT_EQ(PeakOf(Pull(kRate / 10)), 0);
    HaltMusic();  // nothing plays: nothing to do
}

TEST_F(Music, StartingAnotherModuleStopsTheFirstAndGivesANewHandle) {
    ASSERT_EQ(Load(0, TinyProTrackerModule()), 1);
    ASSERT_EQ(Load(1, TinyProTrackerModule()), 1);
    int first = StartMusic(0);
    int second = StartMusic(1);
    EXPECT_NE(first, 0);
    EXPECT_NE(second, 0);
    EXPECT_NE(first, second);
    EXPECT_EQ(PlayingMusic(), 1);
    EXPECT_EQ(StartMusic(2), 0) << "nothing loaded under 2";
    EXPECT_EQ(StartMusic(-1), 0);
    EXPECT_EQ(PlayingMusic(), 1) << "a failed start leaves the music playing";
}

TEST_F(Music, RestartingPlaysFromTheStart) {
    ASSERT_EQ(Load(0, TinyProTrackerModule()), 1);
    StartMusic(0);
    std::vector<int16_t> first = Pull(5000);
    Pull(7777);
    StartMusic(0);
    EXPECT_EQ(Pull(5000), first);
}

TEST_F(Music, VolumeIsPercentTimesSixtyFourOverAHundred) {
    ASSERT_EQ(Load(0, TinyProTrackerModule()), 1);
    StartMusic(0);
    EXPECT_EQ(PlayingMusicVolume(), 64);
    const std::pair<int, int> cases[] = {{100, 64}, {50, 32}, {20, 12}, {33, 21}, {1, 0}, {0, 0}, {99, 63}};
    for (auto [percent, volume] : cases) {
        SetMusicVolume(0, percent);
        EXPECT_EQ(PlayingMusicVolume(), volume) << percent;
    }
    StartMusic(0);
    EXPECT_EQ(PlayingMusicVolume(), 64) << "a new start plays at full volume";
}

TEST_F(Music, VolumeOfAModuleThatIsNotPlayingChangesNothing) {
    ASSERT_EQ(Load(0, TinyProTrackerModule()), 1);
    ASSERT_EQ(Load(1, TinyProTrackerModule()), 1);
    SetMusicVolume(1, 10);  // never started
    StartMusic(0);
    SetMusicVolume(1, 10);
    SetMusicVolume(7, 10);
    EXPECT_EQ(PlayingMusicVolume(), 64);
}

TEST_F(Music, AVolumeChangeRampsInsteadOfStepping) {
    ASSERT_EQ(Load(0, TinyProTrackerModule()), 1);
    StartMusic(0);
    int full = PeakOf(Pull(kRate / 10));
    SetMusicVolume(0, 0);
    std::vector<int16_t> after = Pull(kRate / 10);
    EXPECT_GT(PeakOf(after, 0, 100), full / 2) << "no sudden cut";
    EXPECT_EQ(PeakOf(after, 1000), 0) << "silent within about 20 ms";
    SetMusicVolume(0, 50);
    EXPECT_NEAR(PeakOf(Pull(kRate / 10), 2000), full / 2, full / 10 + 1);
}

TEST_F(Music, AFadeByOnePercentStepsHasNoJumps) {
    ASSERT_EQ(Load(0, TinyProTrackerModule()), 1);
    StartMusic(0);
    int previousPeak = PeakOf(Pull(882));
    for (int v = 99; v >= 0; --v) {
        SetMusicVolume(0, v);
        int peak = PeakOf(Pull(882));  // 20 ms, as the game's fades wait
        EXPECT_LE(peak, previousPeak + 1);
        EXPECT_GE(peak, previousPeak - previousPeak / 10 - 200) << v;
        previousPeak = peak;
    }
    EXPECT_EQ(previousPeak, 0);
}

TEST_F(Music, DamagedOrMissingModulesFailAndKeepTheOldOne) {
    ASSERT_EQ(Load(0, TinyProTrackerModule()), 1);
    std::vector<uint8_t> module = TinyProTrackerModule();
    std::vector<uint8_t> noise(4000);
    for (size_t i = 0; i < noise.size(); ++i) noise[i] = static_cast<uint8_t>(i * 7919 % 251);
    std::vector<uint8_t> badMagic = module;
    badMagic[1080] = 'X';
    EXPECT_EQ(Load(0, {}), 0);
    EXPECT_EQ(Load(0, noise), 0);
    EXPECT_EQ(Load(0, std::vector<uint8_t>(module.begin(), module.begin() + 600)), 0);
    Load(0, badMagic);  // may pass as an old 15-sample module; must not crash
    EXPECT_EQ(LoadMusicFile(0, scratch.Path() + "/missing.mod"), 0);
    EXPECT_EQ(LoadMusicFile(0, scratch.Path()), 0) << "a directory";
    ASSERT_EQ(Load(1, TinyProTrackerModule()), 1);
    EXPECT_EQ(Load(1, noise), 0);
    EXPECT_NE(StartMusic(1), 0);
    EXPECT_GT(PeakOf(Pull(kRate / 10)), 500);
}

// Some truncations pass for packed modules, whose converter narrows the
// process's file-creation mask for a temporary file: the mask stays as the
// player set it, or folders made later could not be entered.
TEST_F(Music, EveryTruncationOfAModuleLoadsSafely) {
    const mode_t mask = umask(022);
    std::vector<uint8_t> module = TinyProTrackerModule();
    for (size_t length = 0; length < module.size(); length += 7) {
        EXPECT_EQ(umask(022), 022) << length << " bytes";
        if (Load(3, std::vector<uint8_t>(module.begin(), module.begin() + length)) == 1) {
            StartMusic(3);
            Pull(2000);
            HaltMusic();
        }
    }
    EXPECT_EQ(umask(mask), 022);
}

TEST_F(Music, LoadingOverThePlayingModuleStopsItFirst) {
    ASSERT_EQ(Load(0, TinyProTrackerModule()), 1);
    StartMusic(0);
    Pull(1000);
    ASSERT_EQ(Load(0, TinyProTrackerModule()), 1);
    EXPECT_EQ(PlayingMusic(), -1);
    EXPECT_EQ(PeakOf(Pull(1000)), 0);
    EXPECT_NE(StartMusic(0), 0);
}

TEST_F(Music, TheTableGrowsForHighNumbers) {
    ASSERT_EQ(Load(25, TinyProTrackerModule()), 1);
    EXPECT_NE(StartMusic(25), 0);
    EXPECT_EQ(Load(-3, TinyProTrackerModule()), 0);
}

TEST_F(Music, MusicAndEffectsAreMixedTogether) {
    ASSERT_EQ(Load(0, TinyProTrackerModule()), 1);
    ASSERT_EQ(LoadSoundFile(0, scratch.Write("dot.wav", ConstantWav(kRate, 1000))), 1);
    StartMusic(0);
    std::vector<int16_t> music = Pull(3000);
    StartMusic(0);
    StartSound(0, 0);
    std::vector<int16_t> both = Pull(3000);
    for (size_t i = 0; i < both.size(); ++i) ASSERT_EQ(both[i], music[i] + 1000) << i;
}

TEST_F(Music, WithoutAnAudioDeviceTheModulePlayerDoesNothing) {
    headless::Options options;
    options.noAudio = true;
    StartMachine(options);
    EXPECT_EQ(musicReady, 0);
    EXPECT_EQ(Load(0, TinyProTrackerModule()), 0);
    EXPECT_EQ(StartMusic(0), 0);
    SetMusicVolume(0, 50);
    HaltMusic();
    EXPECT_EQ(PlayingMusic(), -1);
}

}  // namespace
