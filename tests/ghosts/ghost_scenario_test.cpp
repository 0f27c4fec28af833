// The ghosts in whole games on the headless driver: pacing in the pen and
// leaving it upwards, touches that cost lives up to the end-of-game screen,
// and five ghosts eaten in one frightened period.
#include "board/maze.h"
#include "core/game_state.h"
#include "pictures/screen.h"
#include "tests/support/play_scenario.h"
#include "tests/support/scenario.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// True when the game has its pictures (the sprite service and the asset
// pack), so that pictures can touch.
bool PicturesLoaded() {
    SpriteView player, ghost;
    return ViewSprite(kPlayer, player) && ViewSprite(GhostActor(1), ghost);
}

void PutGhostOnPlayer(int g) {
    game.actors[GhostActor(g)].x = game.actors[kPlayer].x;
    game.actors[GhostActor(g)].y = game.actors[kPlayer].y;
}

}  // namespace

TEST(GhostScenario, GhostsPaceInThePenAndLeaveItOnlyUpwardsFromTheMiddle) {
    ScratchGameDir dir;
    HeadlessRun options;
    options.directLevel = 1;
    bool left[kGhostCount + 1] = {};
    int exits = 0;
    std::string faults;
    // The player stands off the pen's lines (where the ghosts would see it
    // below them and wait against the pen's floor).
    options.calls["away"] = [] { PlacePlayer(180, 612); };
    options.calls["watch"] = [&] {
        game.contactStartTick = 0x7fffffff;  // no touch lasts: this test is about the pen
        for (int g = 1; g <= kGhostCount; ++g) {
            const Actor& ghost = game.actors[GhostActor(g)];
            if (left[g]) continue;
            if (ghost.y == 468) {
                if (ghost.x < 480 || ghost.x > 588) faults += "ghost left the pen sideways\n";
                continue;
            }
            if (ghost.x != 540 || ghost.y != 468 - ghost.step) faults += "ghost left the pen but not upwards\n";
            left[g] = true;
            ++exits;
        }
    };
    std::string script = "1 keys F1\n1 call away\n" + CallEveryFrame(2, 2000, "watch") + "2000 quit\n";
    RunScenario(script, options);
    EXPECT_EQ(faults, "");
    EXPECT_GE(exits, 3);
}

TEST(GhostScenario, TouchesOfMoreThan300MsCostLivesAndTheFourthOpensTheEndOfGameScreen) {
    ScratchGameDir dir;
    HeadlessRun options;
    options.directLevel = 1;
    bool pictures = false;
    std::vector<int> livesAtFrame;  // lives seen by the hook of each frame
    std::vector<Screen> screenAtFrame;
    options.calls["look"] = [&] { pictures = PicturesLoaded(); };
    options.calls["touch"] = [&] {
        livesAtFrame.push_back(game.lives);
        screenAtFrame.push_back(game.screen);
        PutGhostOnPlayer(1);
    };
    options.calls["apart"] = [&] {
        livesAtFrame.push_back(game.lives);
        screenAtFrame.push_back(game.screen);
        game.actors[GhostActor(1)].x = 540;
        game.actors[GhostActor(1)].y = 468;
    };
    // frames 10..31: a touch of 22 frames (293 ms); 32..40 apart; then a
    // touch from frame 41 on until the game is over
    std::string script = "1 keys F1\n1 call look\n" + CallEveryFrame(2, 9, "apart") + CallEveryFrame(10, 31, "touch") +
                         CallEveryFrame(32, 40, "apart") + CallEveryFrame(41, 200, "touch") + "200 dump\n200 quit\n";
    ScenarioResult run = RunScenario(script, options);
    if (!pictures) FAIL() << "the game's pictures did not load";
    ASSERT_EQ(run.dumps.size(), 1u);
    Json end = ParseJson(run.dumps[0]);
    EXPECT_EQ(end["screen"].text, "options");
    EXPECT_EQ(end["lives"].Int(), -1);
    // The hook of frame f runs before played frame f; during a death
    // sequence the ten frames it presents run theirs.
    auto hook = [](const auto& seen, int frame) { return seen.at(static_cast<size_t>(frame - 2)); };
    for (int frame = 2; frame <= 63; ++frame) {
        // the touch of 22 frames (293 ms) cost nothing, nor did 22 frames of the next
        EXPECT_EQ(hook(livesAtFrame, frame), 3) << frame;
        EXPECT_EQ(hook(screenAtFrame, frame), Screen::Play) << frame;
    }
    // the 23rd touching frame (307 ms) starts the death sequence
    EXPECT_EQ(hook(screenAtFrame, 64), Screen::Death);
    EXPECT_EQ(hook(livesAtFrame, 73), 3);
    EXPECT_EQ(hook(livesAtFrame, 74), 2);
    EXPECT_EQ(hook(screenAtFrame, 74), Screen::Play);
    // the touch goes on: the start of the touch lies far back, so every
    // later death comes at once, ten frames of animation each
    EXPECT_EQ(hook(livesAtFrame, 85), 1);
    EXPECT_EQ(hook(livesAtFrame, 96), 0);
    EXPECT_EQ(hook(livesAtFrame, 107), -1);
    EXPECT_EQ(hook(screenAtFrame, 200), Screen::Options);
}

TEST(GhostScenario, FiveGhostsEatenInOnePeriodScore2000AndALife) {
    ScratchGameDir dir;
    HeadlessRun options;
    options.directLevel = 1;
    bool pictures = false;
    options.calls["look"] = [&] { pictures = PicturesLoaded(); };
    options.calls["gather"] = [&] {
        for (int g = 1; g <= kGhostCount; ++g) PutGhostOnPlayer(g);
    };
    // Each eaten ghost presents one frame inside frame 10's pass (its label),
    // so the hook of frame 16 is the first after that pass.
    std::string script =
        "1 call look\n5 keys SPACE\n6 keys\n8 dump\n10 call gather\n16 dump\n30 quit\n";
    ScenarioResult run = RunScenario(script, options);
    if (!pictures) FAIL() << "the game's pictures did not load";
    ASSERT_EQ(run.dumps.size(), 2u);
    Json frightened = ParseJson(run.dumps[0]);
    EXPECT_EQ(frightened["frightened"].Int(), 1);
    EXPECT_EQ(frightened["frightCharges"].Int(), 0);
    Json eaten = ParseJson(run.dumps[1]);
    EXPECT_EQ(eaten["score"].Int(), 100 + 200 + 300 + 400 + 1000);
    EXPECT_EQ(eaten["lives"].Int(), 4);
    EXPECT_EQ(eaten["frightened"].Int(), 1);
    for (size_t g = 0; g < 5; ++g) {
        EXPECT_EQ(eaten["ghosts"][g]["x"].Int(), 540);
        EXPECT_EQ(eaten["ghosts"][g]["y"].Int(), 468);
        EXPECT_EQ(eaten["ghosts"][g]["step"].Int(), 2);
    }
    std::vector<int> sounds;
    for (const Json& s : eaten["sounds"].items) sounds.push_back(static_cast<int>(s.number));
    EXPECT_EQ(std::count(sounds.begin(), sounds.end(), 5), 1);
    EXPECT_EQ(std::count_if(sounds.begin(), sounds.end(), [](int s) { return s >= 11 && s <= 13; }), 5);
    // five pauses of 500 ms: the clock moved on by at least 2.5 s
    EXPECT_GE(eaten["tick"].Int() - frightened["tick"].Int(), 2500);
}
