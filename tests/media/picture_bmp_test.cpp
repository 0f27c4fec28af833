// The BMP reader: depths, row order and padding, colour conversion, and the
// files it must refuse.
#include "pictures/picture_decoding.h"
#include "tests/support/pictures.h"

#include <gtest/gtest.h>

namespace {

DecodedPicture Decode(const std::vector<uint8_t>& file, bool expectOk = true) {
    DecodedPicture picture;
    EXPECT_EQ(DecodePicture(file.data(), file.size(), picture), expectOk);
    return picture;
}

TestBmp Bmp(int width, int height, int bits, std::vector<uint32_t> values, std::vector<uint32_t> palette = {}) {
    TestBmp bmp;
    bmp.width = width;
    bmp.height = height;
    bmp.bits = bits;
    bmp.values = std::move(values);
    bmp.palette = std::move(palette);
    return bmp;
}

class BmpDecoding : public ::testing::Test {
protected:
    void SetUp() override {
        InitImageDecoders();
        SetPixelLayout555(false);
    }
    void TearDown() override { SetPixelLayout555(false); }
};

TEST_F(BmpDecoding, TwentyFourBitColoursBecome565WithNearBlackTransparent) {
    DecodedPicture p = Decode(EncodeTestBmp(Bmp(4, 1, 24, {0xFFFFFF, 0x070307, 0x080000, 0x0000FF})));
    ASSERT_EQ(p.width, 4);
    EXPECT_EQ(p.depth, 24);
    EXPECT_EQ(p.pixels, (std::vector<uint16_t>{0xFFFF, 0x0000, 0x0800, 0x001F}));
}

TEST_F(BmpDecoding, RowsAreStoredBottomUpAndPaddedToFourBytes) {
    // Width 3: rows of 9 pixel bytes and 3 padding bytes; width 4: 12 bytes.
    for (int width : {3, 4, 5}) {
        std::vector<uint32_t> values;
        for (int i = 0; i < width * 2; ++i) values.push_back(i < width ? 0xFF0000 : 0x00FF00);
        std::vector<uint8_t> file = EncodeTestBmp(Bmp(width, 2, 24, values));
        EXPECT_EQ(file.size(), 54u + 2 * (3 * width + width % 4));
        DecodedPicture p = Decode(file);
        EXPECT_EQ(p.pixels[0], 0xF800) << width;                // top row red
        EXPECT_EQ(p.pixels[width * 2 - 1], 0x07E0) << width;    // bottom row green
    }
}

TEST_F(BmpDecoding, ThirtyTwoBitIgnoresTheFourthByte) {
    DecodedPicture p = Decode(EncodeTestBmp(Bmp(2, 1, 32, {0xFF123456, 0x00FF0000})));
    EXPECT_EQ(p.depth, 32);
    EXPECT_EQ(p.pixels[0], 0x11AA);
    EXPECT_EQ(p.pixels[1], 0xF800);
}

TEST_F(BmpDecoding, SixteenBitPixelsWidenGreenToSixBits) {
    DecodedPicture p = Decode(EncodeTestBmp(Bmp(3, 1, 16, {0x7FFF, 0xFFFF, 0x03E0})));
    EXPECT_EQ(p.depth, 16);
    EXPECT_EQ(p.pixels, (std::vector<uint16_t>{0xFFDF, 0xFFDF, 0x07C0}));
}

TEST_F(BmpDecoding, On555DisplaySixteenBitStaysAndColoursPackIn555) {
    SetPixelLayout555(true);
    EXPECT_EQ(Decode(EncodeTestBmp(Bmp(1, 1, 16, {0x7FFF}))).pixels[0], 0x7FFF);
    EXPECT_EQ(Decode(EncodeTestBmp(Bmp(1, 1, 24, {0xFF0000}))).pixels[0], 0x7C00);
}

TEST_F(BmpDecoding, EightBitIndexesTheColourTable) {
    std::vector<uint32_t> palette(256, 0);
    palette[7] = 0xFF0000;
    palette[255] = 0x0000FF;
    DecodedPicture p = Decode(EncodeTestBmp(Bmp(3, 1, 8, {7, 255, 0}, palette)));
    EXPECT_EQ(p.depth, 24);
    EXPECT_EQ(p.pixels, (std::vector<uint16_t>{0xF800, 0x001F, 0x0000}));
}

TEST_F(BmpDecoding, FourBitHighNibbleIsTheLeftPixel) {
    std::vector<uint32_t> palette(16, 0);
    palette[1] = 0xFF0000;
    palette[2] = 0x00FF00;
    DecodedPicture p = Decode(EncodeTestBmp(Bmp(3, 1, 4, {1, 2, 1}, palette)));
    EXPECT_EQ(p.pixels, (std::vector<uint16_t>{0xF800, 0x07E0, 0xF800}));
}

TEST_F(BmpDecoding, OneBitIgnoresItsColourTable) {
    // A red and green table still gives black and white; the top bit is the
    // leftmost pixel.
    std::vector<uint32_t> values = {1, 0, 0, 0, 0, 0, 0, 0, 1, 1};
    DecodedPicture p = Decode(EncodeTestBmp(Bmp(10, 1, 1, values, {0xFF0000, 0x00FF00})));
    EXPECT_EQ(p.depth, 24);
    EXPECT_EQ(p.pixels[0], 0xFFFF);
    EXPECT_EQ(p.pixels[1], 0x0000);
    EXPECT_EQ(p.pixels[8], 0xFFFF);
    EXPECT_EQ(p.pixels[9], 0xFFFF);
}

TEST_F(BmpDecoding, ColourTableEntriesBeyondTheFileAreBlack) {
    // An 8-bit file whose table holds 2 entries and whose pixel index 200
    // would lie past the end of the file.
    TestBmp bmp = Bmp(1, 1, 8, {200}, {0xFFFFFF, 0xFFFFFF});
    std::vector<uint8_t> file = EncodeTestBmp(bmp);
    EXPECT_EQ(Decode(file).pixels[0], 0x0000);
}

TEST_F(BmpDecoding, CompressedFilesAreRefused) {
    // An 8-bit run-length BMP is a standard variant, and still refused.
    TestBmp bmp = Bmp(2, 1, 8, {1, 1}, std::vector<uint32_t>(256, 0xFFFFFF));
    bmp.compression = 1;
    Decode(EncodeTestBmp(bmp), false);
    bmp.compression = 3;
    Decode(EncodeTestBmp(bmp), false);
}

TEST_F(BmpDecoding, UnsupportedAndDamagedHeadersAreRefused) {
    std::vector<uint8_t> good = EncodeTestBmp(Bmp(2, 2, 24, {1, 2, 3, 4}));
    auto broken = [&](size_t at, uint32_t value) {
        std::vector<uint8_t> file = good;
        for (int i = 0; i < 4; ++i) file[at + i] = static_cast<uint8_t>(value >> (8 * i));
        return file;
    };
    Decode(broken(22, static_cast<uint32_t>(-2)), false);  // top-down rows
    Decode(broken(18, 0), false);                           // no width
    Decode(broken(18, 32768), false);                       // wider than a sprite can be
    Decode(broken(14, 12), false);                          // OS/2 header
    Decode(broken(14, 0x7FFFFFF0), false);                  // info header past the end
    Decode(broken(10, 0xFFFFFFF0), false);                  // pixel data past the end
    std::vector<uint8_t> depth = good;
    depth[28] = 2;
    Decode(depth, false);
    std::vector<uint8_t> cut(good.begin(), good.end() - 1);  // last row one byte short
    Decode(cut, false);
    Decode(std::vector<uint8_t>{'B', 'M'}, false);
}

TEST_F(BmpDecoding, HugeClaimedSizeInSmallFileIsRefusedWithoutAllocating) {
    std::vector<uint8_t> file = EncodeTestBmp(Bmp(1, 1, 24, {0}));
    file[18] = 0xFF;
    file[19] = 0x7F;  // width 32767
    file[22] = 0xFF;
    file[23] = 0x7F;  // height 32767
    Decode(file, false);
}

TEST_F(BmpDecoding, DataThatIsNoPictureFails) {
    std::string text = "not a picture at all";
    DecodedPicture picture;
    EXPECT_FALSE(DecodePicture(reinterpret_cast<const uint8_t*>(text.data()), text.size(), picture));
    EXPECT_FALSE(DecodePicture(nullptr, 0, picture));
}

}  // namespace
