// Opening the screen with its fallback, presenting frames, the focus flag and
// the frame limiter, on the headless backend.
#include "pictures/frame_limiter.h"
#include "pictures/screen.h"
#include "tests/support/headless_screen.h"

#include <gtest/gtest.h>

namespace {

using Presenting = HeadlessScreen;

TEST_F(Presenting, PresentShowsTheBackBuffer) {
    FillScreen(0, 255, 0);
    PresentFrame();
    ASSERT_EQ(headless::PresentedFrames(), 1);
    const std::vector<uint16_t>& frame = headless::LastFrame();
    ASSERT_EQ(frame.size(), 1024u * 768u);
    EXPECT_EQ(frame[0], 0x07E0);
    EXPECT_EQ(frame[1024 * 768 - 1], 0x07E0);
}

TEST_F(Presenting, LosingTheFocusStopsTheFlipsAndRegainingRestartsThem) {
    EndScreen();
    OpenWith(headless::Options{}, {{1, "focus", {"lost"}}, {3, "focus", {"back"}}});
    FillScreen(255, 0, 0);
    PresentFrame();  // frame 1 shown; the focus goes meanwhile
    EXPECT_EQ(ScreenHasFocus(), 0);
    FillScreen(0, 0, 255);
    PresentFrame();  // skipped
    EXPECT_EQ(headless::LastFrame()[0], 0xF800);
    PresentFrame();  // skipped; the focus comes back meanwhile
    EXPECT_EQ(ScreenHasFocus(), 1);
    EXPECT_EQ(headless::LastFrame()[0], 0xF800);
    PresentFrame();
    EXPECT_EQ(headless::LastFrame()[0], 0x001F);
}

TEST_F(Presenting, RefusedRefreshRateFailsAndTheFallbackOpens) {
    EndScreen();
    headless::Options options;
    options.displayRefuses75 = true;
    headless::Configure(options, {});
    InitScreen();
    SetScreenRefresh(75);
    EXPECT_EQ(OpenFullScreen(1024, 768, 16, "Gulpkin"), 0);
    EXPECT_EQ(ScreenHasFocus(), 0);
    EXPECT_EQ(BackBufferPixels(), nullptr);
    EXPECT_EQ(FreeVideoMemory(), 0);
    SetScreenRefresh(0);
    ASSERT_NE(OpenFullScreen(1024, 768, 16, "Test"), 0);
    EXPECT_EQ(headless::DisplayTitle(), "Test");
    EXPECT_EQ(ScreenHasFocus(), 1);
    EXPECT_GT(FreeVideoMemory(), 0);
}

TEST_F(Presenting, WithoutAnyDisplayNothingOpensAndPresentingIsHarmless) {
    EndScreen();
    headless::Options options;
    options.displayFails = true;
    headless::Configure(options, {});
    InitScreen();
    EXPECT_EQ(OpenFullScreen(1024, 768, 16, "Gulpkin"), 0);
    PresentFrame();
    DrawSpriteOpaque(0, 0, 0);
    FillScreen(1, 2, 3);
    EXPECT_EQ(ScreenHasFocus(), 0);
}

// Frame intervals in virtual microseconds: the headless display shows one
// frame every 1/75 s, so a cap below that makes the limiter wait.
int64_t MicrosForOneFrame() {
    uint64_t before = headless::VirtualMicros();
    PresentFrame();
    return static_cast<int64_t>(headless::VirtualMicros() - before);
}

TEST_F(Presenting, LimiterHoldsFramesToTheCapInTheFallbackMode) {
    EndScreen();
    headless::Options options;
    options.displayRefuses75 = true;
    headless::Configure(options, {});
    InitScreen();
    SetScreenRefresh(0);
    ASSERT_NE(OpenFullScreen(1024, 768, 16, "Test"), 0);
    ASSERT_NE(SetFrameCap(30), 0);
    EXPECT_EQ(FrameInterval(), 1000000 / 31);
    MicrosForOneFrame();
    for (int i = 0; i < 5; ++i) {
        int64_t micros = MicrosForOneFrame();
        EXPECT_GT(micros, 1000000 / 31);
        EXPECT_LT(micros, 1000000 / 31 + 1500);  // naps end before the last 2 ms
    }
}

TEST_F(Presenting, LimiterNeverWaitsWhenTheDisplayRunsAtTheRateAskedFor) {
    ASSERT_NE(SetFrameCap(30), 0);
    MicrosForOneFrame();
    for (int i = 0; i < 3; ++i) EXPECT_LT(MicrosForOneFrame(), 13400);
}

TEST_F(Presenting, CapOfZeroTurnsTheLimiterOff) {
    ASSERT_NE(SetFrameCap(75), 0);
    EXPECT_EQ(FrameInterval(), 1000000 / 76);
    ASSERT_NE(SetFrameCap(0), 0);
    EXPECT_EQ(FrameInterval(), 0);
    EXPECT_NE(SetFrameCap(-1), 0);
    EXPECT_EQ(FrameInterval(), 0);
}

}  // namespace
