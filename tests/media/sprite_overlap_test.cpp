// Pixel-exact overlap of two sprite frames.
#include "pictures/screen.h"
#include "tests/support/headless_screen.h"
#include "tests/support/pictures.h"

#include <gtest/gtest.h>

namespace {

class SpriteOverlap : public HeadlessScreen {
protected:
    // a 32 x 32 sprite with one non-black column
    void Column(int id, int column) {
        std::vector<uint16_t> pixels(32 * 32, 0);
        for (int y = 0; y < 32; ++y) pixels[y * 32 + column] = 0xFFFF;
        ASSERT_TRUE(LoadPixelsAsSprite(id, 32, 32, pixels));
    }
    void Solid(int id, int width, int height) {
        ASSERT_TRUE(LoadPixelsAsSprite(id, width, height, std::vector<uint16_t>(width * height, 0x1234)));
    }
};

TEST_F(SpriteOverlap, TouchingEdgesDoNotOverlap) {
    Solid(1, 32, 32);
    Solid(2, 32, 32);
    EXPECT_EQ(SpritesOverlap(1, 0, 0, 2, 32, 0), 0);
    EXPECT_EQ(SpritesOverlap(1, 0, 0, 2, 0, 32), 0);
    EXPECT_EQ(SpritesOverlap(1, 0, 0, 2, -32, 0), 0);
    EXPECT_EQ(SpritesOverlap(1, 0, 0, 2, 31, 31), 1);
    EXPECT_EQ(SpritesOverlap(1, 0, 0, 2, -31, -31), 1);
}

TEST_F(SpriteOverlap, OnlyPixelsThatAreNotBlackOnBothSidesCount) {
    Column(1, 31);  // right-most column
    Column(2, 0);   // left-most column
    EXPECT_EQ(SpritesOverlap(1, 0, 0, 2, 31, 0), 1);
    EXPECT_EQ(SpritesOverlap(1, 0, 0, 2, 30, 0), 0);
    EXPECT_EQ(SpritesOverlap(2, 31, 0, 1, 0, 0), 1);  // either order
    EXPECT_EQ(SpritesOverlap(1, 0, 31, 2, 31, 0), 1);  // one common row
}

TEST_F(SpriteOverlap, SelectedFramesAreTestedNotTheSheetsCorner) {
    // A 64 x 32 sheet: left frame black, right frame solid.
    std::vector<uint16_t> sheet(64 * 32, 0);
    for (int y = 0; y < 32; ++y) {
        for (int x = 32; x < 64; ++x) sheet[y * 64 + x] = 0x07E0;
    }
    ASSERT_TRUE(LoadPixelsAsSprite(4, 64, 32, sheet));
    Solid(2, 8, 8);
    SetSpriteFrame(4, 0, 0, 32, 32);
    EXPECT_EQ(SpritesOverlap(4, 100, 100, 2, 110, 110), 0);
    SetSpriteFrame(4, 32, 0, 32, 32);
    EXPECT_EQ(SpritesOverlap(4, 100, 100, 2, 110, 110), 1);
    EXPECT_EQ(SpritesOverlap(2, 110, 110, 4, 100, 100), 1);
}

TEST_F(SpriteOverlap, SameSpriteTwiceAndMissingSprites) {
    Column(1, 5);
    EXPECT_EQ(SpritesOverlap(1, 0, 0, 1, 0, 0), 1);
    EXPECT_EQ(SpritesOverlap(1, 0, 0, 1, 1, 0), 0);
    EXPECT_EQ(SpritesOverlap(1, 0, 0, 99, 0, 0), 0);
}

}  // namespace
