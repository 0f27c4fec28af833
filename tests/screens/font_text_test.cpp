// Glyph text: which glyph each character draws, where it goes, and the status
// line of a played frame. Drawn on a black back buffer with the real glyphs
// of the asset pack, then compared pixel by pixel with the glyph pictures.
#include "core/game_state.h"
#include "platform/headless/headless.h"
#include "pictures/screen.h"
#include "presentation/font_text.h"
#include "tests/support/play_scenario.h"
#include "tests/support/scenario.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

int InkOnScreen() {
    const uint16_t* pixels = BackBufferPixels();
    int count = 0;
    for (int i = 0; i < 1024 * 768; ++i) count += pixels[i] != 0;
    return count;
}

// Runs `check` inside a game whose sprites are loaded, on a black back buffer.
void OnBlackScreen(const std::function<void()>& check) {
    ScratchGameDir dir;
    REQUIRE_PICTURES();
    HeadlessRun options;
    options.directLevel = 1;
    options.calls["check"] = [&] {
        SetBlitTarget(-1);
        FillScreen(0, 0, 0);
        check();
    };
    RunScenario("2 call check\n3 quit\n", options);
}

// The glyphs must be distinct pictures for the checks below to mean anything.
TEST(FontText, TheGlyphsAreLoadedWithWidths) {
    OnBlackScreen([] {
        for (int glyph = 600; glyph <= 635; ++glyph) {
            EXPECT_GT(SpriteWidth(glyph), 0) << glyph;
            EXPECT_GT(SpriteInkCount(glyph), 0) << glyph;
        }
    });
}

TEST(FontText, LettersDigitsAndSpacesAreSetOnePixelApart) {
    OnBlackScreen([] {
        DrawFontText("NIV 12", 100, 200);
        const uint16_t* screen = BackBufferPixels();
        const int n = 610 + ('N' - 'A'), i = 610 + ('I' - 'A'), v = 610 + ('V' - 'A');
        int x = 100;
        EXPECT_TRUE(SpriteShownAt(screen, n, x, 200));
        x += SpriteWidth(n) + 1;
        EXPECT_TRUE(SpriteShownAt(screen, i, x, 200));
        x += SpriteWidth(i) + 1;
        EXPECT_TRUE(SpriteShownAt(screen, v, x, 200));
        x += SpriteWidth(v) + 1 + 28;
        EXPECT_TRUE(SpriteShownAt(screen, 601, x, 200));
        x += SpriteWidth(601) + 1;
        EXPECT_TRUE(SpriteShownAt(screen, 602, x, 200));
        EXPECT_EQ(InkOnScreen(),
                  SpriteInkCount(n) + SpriteInkCount(i) + SpriteInkCount(v) + SpriteInkCount(601) + SpriteInkCount(602));
    });
}

TEST(FontText, AMinusSignLowerCaseAndPunctuationDrawTheGlyphOfZero) {
    OnBlackScreen([] {
        DrawFontText("-1", 10, 10);
        const uint16_t* screen = BackBufferPixels();
        EXPECT_TRUE(SpriteShownAt(screen, 600, 10, 10));
        EXPECT_TRUE(SpriteShownAt(screen, 601, 10 + SpriteWidth(600) + 1, 10));
        EXPECT_EQ(InkOnScreen(), SpriteInkCount(600) + SpriteInkCount(601));

        FillScreen(0, 0, 0);
        const char odd[] = {'a', 'z', '.', '!', static_cast<char>(200), 0};
        DrawFontText(odd, 300, 400);
        const int step = SpriteWidth(600) + 1;
        for (int k = 0; k < 5; ++k) EXPECT_TRUE(SpriteShownAt(screen, 600, 300 + k * step, 400)) << k;
        EXPECT_EQ(InkOnScreen(), 5 * SpriteInkCount(600));
    });
}

TEST(FontText, AnEmptyTextOrSpacesDrawNothing) {
    OnBlackScreen([] {
        DrawFontText("", 500, 300);
        DrawFontText("   ", 500, 300);
        EXPECT_EQ(InkOnScreen(), 0);
        // Three spaces then a digit: the digit lands 84 pixels on.
        DrawFontText("   7", 500, 300);
        EXPECT_TRUE(SpriteShownAt(BackBufferPixels(), 607, 584, 300));
    });
}

// In play, the status line is drawn last over the frame: charges, score,
// lives and the level at their fixed places.
TEST(StatusLine, ShowsChargesScoreLivesAndLevelAtTheirPlaces) {
    ScratchGameDir dir;
    REQUIRE_PICTURES();
    HeadlessRun options;
    options.directLevel = 12;
    bool charges = false, score = false, lives = false, level = false;
    options.calls["set"] = [] {
        game.score = 4070;
        ParkGhosts();
    };
    options.calls["look"] = [&] {
        const uint16_t* frame = headless::LastFrame().data();
        charges = SpriteShownAt(frame, 601, 380, 235);
        int x = 467;
        score = true;
        for (int glyph : {604, 600, 607, 600}) {
            score = score && SpriteShownAt(frame, glyph, x, 125);
            x += SpriteWidth(glyph) + 1;
        }
        lives = SpriteShownAt(frame, 603, 113, 475);
        x = 870;
        level = true;
        for (int glyph : {623, 618, 631, -1, 601, 602}) {
            if (glyph < 0) {
                x += 28;
                continue;
            }
            level = level && SpriteShownAt(frame, glyph, x, 437);
            x += SpriteWidth(glyph) + 1;
        }
    };
    RunScenario("2 call set\n4 call look\n5 quit\n", options);
    EXPECT_TRUE(charges);
    EXPECT_TRUE(score);
    EXPECT_TRUE(lives);
    EXPECT_TRUE(level);
}

}  // namespace
