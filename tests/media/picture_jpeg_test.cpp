// The JPEG decoder behind the registry: colour and grayscale pictures,
// progressive files, registration, and files libjpeg rejects.
#include "pictures/image_decoders.h"
#include "pictures/picture_decoding.h"
#include "tests/support/pictures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace {

class JpegDecoding : public ::testing::Test {
protected:
    void SetUp() override {
        InitImageDecoders();
        UseJpegDecoder();
    }
};

TestJpeg Flat(int width, int height, uint32_t colour) {
    TestJpeg jpeg;
    jpeg.width = width;
    jpeg.height = height;
    jpeg.colours.assign(static_cast<size_t>(width) * height, colour);
    return jpeg;
}

// components of a 5:6:5 pixel in 0..255
int Red(uint16_t p) { return (p >> 11) * 8; }
int Green(uint16_t p) { return ((p >> 5) & 63) * 4; }
int Blue(uint16_t p) { return (p & 31) * 8; }

TEST_F(JpegDecoding, ColourPictureDecodesTo565WithDepth24) {
    std::vector<uint8_t> file = EncodeTestJpeg(Flat(20, 10, 0xC04080));
    DecodedPicture p;
    ASSERT_TRUE(DecodePicture(file.data(), file.size(), p));
    EXPECT_EQ(p.width, 20);
    EXPECT_EQ(p.height, 10);
    EXPECT_EQ(p.depth, 24);
    ASSERT_EQ(p.pixels.size(), 200u);
    EXPECT_NEAR(Red(p.pixels[105]), 0xC0, 10);
    EXPECT_NEAR(Green(p.pixels[105]), 0x40, 10);
    EXPECT_NEAR(Blue(p.pixels[105]), 0x80, 10);
}

TEST_F(JpegDecoding, GrayscalePictureGivesEqualComponents) {
    TestJpeg jpeg = Flat(16, 16, 0);
    jpeg.grayscale = true;
    for (int i = 0; i < 256; ++i) jpeg.colours[i] = static_cast<uint32_t>(i) << 16;  // gray ramp
    std::vector<uint8_t> file = EncodeTestJpeg(jpeg);
    DecodedPicture p;
    ASSERT_TRUE(DecodePicture(file.data(), file.size(), p));
    for (uint16_t pixel : p.pixels) {
        // 5 bits of red and blue, 6 of green: equal values agree in their top 5 bits
        EXPECT_EQ(Red(pixel), Blue(pixel));
        EXPECT_EQ(Red(pixel) >> 3, Green(pixel) >> 3);
    }
    EXPECT_NEAR(Red(p.pixels[255]), 255, 12);
}

TEST_F(JpegDecoding, ProgressivePictureDecodes) {
    TestJpeg jpeg = Flat(33, 17, 0);
    jpeg.colours = TestPattern(33, 17);
    jpeg.progressive = true;
    std::vector<uint8_t> file = EncodeTestJpeg(jpeg);
    DecodedPicture p;
    ASSERT_TRUE(DecodePicture(file.data(), file.size(), p));
    EXPECT_EQ(p.pixels.size(), 33u * 17u);
}

TEST_F(JpegDecoding, NothingDecodesJpegBeforeTheDecoderIsRegistered) {
    std::vector<uint8_t> file = EncodeTestJpeg(Flat(8, 8, 0xFFFFFF));
    InitImageDecoders();
    DecodedPicture p;
    EXPECT_FALSE(DecodePicture(file.data(), file.size(), p));
    EXPECT_NE(UseJpegDecoder(), 0);
    EXPECT_NE(UseJpegDecoder(), 0);  // a second call adds nothing
    EXPECT_TRUE(DecodePicture(file.data(), file.size(), p));
}

TEST_F(JpegDecoding, HeaderLibjpegRejectsMakesTheDecodeFail) {
    std::vector<uint8_t> file = EncodeTestJpeg(Flat(8, 8, 0xFFFFFF));
    DecodedPicture p;
    std::vector<uint8_t> start(file.begin(), file.begin() + 2);  // only the start marker
    EXPECT_FALSE(DecodePicture(start.data(), start.size(), p));
    std::vector<uint8_t> garbage = {0xFF, 0xD8, 0xFF, 0x00, 0x12, 0x34, 0x56};
    EXPECT_FALSE(DecodePicture(garbage.data(), garbage.size(), p));
    // the decoder is usable again afterwards
    EXPECT_TRUE(DecodePicture(file.data(), file.size(), p));
}

TEST_F(JpegDecoding, PictureCutShortStillHasEveryPixel) {
    TestJpeg jpeg = Flat(64, 64, 0);
    jpeg.colours = TestPattern(64, 64);
    std::vector<uint8_t> file = EncodeTestJpeg(jpeg);
    file.resize(file.size() * 2 / 3);
    DecodedPicture p;
    ASSERT_TRUE(DecodePicture(file.data(), file.size(), p));
    EXPECT_EQ(p.pixels.size(), 64u * 64u);
}

TEST_F(JpegDecoding, ClaimedSizeBeyondWhatASpriteHoldsIsRefused) {
    std::vector<uint8_t> file = EncodeTestJpeg(Flat(8, 8, 0xFFFFFF));
    // The frame header (SOF0) holds height and width after its marker.
    for (size_t i = 0; i + 8 < file.size(); ++i) {
        if (file[i] == 0xFF && file[i + 1] == 0xC0) {
            file[i + 5] = 0xFF;
            file[i + 6] = 0xF0;  // height 65520
            break;
        }
    }
    DecodedPicture p;
    EXPECT_FALSE(DecodePicture(file.data(), file.size(), p));
}

// A decoder of 4 x 3 pictures of white rows that writes only its first
// `rowsWritten` rows.
int rowsWritten = 0;
bool StopsEarly(uint8_t* destination, size_t pitch) {
    for (int row = 0; row < rowsWritten; ++row) std::fill_n(destination + row * pitch, 12, uint8_t{0xFF});
    return rowsWritten == 3;
}
const ImageDecoder kStopsEarly{[](const uint8_t*, size_t) { return true; }, [] { return 4; }, [] { return 3; },
                               StopsEarly, [] {}};

TEST(PictureRows, RowsADecoderNeverReachesAreBlackEvenAfterAWholePicture) {
    InitImageDecoders();
    SetPixelLayout555(false);
    RegisterImageDecoder(kStopsEarly);
    const uint8_t file[8] = {};
    DecodedPicture p;
    for (int rows : {3, 1}) {
        rowsWritten = rows;
        ASSERT_TRUE(DecodePicture(file, sizeof file, p));
        ASSERT_EQ(p.pixels.size(), 12u);
        for (size_t i = 0; i < 12; ++i) EXPECT_EQ(p.pixels[i], i < 4u * rows ? 0xFFFF : 0) << rows << " rows, " << i;
    }
    InitImageDecoders();
}

}  // namespace
