// The keys that act during play besides the arrows: Space spends a charge,
// F12 saves the screen, Escape ends the program; and the joystick steering.
#include "core/game_state.h"
#include "platform/headless/headless.h"
#include "tests/support/play_scenario.h"
#include "tests/support/scenario.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

HeadlessRun Level1() {
    HeadlessRun options;
    options.directLevel = 1;
    options.calls["park"] = [] { ParkGhosts(); };
    return options;
}

TEST(PlayKeys, EscapeEndsTheProgramAfterTheFrameWithExitCode0) {
    ScratchGameDir dir;
    ScenarioResult run = RunScenario("5 keys ESC\n40 quit\n", Level1());
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(game.quitRequested, 1);
    // The frame in which Escape was seen is drawn but never presented.
    EXPECT_EQ(headless::PresentedFrames(), 5);
}

TEST(PlayKeys, SpaceSpendsOneChargeAndFrightensTheGhosts) {
    ScratchGameDir dir;
    ScenarioResult run = RunScenario(CallEveryFrame(1, 12, "park") + "1 keys SPACE\n2 dump\n10 dump\n12 quit\n", Level1());
    ASSERT_EQ(run.dumps.size(), 2u);
    Json first = ParseJson(run.dumps[0]);
    EXPECT_EQ(first["frightCharges"].Int(), 0);
    EXPECT_EQ(first["frightened"].Int(), 1);
    bool chargeSound = false;
    for (const Json& s : first["sounds"].items) chargeSound |= s.Int() == 1;
    EXPECT_TRUE(chargeSound);
    EXPECT_EQ(ParseJson(run.dumps[1])["frightCharges"].Int(), 0);
}

// Holding Space while the ghosts are frightened spends nothing more.
TEST(PlayKeys, SpaceHeldWhileFrightenedSpendsNothing) {
    ScratchGameDir dir;
    HeadlessRun options = Level1();
    options.calls["three"] = [] { game.frightCharges = 3; };
    ScenarioResult run =
        RunScenario(CallEveryFrame(1, 60, "park") + "1 call three\n1 keys SPACE\n60 dump\n60 quit\n", options);
    ASSERT_EQ(run.dumps.size(), 1u);
    EXPECT_EQ(ParseJson(run.dumps[0])["frightCharges"].Int(), 2);
}

TEST(PlayKeys, F12WritesTheScreenAsA24BitBitmap) {
    ScratchGameDir dir;
    REQUIRE_PICTURES();
    ScenarioResult run = RunScenario("3 keys F12\n4 keys\n6 quit\n", Level1());
    EXPECT_EQ(run.exitCode, 0);
    ASSERT_TRUE(std::filesystem::exists("Capture_Gulpkin.bmp"));
    EXPECT_EQ(std::filesystem::file_size("Capture_Gulpkin.bmp"), 2359350u);  // 54 + 1024 x 768 x 3
    std::ifstream file("Capture_Gulpkin.bmp", std::ios::binary);
    char magic[2] = {};
    file.read(magic, 2);
    EXPECT_EQ(magic[0], 'B');
    EXPECT_EQ(magic[1], 'M');
}

TEST(PlayKeys, TheJoystickSteersLikeTheArrows) {
    ScratchGameDir dir;
    HeadlessRun options = Level1();
    options.joystick = true;
    ScenarioResult run = RunScenario("1 joy -1 0 0 0\n4 dump\n4 joy 1 0 0 0\n6 dump\n6 quit\n", options);
    ASSERT_EQ(run.dumps.size(), 2u);
    EXPECT_EQ(ParseJson(run.dumps[0])["player"]["x"].Int(), 534);
    EXPECT_EQ(ParseJson(run.dumps[1])["player"]["x"].Int(), 538);
}

}  // namespace
