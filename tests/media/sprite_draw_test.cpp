// Drawing sprites: the clipping rule at every edge, keyed and opaque copies,
// the blit target, fills, and the focus flag.
#include "pictures/screen.h"
#include "tests/support/headless_screen.h"
#include "tests/support/pictures.h"

#include <gtest/gtest.h>

namespace {

class SpriteDrawing : public HeadlessScreen {
protected:
    void SetUp() override {
        HeadlessScreen::SetUp();
        LoadSprite();
    }

    void LoadSprite() {
        // sprite 1: 4 x 2, pixel value = 0x100 * (row + 1) + column + 1
        std::vector<uint16_t> pixels;
        for (int y = 0; y < 2; ++y) {
            for (int x = 0; x < 4; ++x) pixels.push_back(static_cast<uint16_t>(0x100 * (y + 1) + x + 1));
        }
        ASSERT_TRUE(LoadPixelsAsSprite(1, 4, 2, pixels));
    }

    // how many back-buffer pixels are not black
    static int Painted() {
        const uint16_t* p = BackBufferPixels();
        return static_cast<int>(1024 * 768 - std::count(p, p + 1024 * 768, 0));
    }
};

TEST_F(SpriteDrawing, DrawnWithItsTopLeftAtThePosition) {
    DrawSpriteOpaque(1, 10, 20);
    EXPECT_EQ(BackPixel(10, 20), 0x101);
    EXPECT_EQ(BackPixel(13, 21), 0x204);
    EXPECT_EQ(Painted(), 8);
}

TEST_F(SpriteDrawing, AtMinusWidthOrAtTheRightEdgeNothingIsDrawn) {
    DrawSpriteOpaque(1, -4, 0);
    DrawSpriteOpaque(1, 0, -2);
    DrawSpriteOpaque(1, 1024, 0);
    DrawSpriteOpaque(1, 0, 768);
    EXPECT_EQ(Painted(), 0);
}

TEST_F(SpriteDrawing, OneColumnInsideShowsTheFramesLastColumn) {
    DrawSpriteOpaque(1, -3, 100);
    EXPECT_EQ(BackPixel(0, 100), 0x104);
    EXPECT_EQ(BackPixel(0, 101), 0x204);
    EXPECT_EQ(Painted(), 2);
    DrawSpriteOpaque(1, 1023, 200);  // only the first column fits on the right
    EXPECT_EQ(BackPixel(1023, 200), 0x101);
    EXPECT_EQ(Painted(), 4);
}

TEST_F(SpriteDrawing, OneRowInsideAtTheTopAndBottom) {
    DrawSpriteOpaque(1, 50, -1);
    EXPECT_EQ(BackPixel(50, 0), 0x201);
    DrawSpriteOpaque(1, 60, 767);
    EXPECT_EQ(BackPixel(60, 767), 0x101);
    EXPECT_EQ(Painted(), 8);
}

TEST_F(SpriteDrawing, SpriteLargerThanTheTargetIsCutOnBothSides) {
    ASSERT_NE(MakeBlankSprite(2, 2, 2), 0);
    SetBlitTarget(2);
    DrawSpriteOpaque(1, -1, 0);
    SetBlitTarget(-1);
    SpriteView view;
    ASSERT_TRUE(ViewSprite(2, view));
    EXPECT_EQ(std::vector<uint16_t>(view.pixels, view.pixels + 4), (std::vector<uint16_t>{0x102, 0x103, 0x202, 0x203}));
}

TEST_F(SpriteDrawing, DrawnOntoItsOwnImageItsRowsMove) {
    SetBlitTarget(1);
    DrawSpriteOpaque(1, 1, 0);  // each row one pixel to the right, over itself
    SetBlitTarget(-1);
    SpriteView view;
    ASSERT_TRUE(ViewSprite(1, view));
    EXPECT_EQ(std::vector<uint16_t>(view.pixels, view.pixels + 8),
              (std::vector<uint16_t>{0x101, 0x101, 0x102, 0x103, 0x201, 0x201, 0x202, 0x203}));
}

TEST_F(SpriteDrawing, KeyedLeavesOutBlackPixels) {
    std::vector<uint16_t> holes(20, 0);
    for (int i = 0; i < 20; i += 3) holes[i] = 0xF800;  // 10 x 2, every third pixel red
    ASSERT_TRUE(LoadPixelsAsSprite(3, 10, 2, holes));
    FillScreen(0, 0, 255);
    DrawSpriteKeyed(3, 0, 0);
    for (int i = 0; i < 20; ++i) EXPECT_EQ(BackPixel(i % 10, i / 10), (i % 3 == 0) ? 0xF800 : 0x001F) << i;
    DrawSpriteOpaque(3, 0, 0);
    EXPECT_EQ(BackPixel(1, 0), 0);
}

TEST_F(SpriteDrawing, SelectedFrameIsWhatIsDrawn) {
    SetSpriteFrame(1, 2, 1, 2, 1);
    DrawSpriteOpaque(1, 0, 0);
    EXPECT_EQ(BackPixel(0, 0), 0x203);
    EXPECT_EQ(BackPixel(1, 0), 0x204);
    EXPECT_EQ(Painted(), 2);
}

TEST_F(SpriteDrawing, WithoutFocusNothingIsDrawn) {
    EndScreen();
    OpenWith(headless::Options{}, {{1, "focus", {"lost"}}});
    LoadSprite();
    PresentFrame();  // frame 1: the script takes the focus away
    ASSERT_EQ(ScreenHasFocus(), 0);
    DrawSpriteOpaque(1, 0, 0);
    DrawSpriteKeyed(1, 0, 0);
    EXPECT_EQ(Painted(), 0);
}

TEST_F(SpriteDrawing, FillScreenPacksTheColourAndFillsTheWholeTarget) {
    FillScreen(255, 128, 8);
    EXPECT_EQ(BackPixel(0, 0), 0xFC01);
    EXPECT_EQ(BackPixel(1023, 767), 0xFC01);
    ASSERT_NE(MakeBlankSprite(2, 3, 3), 0);
    SetBlitTarget(2);
    FillScreen(255, 255, 255);
    SetBlitTarget(-1);
    SpriteView view;
    ASSERT_TRUE(ViewSprite(2, view));
    EXPECT_EQ(std::count(view.pixels, view.pixels + 9, 0xFFFF), 9);
    EXPECT_EQ(BackPixel(0, 0), 0xFC01);
}

TEST_F(SpriteDrawing, MissingSpriteLeavesTheTargetAsItWas) {
    ASSERT_NE(MakeBlankSprite(2, 3, 3), 0);
    SetBlitTarget(2);
    SetBlitTarget(77);
    DrawSpriteOpaque(1, 0, 0);
    EXPECT_EQ(Painted(), 0);  // still drawing on sprite 2
}

TEST_F(SpriteDrawing, TargetSpriteFreedLaterIsNeverWritten) {
    ASSERT_NE(MakeBlankSprite(2, 3, 3), 0);
    SetBlitTarget(2);
    EXPECT_EQ(LoadSpriteFile(2, "no-such-dir\\x.bmp", 0), 0);  // kept
    EXPECT_EQ(MakeBlankSprite(2, 0, 0), 0);                    // frees the number
    DrawSpriteOpaque(1, 0, 0);
    FillScreen(1, 2, 3);
    EXPECT_EQ(Painted(), 0);
}

TEST_F(SpriteDrawing, PresentFrameMakesTheBackBufferTheTargetAgain) {
    ASSERT_NE(MakeBlankSprite(2, 3, 3), 0);
    SetBlitTarget(2);
    PresentFrame();
    DrawSpriteOpaque(1, 0, 0);
    EXPECT_EQ(Painted(), 8);
}

}  // namespace
