// Pictures written by another program: ImageMagick's convert turns one of
// our own 24-bit pictures into BMP3 files of 1, 4, 8, 24 and 32 bits and into
// JPEG files, and each must decode to the pixels convert put in it. Skipped
// where convert is not installed.
#include "pictures/bmp_writer.h"
#include "pictures/picture_decoding.h"
#include "tests/support/pictures.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

namespace {

constexpr int kWidth = 37, kHeight = 23;  // odd sizes: every row is padded

class ConvertedPictures : public ::testing::Test {
protected:
    void SetUp() override {
        if (ConvertProgram().empty()) GTEST_SKIP() << "ImageMagick's convert is not installed";
        InitImageDecoders();
        UseJpegDecoder();
        SetPixelLayout555(false);
    }

    // Writes 5:6:5 pixels as our 24-bit BMP; their colours survive any
    // lossless conversion exactly.
    std::string WriteSource(const std::string& name, const std::vector<uint16_t>& pixels) {
        std::vector<uint8_t> file;
        EncodeBmp24(pixels.data(), kWidth, kHeight, kWidth, file);
        WriteBytes(dir.File(name), file);
        return dir.File(name);
    }

    DecodedPicture DecodeFile(const std::string& path) {
        std::vector<uint8_t> bytes = ReadBytes(path);
        DecodedPicture picture;
        EXPECT_TRUE(DecodePicture(bytes.data(), bytes.size(), picture)) << path;
        return picture;
    }

    // converts the source with these options and checks the bits per pixel
    // that convert chose
    DecodedPicture Converted(const std::string& source, const std::string& options, int expectedBits) {
        std::string out = dir.File("out" + std::to_string(expectedBits) + ".bmp");
        EXPECT_TRUE(RunConvert(source + " " + options + " -compress None BMP3:" + out));
        std::vector<uint8_t> bytes = ReadBytes(out);
        EXPECT_GE(bytes.size(), 54u);
        if (bytes.size() >= 54) {
            EXPECT_EQ(bytes[28], expectedBits);
        }
        return DecodeFile(out);
    }

    TempDir dir;
};

// A pattern limited to `colours` different 5:6:5 values (none of them 0).
std::vector<uint16_t> Pattern(int colours) {
    std::vector<uint16_t> pixels(kWidth * kHeight);
    for (int i = 0; i < kWidth * kHeight; ++i) {
        int k = (i * 7 + i / kWidth) % colours;
        pixels[i] = static_cast<uint16_t>(((k * 5 % 32) << 11) | ((k * 13 % 64) << 5) | (31 - k % 32));
    }
    return pixels;
}

TEST_F(ConvertedPictures, TrueColourBmpsDecodeExactly) {
    std::vector<uint16_t> pixels = Pattern(1000);
    std::string source = WriteSource("source.bmp", pixels);
    EXPECT_EQ(Converted(source, "-type TrueColor", 24).pixels, pixels);
    DecodedPicture wide = Converted(source, "-type TrueColorAlpha -define bmp3:alpha=true", 32);
    EXPECT_EQ(wide.depth, 32);
    EXPECT_EQ(wide.pixels, pixels);
}

TEST_F(ConvertedPictures, PaletteBmpsDecodeExactly) {
    std::vector<uint16_t> many = Pattern(100);
    EXPECT_EQ(Converted(WriteSource("many.bmp", many), "-type Palette", 8).pixels, many);
    std::vector<uint16_t> few = Pattern(9);
    EXPECT_EQ(Converted(WriteSource("few.bmp", few), "-type Palette", 4).pixels, few);
}

TEST_F(ConvertedPictures, OneBitBmpDecodesToBlackAndWhite) {
    std::vector<uint16_t> pixels(kWidth * kHeight);
    for (int i = 0; i < kWidth * kHeight; ++i) pixels[i] = ((i / 3 + i / kWidth) % 2) ? 0xFFFF : 0x0000;
    EXPECT_EQ(Converted(WriteSource("bw.bmp", pixels), "-type Bilevel", 1).pixels, pixels);
}

TEST_F(ConvertedPictures, RunLengthBmpFromConvertIsRefused) {
    std::string source = WriteSource("many.bmp", Pattern(100));
    std::string out = dir.File("rle.bmp");
    ASSERT_TRUE(RunConvert(source + " -type Palette -compress RLE BMP3:" + out));
    std::vector<uint8_t> bytes = ReadBytes(out);
    ASSERT_GE(bytes.size(), 34u);
    ASSERT_EQ(bytes[30], 1);  // compression: 8-bit run-length
    DecodedPicture picture;
    EXPECT_FALSE(DecodePicture(bytes.data(), bytes.size(), picture));
}

// convert's own reading of its JPEG, as a 24-bit BMP, is the reference.
void ExpectSameAsConvertReads(const DecodedPicture& ours, const DecodedPicture& reference) {
    ASSERT_EQ(ours.pixels.size(), reference.pixels.size());
    int differing = 0;
    for (size_t i = 0; i < ours.pixels.size(); ++i) {
        int a = ours.pixels[i], b = reference.pixels[i];
        // one step of 5:6:5 at most, for rounding differences between decoders
        bool close = std::abs((a >> 11) - (b >> 11)) <= 1 && std::abs(((a >> 5) & 63) - ((b >> 5) & 63)) <= 1 &&
                     std::abs((a & 31) - (b & 31)) <= 1;
        if (!close) ++differing;
    }
    EXPECT_EQ(differing, 0);
}

TEST_F(ConvertedPictures, JpegDecodesToWhatConvertReadsFromIt) {
    std::string source = WriteSource("source.bmp", Pattern(1000));
    std::string jpeg = dir.File("picture.jpg"), reference = dir.File("reference.bmp");
    ASSERT_TRUE(RunConvert(source + " -quality 90 " + jpeg));
    ASSERT_TRUE(RunConvert(jpeg + " -type TrueColor BMP3:" + reference));
    DecodedPicture ours = DecodeFile(jpeg);
    EXPECT_EQ(ours.depth, 24);
    ExpectSameAsConvertReads(ours, DecodeFile(reference));
}

TEST_F(ConvertedPictures, GrayscaleJpegDecodesToGray) {
    std::string source = WriteSource("source.bmp", Pattern(1000));
    std::string jpeg = dir.File("gray.jpg"), reference = dir.File("gray.bmp");
    ASSERT_TRUE(RunConvert(source + " -colorspace Gray -quality 90 " + jpeg));
    ASSERT_TRUE(RunConvert(jpeg + " -type TrueColor BMP3:" + reference));
    DecodedPicture ours = DecodeFile(jpeg);
    std::set<uint16_t> seen(ours.pixels.begin(), ours.pixels.end());
    EXPECT_GT(seen.size(), 5u);
    for (uint16_t p : ours.pixels) {
        EXPECT_EQ(p >> 11, p & 31);
        EXPECT_EQ(p >> 11, (p >> 6) & 31);
    }
    ExpectSameAsConvertReads(ours, DecodeFile(reference));
}

}  // namespace
