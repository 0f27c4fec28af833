// The sprite table: loading pictures under numbers, blank sprites, copies,
// grabs, frames, and the numbers that hold nothing.
#include "pictures/bmp_writer.h"
#include "pictures/screen.h"
#include "tests/support/headless_screen.h"
#include "tests/support/pictures.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using SpriteTable = HeadlessScreen;

std::vector<uint16_t> Ramp(int width, int height) {
    std::vector<uint16_t> pixels(static_cast<size_t>(width) * height);
    for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<uint16_t>(i + 1);
    return pixels;
}

TEST_F(SpriteTable, EmptyNumbersDoNothing) {
    EXPECT_EQ(SpriteWidth(7), 0);
    EXPECT_EQ(SpriteWidth(-1), 0);
    EXPECT_EQ(SpriteWidth(1000000), 0);
    SpriteView view;
    EXPECT_FALSE(ViewSprite(7, view));
    SetSpriteFrame(7, 0, 0, 1, 1);
    DrawSpriteKeyed(7, 0, 0);
    DrawSpriteOpaque(7, 0, 0);
    EXPECT_EQ(CopySpriteImage(7, 8), 0);
    EXPECT_EQ(SpritesOverlap(7, 0, 0, 7, 0, 0), 0);
    EXPECT_EQ(MakeBlankSprite(-3, 4, 4), 0);
}

TEST_F(SpriteTable, NumbersBeyondTheTableGrowIt) {
    ASSERT_NE(MakeBlankSprite(1105, 4, 3), 0);
    EXPECT_EQ(SpriteWidth(1105), 4);
    ASSERT_NE(MakeBlankSprite(49, 2, 2), 0);
    EXPECT_EQ(SpriteWidth(1105), 4);  // growing never loses a sprite
}

TEST_F(SpriteTable, LoadedPictureHasItsSizeDepthAndWholeFrame) {
    ASSERT_TRUE(LoadPixelsAsSprite(3, 5, 4, Ramp(5, 4)));
    SpriteView view;
    ASSERT_TRUE(ViewSprite(3, view));
    EXPECT_EQ(view.imageWidth, 5);
    EXPECT_EQ(view.imageHeight, 4);
    EXPECT_EQ(view.frameWidth, 5);
    EXPECT_EQ(view.frameHeight, 4);
    EXPECT_EQ(view.depth, 24);
    EXPECT_EQ(std::vector<uint16_t>(view.pixels, view.pixels + 20), Ramp(5, 4));
}

TEST_F(SpriteTable, MissingFileKeepsTheSpriteAndUndecodableFileEmptiesIt) {
    TempDir dir;
    ASSERT_TRUE(LoadPixelsAsSprite(12, 2, 2, Ramp(2, 2)));
    EXPECT_EQ(LoadSpriteFile(12, dir.File("nothing-here.bmp"), 0), 0);
    EXPECT_EQ(SpriteWidth(12), 2);
    WriteBytes(dir.File("notes.txt"), {'h', 'e', 'l', 'l', 'o'});
    EXPECT_EQ(LoadSpriteFile(12, dir.File("notes.txt"), 0), 0);
    EXPECT_EQ(SpriteWidth(12), 0);
}

TEST_F(SpriteTable, GamePathsWithBackslashesAreFound) {
    TempDir dir;
    std::vector<uint8_t> file;
    std::vector<uint16_t> pixels = Ramp(3, 3);
    EncodeBmp24(pixels.data(), 3, 3, 3, file);
    std::filesystem::create_directory(dir.File("graph"));
    WriteBytes(dir.File("graph/ball.bmp"), file);
    std::string gamePath = dir.File("graph\\ball.bmp");
    ASSERT_NE(LoadSpriteFile0(30, gamePath), 0);
    EXPECT_EQ(SpriteWidth(30), 3);
}

TEST_F(SpriteTable, BlankSpriteIsBlackAtTheScreenDepth) {
    ASSERT_NE(MakeBlankSprite(25, 640, 260), 0);
    SpriteView view;
    ASSERT_TRUE(ViewSprite(25, view));
    EXPECT_EQ(view.depth, 16);
    EXPECT_EQ(std::count(view.pixels, view.pixels + 640 * 260, 0), 640 * 260);
    EXPECT_EQ(MakeBlankSprite(25, 0, 10), 0);
    EXPECT_EQ(SpriteWidth(25), 0);  // the number was freed first
    EXPECT_EQ(MakeBlankSprite(26, 32768, 1), 0);
}

TEST_F(SpriteTable, CopyTakesTheWholeImageNotTheFrame) {
    ASSERT_TRUE(LoadPixelsAsSprite(0, 8, 2, Ramp(8, 2)));
    SetSpriteFrame(0, 4, 0, 2, 2);
    ASSERT_NE(CopySpriteImage(0, 4), 0);
    SpriteView view;
    ASSERT_TRUE(ViewSprite(4, view));
    EXPECT_EQ(view.imageWidth, 8);
    EXPECT_EQ(view.frameWidth, 8);
    EXPECT_EQ(view.frameX, 0);
    EXPECT_EQ(view.depth, 24);
    EXPECT_EQ(std::vector<uint16_t>(view.pixels, view.pixels + 16), Ramp(8, 2));
    EXPECT_EQ(CopySpriteImage(4, 4), 0);  // a sprite is never copied onto itself
    EXPECT_EQ(SpriteWidth(4), 8);
}

TEST_F(SpriteTable, CopyIntoANewNumberBeyondTheTable) {
    ASSERT_TRUE(LoadPixelsAsSprite(5, 2, 2, Ramp(2, 2)));
    ASSERT_NE(CopySpriteImage(5, 900), 0);
    SpriteView view;
    ASSERT_TRUE(ViewSprite(900, view));
    EXPECT_EQ(std::vector<uint16_t>(view.pixels, view.pixels + 4), Ramp(2, 2));
}

TEST_F(SpriteTable, FrameIsClippedToTheImage) {
    ASSERT_NE(MakeBlankSprite(6, 128, 32), 0);
    SetSpriteFrame(6, 96, 0, 64, 32);
    SpriteView view;
    ASSERT_TRUE(ViewSprite(6, view));
    EXPECT_EQ(view.frameX, 96);
    EXPECT_EQ(view.frameWidth, 32);
    EXPECT_EQ(view.frameHeight, 32);
    EXPECT_EQ(SpriteWidth(6), 32);
    SetSpriteFrame(6, -1, 5, 5, 5);  // x = -1: the whole image
    EXPECT_EQ(SpriteWidth(6), 128);
    // A frame hanging off the image is kept inside it.
    SetSpriteFrame(6, -5, 40, 10, 10);
    ASSERT_TRUE(ViewSprite(6, view));
    EXPECT_EQ(view.frameX, 0);
    EXPECT_EQ(view.frameY, 32);
    EXPECT_EQ(view.frameHeight, 0);
}

TEST_F(SpriteTable, GrabCopiesTheBlitTargetAndBlacksOutWhatLiesOutside) {
    FillScreen(255, 0, 0);
    ASSERT_NE(GrabScreenToSprite(888, 1020, 766, 8, 4), 0);
    SpriteView view;
    ASSERT_TRUE(ViewSprite(888, view));
    EXPECT_EQ(view.depth, 0);
    EXPECT_EQ(view.pixels[0], 0xF800);
    EXPECT_EQ(view.pixels[3 + 8], 0xF800);
    EXPECT_EQ(view.pixels[4], 0);       // right of the screen
    EXPECT_EQ(view.pixels[2 * 8], 0);   // below the screen
}

TEST_F(SpriteTable, GrabFromASpriteIntoItself) {
    ASSERT_TRUE(LoadPixelsAsSprite(110, 4, 4, Ramp(4, 4)));
    SetBlitTarget(110);
    ASSERT_NE(GrabScreenToSprite(110, 1, 1, 2, 2), 0);
    SpriteView view;
    ASSERT_TRUE(ViewSprite(110, view));
    EXPECT_EQ(std::vector<uint16_t>(view.pixels, view.pixels + 4), (std::vector<uint16_t>{6, 7, 10, 11}));
}

TEST_F(SpriteTable, SpritesLoadWithoutAnOpenScreen) {
    EndScreen();
    InitScreen();
    ASSERT_TRUE(LoadPixelsAsSprite(40, 3, 2, Ramp(3, 2)));
    EXPECT_EQ(SpriteWidth(40), 3);
}

TEST_F(SpriteTable, EndScreenFreesEverySprite) {
    ASSERT_NE(MakeBlankSprite(10, 4, 4), 0);
    EndScreen();
    EXPECT_EQ(SpriteWidth(10), 0);
    EXPECT_EQ(BackBufferPixels(), nullptr);
}

}  // namespace
