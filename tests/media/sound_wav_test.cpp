// Reading WAV effects: the header checks, the sample chunk taken whatever its
// name, sizes never trusted past the file, and the conversion to 44100 Hz
// 16-bit stereo.
#include "sound/wav_decoding.h"
#include "tests/support/sound_files.h"

#include <gtest/gtest.h>

namespace {

std::vector<int16_t> Decoded(const std::vector<uint8_t>& bytes) {
    std::vector<int16_t> frames;
    EXPECT_TRUE(DecodeWav(bytes, frames));
    return frames;
}

bool Refused(const std::vector<uint8_t>& bytes) {
    std::vector<int16_t> frames = {7, 7};
    bool ok = DecodeWav(bytes, frames);
    EXPECT_EQ(frames, (std::vector<int16_t>{7, 7})) << "a refused file must leave the output alone";
    return !ok;
}

TEST(WavDecoding, SixteenBitStereoAt44100IsKeptAsIs) {
    WavFile wav;
    wav.channels = 2;
    wav.samples = {100, -100, 32767, -32768, 5, 6};
    EXPECT_EQ(Decoded(wav.Bytes()), (std::vector<int16_t>{100, -100, 32767, -32768, 5, 6}));
}

TEST(WavDecoding, EightBitMonoIsCentredScaledAndDoubledToStereo) {
    WavFile wav;
    wav.bitsPerSample = 8;
    wav.samples = {128, 255, 0};
    EXPECT_EQ(Decoded(wav.Bytes()), (std::vector<int16_t>{0, 0, 127 * 256, 127 * 256, -32768, -32768}));
}

TEST(WavDecoding, OtherRatesAreResampledTo44100) {
    WavFile wav;
    wav.sampleRate = 22050;
    wav.samples = {0, 1000, 2000, 3000};
    std::vector<int16_t> frames = Decoded(wav.Bytes());
    ASSERT_EQ(frames.size(), 2u * 8);
    EXPECT_EQ(frames[2 * 1], 500);  // halfway between the first two samples
    EXPECT_EQ(frames[2 * 2], 1000);
    EXPECT_EQ(frames[2 * 7], 3000);  // the last sample is held, not read past

    wav.sampleRate = 11025;
    wav.samples.assign(1000, 0);
    EXPECT_EQ(Decoded(wav.Bytes()).size(), 2u * 4000);
}

TEST(WavDecoding, TheChunkAfterTheFormatHoldsTheSamplesWhateverItsName) {
    WavFile wav;
    wav.chunkName = "LIST";
    wav.samples = {11, 22};
    EXPECT_EQ(Decoded(wav.Bytes()), (std::vector<int16_t>{11, 11, 22, 22}));
}

TEST(WavDecoding, ASampleChunkLongerThanTheFileIsCutToTheFile) {
    WavFile wav;
    wav.samples = {1, 2, 3};
    wav.declaredSize = 0x7FFFFFF0;
    EXPECT_EQ(Decoded(wav.Bytes()), (std::vector<int16_t>{1, 1, 2, 2, 3, 3}));
    // a trailing half sample is dropped
    std::vector<uint8_t> bytes = wav.Bytes();
    bytes.push_back(0x55);
    EXPECT_EQ(Decoded(bytes).size(), 6u);
}

TEST(WavDecoding, FilesThatAreNotPlayablePcmAreRefused) {
    WavFile good;
    good.samples = {1, 2, 3, 4};
    std::vector<uint8_t> bytes = good.Bytes();

    std::vector<uint8_t> notRiff = bytes;
    notRiff[0] = 'X';
    EXPECT_TRUE(Refused(notRiff));
    std::vector<uint8_t> noFormat = bytes;
    noFormat[12] = 'X';
    EXPECT_TRUE(Refused(noFormat));

    WavFile other = good;
    other.tag = 3;  // floating point
    EXPECT_TRUE(Refused(other.Bytes()));
    other = good;
    other.bitsPerSample = 24;
    EXPECT_TRUE(Refused(other.Bytes()));
    other = good;
    other.channels = 6;
    EXPECT_TRUE(Refused(other.Bytes()));
    other = good;
    other.sampleRate = 0;
    EXPECT_TRUE(Refused(other.Bytes()));
    other = good;
    other.samples.clear();
    EXPECT_TRUE(Refused(other.Bytes()));
    EXPECT_TRUE(Refused({}));
}

TEST(WavDecoding, AFormatChunkSizeBeyondTheFileIsRefused) {
    WavFile wav;
    wav.samples = {1, 2};
    std::vector<uint8_t> bytes = wav.Bytes();
    for (uint32_t size : {0xFFFFFFFFu, 0xFFFFFFF0u, static_cast<uint32_t>(bytes.size()), 8u}) {
        std::vector<uint8_t> damaged = bytes;
        damaged[16] = size & 0xFF;
        damaged[17] = (size >> 8) & 0xFF;
        damaged[18] = (size >> 16) & 0xFF;
        damaged[19] = (size >> 24) & 0xFF;
        EXPECT_TRUE(Refused(damaged)) << "format size " << size;
    }
}

TEST(WavDecoding, EveryTruncationOfAFileIsReadSafely) {
    WavFile wav;
    wav.channels = 2;
    wav.samples.assign(64, 1234);
    std::vector<uint8_t> bytes = wav.Bytes();
    for (size_t length = 0; length < bytes.size(); ++length) {
        std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + length);
        std::vector<int16_t> frames;
        bool ok = DecodeWav(cut, frames);
        // the header and size field end at byte 44; only whole frames are kept
        EXPECT_EQ(ok, length >= 48) << length;
        if (ok) {
            EXPECT_EQ(frames.size(), 2 * ((length - 44) / 4));
        }
    }
}

TEST(WavDecoding, AVeryLowRateCannotBlowUpTheEffect) {
    WavFile wav;
    wav.sampleRate = 100;
    wav.bitsPerSample = 8;
    wav.samples.assign(200000, 200);
    EXPECT_EQ(Decoded(wav.Bytes()).size(), 2 * kMaxEffectFrames);
}

}  // namespace
