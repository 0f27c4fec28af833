// The sound service on the real SDL backend, heard through SDL's disk audio
// driver: the device file must hold the effect, then the music, then
// silence once the music is halted and the effect has ended; and the beep's
// tone.
#include "sound/sound.h"
#include "tests/support/sound_files.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

constexpr int kRate = 44100;
// device buffers mixed before a change but written after it, and the file's
// own write buffering
constexpr size_t kLatencyFrames = 4096;

class SdlAudio : public ::testing::Test {
protected:
    void SetUp() override {
        devicePath = scratch.Path() + "/device.raw";
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", devicePath.c_str(), 1);
        ASSERT_EQ(InitSound(), 1) << SDL_GetError();
        ASSERT_EQ(InitMusic(), 1);
    }

    void TearDown() override {
        EndMusic();
        EndSound();
    }

    // frames written to the device so far
    size_t FramesWritten() const { return std::filesystem::file_size(devicePath) / 4; }

    std::vector<int16_t> DeviceOutput() const {
        std::ifstream file(devicePath, std::ios::binary);
        std::vector<char> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        std::vector<int16_t> samples(bytes.size() / 2);
        std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
        return samples;
    }

    ScratchDirectory scratch;
    std::string devicePath;
};

// the first and last frames that are not silent in [from, to), or -1
std::pair<long, long> SoundingSpan(const std::vector<int16_t>& samples, size_t from, size_t to) {
    long first = -1, last = -1;
    for (size_t frame = from; frame < to && 2 * frame + 1 < samples.size(); ++frame) {
        if (samples[2 * frame] != 0 || samples[2 * frame + 1] != 0) {
            if (first < 0) first = static_cast<long>(frame);
            last = static_cast<long>(frame);
        }
    }
    return {first, last};
}

// a quarter second of a 1 kHz square wave, 16-bit mono at 22050 Hz
std::vector<uint8_t> SquareWaveWav() {
    WavFile wav;
    wav.sampleRate = 22050;
    for (int i = 0; i < 22050 / 4; ++i) wav.samples.push_back((i / 11) % 2 ? 8000 : -8000);
    return wav.Bytes();
}

TEST_F(SdlAudio, AnEffectThenAModuleThenSilenceReachTheDevice) {
    ASSERT_EQ(LoadSoundFile(0, scratch.Write("boules.wav", SquareWaveWav())), 1);
    ASSERT_EQ(LoadMusicFile(0, scratch.Write("14.mod", TinyProTrackerModule())), 1);

    StartSoundOnce(0);
    SDL_Delay(450);
    EXPECT_FALSE(SoundPlaying(0));
    const size_t effectDone = FramesWritten();
    ASSERT_NE(StartMusic(0), 0);
    SDL_Delay(500);
    const size_t musicDone = FramesWritten();
    HaltMusic();
    SDL_Delay(400);
    EndMusic();
    EndSound();  // closes the device file

    std::vector<int16_t> out = DeviceOutput();
    const size_t total = out.size() / 2;
    ASSERT_GT(musicDone, effectDone + 2 * kLatencyFrames);
    ASSERT_GT(total, musicDone + 2 * kLatencyFrames);

    auto [effectFirst, effectLast] = SoundingSpan(out, 0, effectDone);
    ASSERT_GE(effectFirst, 0) << "the effect was heard";
    EXPECT_NEAR(effectLast - effectFirst, kRate / 4, 8) << "a quarter second, once";
    EXPECT_LT(static_cast<size_t>(effectLast), effectDone) << "and silence after it";

    auto [musicFirst, musicLast] = SoundingSpan(out, effectDone + kLatencyFrames, musicDone);
    EXPECT_GE(musicFirst, 0) << "the module was heard";
    EXPECT_GT(PeakOf(out, effectDone + kLatencyFrames, musicDone - effectDone - kLatencyFrames), 1000);

    EXPECT_EQ(PeakOf(out, musicDone + kLatencyFrames), 0) << "silence after HaltMusic";
}

TEST_F(SdlAudio, TheBeepIsHeardForItsLength) {
    const uint32_t before = SDL_GetTicks();
    Beep(800, 120);
    EXPECT_GE(SDL_GetTicks() - before, 120u) << "the beep blocks for its length";
    SDL_Delay(200);
    EndSound();

    std::vector<int16_t> out = DeviceOutput();
    auto [first, last] = SoundingSpan(out, 0, out.size() / 2);
    ASSERT_GE(first, 0);
    EXPECT_NEAR(last - first, kRate * 120 / 1000, 100);
    int crossings = 0;
    for (long frame = first + 1; frame <= last; ++frame) crossings += (out[2 * frame - 2] < 0) != (out[2 * frame] < 0);
    EXPECT_NEAR(crossings, 2 * 800 * 120 / 1000, 4) << "800 Hz";
}

}  // namespace
