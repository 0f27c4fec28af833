// Damaged pictures: every cut and many mutated copies of real BMP and JPEG
// files go through the decoder. None may crash it or make it read or write
// out of bounds (this test is meant for the sanitizer build too), and every
// picture it returns has all its pixels.
#include "pictures/picture_decoding.h"
#include "tests/support/pictures.h"

#include <gtest/gtest.h>

#include <random>

namespace {

std::vector<std::vector<uint8_t>> SeedBmps() {
    std::vector<std::vector<uint8_t>> seeds;
    for (int bits : {1, 4, 8, 16, 24, 32}) {
        TestBmp bmp;
        bmp.width = 13;
        bmp.height = 5;
        bmp.bits = bits;
        for (int i = 0; i < 65; ++i) bmp.values.push_back(bits >= 24 ? 0x102030u * i : static_cast<uint32_t>(i * 37));
        if (bits == 4 || bits == 8) bmp.palette.assign(bits == 4 ? 16 : 256, 0x7F3F1F);
        seeds.push_back(EncodeTestBmp(bmp));
    }
    return seeds;
}

std::vector<std::vector<uint8_t>> SeedJpegs() {
    std::vector<std::vector<uint8_t>> seeds;
    for (int kind = 0; kind < 3; ++kind) {
        TestJpeg jpeg;
        jpeg.width = 24;
        jpeg.height = 18;
        jpeg.colours = TestPattern(24, 18);
        jpeg.grayscale = kind == 1;
        jpeg.progressive = kind == 2;
        seeds.push_back(EncodeTestJpeg(jpeg));
    }
    return seeds;
}

void Check(const std::vector<uint8_t>& data) {
    DecodedPicture picture;
    if (DecodePicture(data.data(), data.size(), picture)) {
        ASSERT_EQ(picture.pixels.size(), static_cast<size_t>(picture.width) * picture.height);
        ASSERT_GE(picture.width, 1);
        ASSERT_LE(picture.width, kMaxPictureSide);
    }
}

// Each copy is cut to its exact length, so the sanitizer sees any read past it.
void CheckEveryCut(const std::vector<uint8_t>& seed) {
    for (size_t length = 0; length < seed.size(); ++length) {
        Check(std::vector<uint8_t>(seed.begin(), seed.begin() + length));
    }
}

// Random bytes, bytes set to extreme values, and header words overwritten.
std::vector<uint8_t> Mutate(const std::vector<uint8_t>& seed, std::mt19937& random) {
    std::vector<uint8_t> copy = seed;
    int changes = 1 + static_cast<int>(random() % 8);
    for (int i = 0; i < changes; ++i) {
        size_t at = random() % copy.size();
        switch (random() % 4) {
            case 0: copy[at] = static_cast<uint8_t>(random()); break;
            case 1: copy[at] = (random() % 2) ? 0xFF : 0x00; break;
            case 2: copy[at % 64] ^= static_cast<uint8_t>(1u << (random() % 8)); break;
            default: copy[at] = 0x7F; break;
        }
    }
    if (random() % 4 == 0) copy.resize(random() % copy.size());
    return copy;
}

class DamagedPictures : public ::testing::Test {
protected:
    void SetUp() override {
        InitImageDecoders();
        UseJpegDecoder();
        SetPixelLayout555(false);
    }
};

TEST_F(DamagedPictures, EveryCutOfABmpIsSafe) {
    for (const auto& seed : SeedBmps()) CheckEveryCut(seed);
}

TEST_F(DamagedPictures, EveryCutOfAJpegIsSafe) {
    for (const auto& seed : SeedJpegs()) CheckEveryCut(seed);
}

TEST_F(DamagedPictures, MutatedCopiesAreSafe) {
    std::mt19937 random(20260305);
    std::vector<std::vector<uint8_t>> seeds = SeedBmps();
    for (auto& jpeg : SeedJpegs()) seeds.push_back(std::move(jpeg));
    for (const auto& seed : seeds) {
        for (int i = 0; i < 400; ++i) Check(Mutate(seed, random));
    }
}

}  // namespace
