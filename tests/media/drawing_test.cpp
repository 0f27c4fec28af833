// Drawing boxes, pixels and text on the back buffer and on sprites.
#include "pictures/drawing.h"
#include "pictures/screen.h"
#include "core/values.h"
#include "tests/support/headless_screen.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using Drawing = HeadlessScreen;

// how many pixels of the rectangle have the value
int Count(int x, int y, int width, int height, uint16_t value) {
    int n = 0;
    for (int row = y; row < y + height; ++row) {
        for (int column = x; column < x + width; ++column) {
            n += BackBufferPixels()[row * 1024 + column] == value;
        }
    }
    return n;
}

bool HaveFace() {
    return std::filesystem::exists("/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf");
}

TEST_F(Drawing, FillRectCoversExactlyItsColumnsAndRows) {
    BeginDrawing(ScreenDrawTarget());
    FillRect(0, 748, 1024, 12, MixColour(35, 255, 50));
    EndDrawing();
    uint16_t colour = 0x27E6;
    EXPECT_EQ(Count(0, 748, 1024, 12, colour), 1024 * 12);
    EXPECT_EQ(Count(0, 747, 1024, 1, 0), 1024);
    EXPECT_EQ(Count(0, 760, 1024, 1, 0), 1024);
}

TEST_F(Drawing, OnePixelBoxAndBoxesOffTheEdges) {
    BeginDrawing(ScreenDrawTarget());
    FillRect(10, 10, 1, 1, 0xFFFFFF);
    FillRect(-5, -5, 7, 7, 0x0000FF);      // only 2 x 2 on the screen
    FillRect(1020, 765, 100, 100, 0xFF0000);
    EndDrawing();
    EXPECT_EQ(BackPixel(10, 10), 0xFFFF);
    EXPECT_EQ(Count(9, 9, 3, 3, 0xFFFF), 1);
    EXPECT_EQ(Count(0, 0, 3, 3, 0xF800), 4);
    EXPECT_EQ(Count(1020, 765, 4, 3, 0x001F), 12);
}

TEST_F(Drawing, InvertingAndOutlineModes) {
    FillScreen(255, 0, 0);
    BeginDrawing(ScreenDrawTarget());
    SetTextMode(2);  // inverting
    FillRect(0, 0, 4, 4, 0x00FF00);
    SetTextMode(4);  // outline only
    FillRect(10, 10, 4, 4, 0xFFFFFF);
    SetTextMode(6);  // inverted outline
    FillRect(20, 20, 4, 4, 0xFFFFFF);
    EndDrawing();
    EXPECT_EQ(Count(0, 0, 4, 4, 0x07FF), 16);  // every pixel inverted once
    EXPECT_EQ(Count(10, 10, 4, 4, 0xFFFF), 12);
    EXPECT_EQ(Count(11, 11, 2, 2, 0xF800), 4);
    EXPECT_EQ(Count(20, 20, 4, 4, 0x07FF), 12);
    EXPECT_EQ(Count(21, 21, 2, 2, 0xF800), 4);
}

TEST_F(Drawing, PutPixelUsesTheRedLowByteFormula) {
    BeginDrawing(ScreenDrawTarget());
    PutPixel(0, 0, 0x0000FF);
    PutPixel(1, 0, 0xFFFFFF);
    PutPixel(2, 0, 0x00FF00);
    PutPixel(3, 0, 0xFF0000);
    PutPixel(-1, 0, 0xFFFFFF);
    PutPixel(1024, 767, 0xFFFFFF);
    EndDrawing();
    EXPECT_EQ(BackPixel(0, 0), 0xF800);
    EXPECT_EQ(BackPixel(1, 0), 0xFFFF);
    EXPECT_EQ(BackPixel(2, 0), 0x07E0);
    EXPECT_EQ(BackPixel(3, 0), 0x001F);
}

TEST_F(Drawing, NothingIsDrawnWithoutAnOpenDrawing) {
    FillRect(0, 0, 10, 10, 0xFFFFFF);
    PutPixel(0, 0, 0xFFFFFF);
    SetTextCursor(0, 0);
    PrintText("hello");
    BeginDrawing(0);
    FillRect(0, 0, 10, 10, 0xFFFFFF);
    EXPECT_EQ(Count(0, 0, 100, 20, 0), 2000);
}

TEST_F(Drawing, TargetRecordsRefuseWhatIsAlreadyOpenOrMissing) {
    EXPECT_EQ(SpriteDrawTarget(55), 0);
    int screen = ScreenDrawTarget();
    ASSERT_NE(screen, 0);
    BeginDrawing(screen);
    EXPECT_EQ(ScreenDrawTarget(), 0);
    ASSERT_NE(MakeBlankSprite(110, 8, 8), 0);
    int sprite = SpriteDrawTarget(110);
    ASSERT_NE(sprite, 0);
    BeginDrawing(sprite);  // ends the screen drawing
    EXPECT_EQ(SpriteDrawTarget(110), 0);
    EXPECT_NE(ScreenDrawTarget(), 0);
    FillRect(0, 0, 8, 8, 0x0000FF);
    EndDrawing();
    EndDrawing();  // harmless
    SpriteView view;
    ASSERT_TRUE(ViewSprite(110, view));
    EXPECT_EQ(std::count(view.pixels, view.pixels + 64, 0xF800), 64);
    EXPECT_EQ(Count(0, 0, 8, 8, 0), 64);
}

TEST_F(Drawing, PresentFrameEndsAScreenDrawingLeftOpen) {
    BeginDrawing(ScreenDrawTarget());
    PresentFrame();
    FillRect(0, 0, 4, 4, 0xFFFFFF);
    EXPECT_EQ(Count(0, 0, 4, 4, 0), 16);
    EXPECT_NE(ScreenDrawTarget(), 0);
}

TEST_F(Drawing, SpriteFreedDuringADrawingIsNotWritten) {
    ASSERT_NE(MakeBlankSprite(110, 8, 8), 0);
    BeginDrawing(SpriteDrawTarget(110));
    ASSERT_NE(MakeBlankSprite(111, 2, 2), 0);
    EXPECT_EQ(MakeBlankSprite(110, 0, 0), 0);  // frees 110
    FillRect(0, 0, 8, 8, 0xFFFFFF);
    PutPixel(1, 1, 0xFFFFFF);
    PrintText("x");
    EndDrawing();
    // the writes went nowhere: not to the screen, not to the sprite made
    // meanwhile, and the freed number stays free
    SpriteView view;
    EXPECT_FALSE(ViewSprite(110, view));
    ASSERT_TRUE(ViewSprite(111, view));
    for (int i = 0; i < 4; ++i) EXPECT_EQ(view.pixels[i], 0) << i;
    EXPECT_EQ(Count(0, 0, 16, 16, 0), 16 * 16);
}

TEST_F(Drawing, TextOnAFilledWhiteBackgroundAdvancesTheCursor) {
    if (!HaveFace()) GTEST_SKIP() << "DejaVu Sans Bold is not installed";
    BeginDrawing(ScreenDrawTarget());
    SetTextCursor(100, 100);
    SetPenColour(0, 0, 0);
    PrintText("Titre");
    PrintText("Titre");
    EndDrawing();
    // the two texts sit side by side on white, about 13 pixels high
    int white = Count(100, 100, 200, 30, 0xFFFF), ink = Count(100, 100, 200, 30, 0);
    EXPECT_GT(white, 200);
    EXPECT_GT(ink, 40);
    int lastColumn = 0, lastRow = 0;
    for (int y = 100; y < 130; ++y) {
        for (int x = 100; x < 300; ++x) {
            if (BackPixel(x, y) != 0) lastColumn = std::max(lastColumn, x), lastRow = std::max(lastRow, y);
        }
    }
    EXPECT_GT(lastColumn, 150);
    EXPECT_GE(lastRow - 100, 11);
    EXPECT_LE(lastRow - 100, 20);
    // the second text starts where the first one ended: both halves alike
    int half = (lastColumn - 100 + 1) / 2;
    for (int y = 100; y <= lastRow; ++y) {
        for (int x = 0; x < half; ++x) ASSERT_EQ(BackPixel(100 + x, y), BackPixel(100 + half + x, y)) << x << "," << y;
    }
}

TEST_F(Drawing, TransparentTextKeepsTheBackgroundAndTakesTheBoxColour) {
    if (!HaveFace()) GTEST_SKIP() << "DejaVu Sans Bold is not installed";
    FillScreen(0, 0, 255);
    BeginDrawing(ScreenDrawTarget());
    SetTextMode(1);
    FillRect(0, 0, 1, 1, 0x0000FF);  // red box: later text is red too
    SetTextCursor(50, 50);
    PrintText("F1 Normal");
    EndDrawing();
    EXPECT_EQ(Count(50, 50, 100, 20, 0xFFFF), 0);
    EXPECT_GT(Count(50, 50, 100, 20, 0xF800), 20);
    EXPECT_GT(Count(50, 50, 100, 20, 0x001F), 1000);
}

TEST_F(Drawing, EmptyTextDrawsNothing) {
    BeginDrawing(ScreenDrawTarget());
    SetTextCursor(10, 10);
    PrintText("");
    FillRect(0, 0, 0, 5, 0xFFFFFF);
    EndDrawing();
    EXPECT_EQ(Count(0, 0, 40, 40, 0), 1600);
}

}  // namespace
