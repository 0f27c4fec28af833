// Start-up, game set-up and the end of the program, seen through the
// headless driver.
#include "core/game_state.h"
#include "platform/headless/headless.h"
#include "tests/support/scenario.h"

#include <gtest/gtest.h>

#include <fstream>

TEST(StartUp, ReachesTheTitleWithTheStartValuesAndExitsCleanly) {
    ScratchGameDir dir;
    ScenarioResult run = RunScenario("0 dump\n0 quit\n");
    EXPECT_EQ(run.exitCode, 0);
    ASSERT_EQ(run.dumps.size(), 1u);
    Json state = ParseJson(run.dumps[0]);
    EXPECT_EQ(state["screen"].text, "title");
    EXPECT_EQ(state["level"].Int(), 1);
    EXPECT_EQ(state["highScore"].Int(), 0);
    EXPECT_EQ(state["frame"].Int(), 0);
    EXPECT_EQ(headless::DisplayTitle(), "");  // closed by the end sequence
    // The start-up pauses (1000 then 2000 ms) come before the first frame.
    EXPECT_EQ(state["tick"].Int(), 1000000 + 3000);
}

TEST(StartUp, ReadsTheBestScoreFromTheSettingsFile) {
    ScratchGameDir dir;
    std::ofstream("Hit Score.ini", std::ios::binary) << "HitScore = 4321\r\n";
    ScenarioResult run = RunScenario("0 dump\n0 quit\n");
    ASSERT_EQ(run.dumps.size(), 1u);
    EXPECT_EQ(ParseJson(run.dumps[0])["highScore"].Int(), 4321);
}

TEST(StartUp, FallsBackToTheDefaultRefreshWithTheTitleTest) {
    ScratchGameDir dir;
    std::string title;
    HeadlessRun options;
    options.displayRefuses75 = true;
    options.calls["title"] = [&] { title = headless::DisplayTitle(); };
    ScenarioResult run = RunScenario("0 call title\n0 quit\n", options);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(title, "Test");
    options.displayRefuses75 = false;
    RunScenario("0 call title\n0 quit\n", options);
    EXPECT_EQ(title, "Gulpkin");
}

TEST(StartUp, WithoutAnyScreenTheTitleEndsTheProgram) {
    ScratchGameDir dir;
    HeadlessRun options;
    options.displayFails = true;
    ScenarioResult run = RunScenario("", options);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(headless::PresentedFrames(), 0);
}

TEST(StartUp, GameSetUpPlacesEveryoneForTheFirstBoard) {
    ScratchGameDir dir;
    HeadlessRun options;
    options.directLevel = 21;
    ScenarioResult run = RunScenario("0 dump\n0 quit\n", options);
    ASSERT_EQ(run.dumps.size(), 1u);
    Json state = ParseJson(run.dumps[0]);
    EXPECT_EQ(state["level"].Int(), 21);
    EXPECT_EQ(state["lives"].Int(), 3);
    EXPECT_EQ(state["score"].Int(), 0);
    EXPECT_EQ(state["frightCharges"].Int(), 1);
    EXPECT_EQ(state["player"]["x"].Int(), 540);
    EXPECT_EQ(state["player"]["y"].Int(), 540);
    EXPECT_EQ(state["player"]["step"].Int(), 2);
    EXPECT_EQ(state["dots"].Int(), 110);
    for (size_t g = 0; g < 5; ++g) {
        EXPECT_EQ(state["ghosts"][g]["x"].Int(), 540);
        EXPECT_EQ(state["ghosts"][g]["y"].Int(), 468);
    }
    // Whatever the difficulty, the first board is layout 1: the start crossing
    // is walled above and below.
    EXPECT_EQ(game.grid[kPlayerSlot].wallTop, 1);
    EXPECT_EQ(game.grid[kPlayerSlot].wallBottom, 1);
    EXPECT_EQ(game.maze[8][6].top, 1);
    EXPECT_EQ(game.maze[8][6].left, 0);
    EXPECT_EQ(game.frightDuration, 6500);
}

TEST(StartUp, ABadScriptIsRefusedBeforeTheGameStarts) {
    ScenarioResult run = RunScenario("x dump\n");
    EXPECT_EQ(run.exitCode, 2);
    run = RunScenario("5 keys NOSUCHKEY\n");
    EXPECT_EQ(run.exitCode, 2);
}
