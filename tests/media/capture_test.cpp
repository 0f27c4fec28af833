// Screen capture: the exact bytes of the 24-bit BMP, and the headless
// driver's shots of presented frames.
#include "pictures/capture.h"
#include "pictures/screen.h"
#include "tests/support/headless_screen.h"
#include "tests/support/pictures.h"
#include "tests/support/scenario.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using Capture = HeadlessScreen;

uint32_t Field(const std::vector<uint8_t>& file, size_t at, int size) {
    uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) value = (value << 8) | file[at + i];
    return value;
}

TEST_F(Capture, ThreeByOneSpriteIsWrittenByteForByte) {
    TempDir dir;
    ASSERT_TRUE(LoadPixelsAsSprite(5, 3, 1, {0xF800, 0xFFFF, 0x001F}));
    ASSERT_NE(SaveSpriteBitmap(5, dir.File("s.bmp")), 0);
    std::vector<uint8_t> file = ReadBytes(dir.File("s.bmp"));
    ASSERT_EQ(file.size(), 66u);
    std::vector<uint8_t> headers = {'B', 'M', 66, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0, 3, 0, 0, 0, 1, 0,
                                    0,   0,   1,  0, 24, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                    0,   0,   0,  0, 0, 0};
    EXPECT_EQ(std::vector<uint8_t>(file.begin(), file.begin() + 54), headers);
    // red: blue 0, green 0, red 248; white: 248, 252, 248; blue: 248, 0, 0
    std::vector<uint8_t> pixels = {0, 0, 248, 248, 252, 248, 248, 0, 0};
    EXPECT_EQ(std::vector<uint8_t>(file.begin() + 54, file.begin() + 63), pixels);
}

TEST_F(Capture, FullScreenGrabIsWrittenBottomRowFirst) {
    TempDir dir;
    FillScreen(0, 0, 0);
    ASSERT_TRUE(LoadPixelsAsSprite(1, 1, 1, {0xF800}));
    DrawSpriteOpaque(1, 0, 767);  // bottom-left corner red
    ASSERT_NE(GrabScreenToSprite(888, 0, 0, 1024, 768), 0);
    ASSERT_NE(SaveSpriteBitmap(888, dir.File("Capture_Gulpkin.bmp")), 0);
    std::vector<uint8_t> file = ReadBytes(dir.File("Capture_Gulpkin.bmp"));
    ASSERT_EQ(file.size(), 2359350u);
    EXPECT_EQ(Field(file, 2, 4), 2359350u);
    EXPECT_EQ(Field(file, 18, 4), 1024u);
    EXPECT_EQ(Field(file, 22, 4), 768u);
    EXPECT_EQ(file[54 + 2], 248);  // first stored pixel: bottom-left, red
    EXPECT_EQ(file[54 + 3 * 1024 + 2], 0);
}

TEST_F(Capture, FrameSizeIsWrittenFromTheImagesTopLeft) {
    TempDir dir;
    ASSERT_TRUE(LoadPixelsAsSprite(6, 4, 2, {0xF800, 0x07E0, 0x001F, 0xFFFF, 0x0001, 0x0002, 0x0003, 0x0004}));
    SetSpriteFrame(6, 2, 1, 2, 1);
    ASSERT_NE(SaveSpriteBitmap(6, dir.File("f.bmp")), 0);
    std::vector<uint8_t> file = ReadBytes(dir.File("f.bmp"));
    ASSERT_EQ(file.size(), 54u + 8);
    EXPECT_EQ(Field(file, 18, 4), 2u);
    EXPECT_EQ(Field(file, 22, 4), 1u);
    EXPECT_EQ(std::vector<uint8_t>(file.begin() + 54, file.begin() + 60), (std::vector<uint8_t>{0, 0, 248, 0, 252, 0}));
}

TEST_F(Capture, MissingSpriteOrPathWritesNothing) {
    TempDir dir;
    EXPECT_EQ(SaveSpriteBitmap(404, dir.File("none.bmp")), 0);
    EXPECT_FALSE(std::filesystem::exists(dir.File("none.bmp")));
    ASSERT_NE(MakeBlankSprite(1, 2, 2), 0);
    EXPECT_EQ(SaveSpriteBitmap(1, ""), 0);
    EXPECT_EQ(SaveSpriteBitmap(1, dir.File("no-such-dir/x.bmp")), 0);
}

TEST_F(Capture, SavedFileReadsBackThroughTheDecoder) {
    TempDir dir;
    std::vector<uint16_t> pixels;
    for (int i = 0; i < 35; ++i) pixels.push_back(static_cast<uint16_t>(i * 1871 + 1));
    ASSERT_TRUE(LoadPixelsAsSprite(2, 7, 5, pixels));
    ASSERT_NE(SaveSpriteBitmap(2, dir.File("r.bmp")), 0);
    ASSERT_NE(LoadSpriteFile(3, dir.File("r.bmp"), 0), 0);
    SpriteView view;
    ASSERT_TRUE(ViewSprite(3, view));
    EXPECT_EQ(std::vector<uint16_t>(view.pixels, view.pixels + 35), pixels);
}

TEST(CaptureShots, HeadlessShotWritesThePresentedFrame) {
    ScratchGameDir scratch;
    ScenarioResult result = RunScenario("1 shot frame.bmp\n2 quit\n");
    EXPECT_EQ(result.exitCode, 0);
    std::vector<uint8_t> file = ReadBytes("frame.bmp");
    ASSERT_EQ(file.size(), 2359350u) << result.errors;
}

}  // namespace
