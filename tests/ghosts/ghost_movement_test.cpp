// Ghost movement: corner waypoints, the direction rules in their order, the
// conditions of a step and the wall cleared behind it, the tunnel, and the
// shared animation frame.
#include "board/maze.h"
#include "core/game_state.h"
#include "ghosts/ghosts.h"
#include "core/values.h"
#include "tests/support/board_fixture.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Ghost 1 alone on the board at (x, y) with these aims and direction left.
void PlaceGhostOne(int level, int x, int y, int aimX, int aimY) {
    PrepareBoard(level);
    for (int g = 2; g <= kGhostCount; ++g) PlaceActor(GhostActor(g), 1000, 3000 + g);
    PlaceActor(kPlayer, 1000, 2000);
    PlaceActor(GhostActor(1), x, y);
    game.aimX[1] = static_cast<int8_t>(aimX);
    game.aimY[1] = static_cast<int8_t>(aimY);
}

Direction Heading(int g) {
    if (game.ghostMovingRight[g]) return Direction::Right;
    if (game.ghostMovingLeft[g]) return Direction::Left;
    if (game.ghostMovingDown[g]) return Direction::Down;
    if (game.ghostMovingUp[g]) return Direction::Up;
    return Direction::None;
}

const Actor& GhostOne() { return game.actors[GhostActor(1)]; }

// The per-frame work after the moves that keeps steps and marks right.
void FinishFrame() {
    UpdateFrightenedMode();
    LocateActors();
    LoadCellWalls();
}

}  // namespace

TEST(GhostCorners, EachCornerTurnsTheAimsAwayFromItsSides) {
    struct Case {
        int x, y, aimX, aimY, wantX, wantY;
    } cases[] = {
        {936, 84, 0, 1, 1, 0},   // top right: both rules in one frame
        {936, 696, 0, 0, 1, 1},  // bottom right
        {84, 84, 1, 1, 0, 0},    // top left
        {84, 696, 1, 0, 0, 1},   // bottom left
        {936, 84, 2, 2, 2, 2},   // no wish is never changed
        {84, 696, 0, 1, 0, 1},   // aims already pointing away stay
    };
    for (const Case& c : cases) {
        PlaceGhostOne(1, c.x, c.y, c.aimX, c.aimY);
        MoveGhosts();
        EXPECT_EQ(game.aimX[1], c.wantX) << c.x << "," << c.y;
        EXPECT_EQ(game.aimY[1], c.wantY) << c.x << "," << c.y;
    }
}

TEST(GhostCorners, AGhostNotExactlyOnTheCornerKeepsItsAims) {
    PlaceGhostOne(1, 934, 84, 0, 1);
    MoveGhosts();
    EXPECT_EQ(game.aimX[1], 0);
    EXPECT_EQ(game.aimY[1], 1);
}

TEST(GhostDirection, LaterRulesOverrideEarlierOnesOnAnOpenCrossing) {
    // (288, 180) is open on all four sides in layout 1.
    struct Case {
        int aimX, aimY;
        Direction want;
        int dx, dy;
    } cases[] = {
        {0, 0, Direction::Down, 0, 2},  {1, 1, Direction::Up, 0, -2},   {0, 1, Direction::Up, 0, -2},
        {1, 0, Direction::Left, -2, 0},  // left comes after down and wins
        {0, 2, Direction::Right, 2, 0}, {1, 2, Direction::Left, -2, 0}, {2, 0, Direction::Down, 0, 2},
        {2, 1, Direction::Up, 0, -2},   {2, 2, Direction::Left, -2, 0},  // none holds: left from the set-up stays
    };
    for (const Case& c : cases) {
        PlaceGhostOne(1, 288, 180, c.aimX, c.aimY);
        MoveGhosts();
        EXPECT_EQ(Heading(1), c.want) << "aims " << c.aimX << "," << c.aimY;
        EXPECT_EQ(GhostOne().x, 288 + c.dx);
        EXPECT_EQ(GhostOne().y, 180 + c.dy);
    }
}

TEST(GhostDirection, AClosedSideGivesWayToTheOtherAimOrTheOldDirection) {
    // (180, 696): only the bottom is closed.
    PlaceGhostOne(1, 180, 696, 0, 0);
    MoveGhosts();
    EXPECT_EQ(Heading(1), Direction::Right);
    EXPECT_EQ(GhostOne().x, 182);
    // (540, 468), the pen's centre: only the bottom is closed. Aims (2, 0)
    // match nothing open, so the old direction stays.
    PlaceGhostOne(1, 540, 468, 2, 0);
    game.ghostMovingLeft[1] = 0;
    game.ghostMovingUp[1] = 1;
    MoveGhosts();
    EXPECT_EQ(Heading(1), Direction::Up);
    EXPECT_EQ(GhostOne().y, 466);
}

TEST(GhostDirection, AnOldDirectionIntoAWallLeavesTheGhostStandingStill) {
    // (84, 180) has a left wall; aims without a wish keep the direction left.
    PlaceGhostOne(1, 84, 180, 2, 2);
    for (int frame = 0; frame < 5; ++frame) MoveGhosts();
    EXPECT_EQ(Heading(1), Direction::Left);
    EXPECT_EQ(GhostOne().x, 84);
    EXPECT_EQ(GhostOne().y, 180);
}

TEST(GhostStep, NeedsARowMarkToStepSidewaysAndAColumnMarkToStepUpOrDown) {
    // (288, 200): on column 3, between rows 2 and 3.
    // Between crossings it carries the walls of the last one: none here.
    PlaceGhostOne(1, 288, 200, 0, 2);
    game.grid[GhostSlot(1)] = GridState{3, 0, 0, 0, 0, 0};
    MoveGhosts();
    EXPECT_EQ(Heading(1), Direction::Right);
    EXPECT_EQ(GhostOne().x, 288);
    EXPECT_EQ(GhostOne().y, 200);
    game.aimX[1] = 2;
    game.aimY[1] = 0;
    MoveGhosts();
    EXPECT_EQ(GhostOne().y, 202);
    // (300, 180): on row 2, between columns 3 and 4.
    PlaceGhostOne(1, 300, 180, 2, 1);
    MoveGhosts();
    EXPECT_EQ(Heading(1), Direction::Up);
    EXPECT_EQ(GhostOne().y, 180);
}

TEST(GhostStep, TheWallBehindIsClearedSoTheGhostCanTurnBack) {
    // (84, 180) has a left wall; step right off it, then back.
    PlaceGhostOne(1, 84, 180, 0, 2);
    ASSERT_EQ(game.grid[GhostSlot(1)].wallLeft, 1);
    MoveGhosts();
    EXPECT_EQ(GhostOne().x, 86);
    EXPECT_EQ(game.grid[GhostSlot(1)].column, 0);
    EXPECT_EQ(game.grid[GhostSlot(1)].wallLeft, 0);
    game.aimX[1] = 1;
    MoveGhosts();
    EXPECT_EQ(GhostOne().x, 84);
    // Back on the crossing its own walls are loaded again.
    EXPECT_EQ(game.grid[GhostSlot(1)].wallLeft, 1);
    MoveGhosts();
    EXPECT_EQ(GhostOne().x, 84);
}

TEST(GhostStep, EveryGhostMovesOnceAFrameGhostOneFirst) {
    PrepareBoard(1);
    PlaceActor(kPlayer, 1000, 2000);
    for (int g = 1; g <= kGhostCount; ++g) {
        game.aimX[g] = 2;
        game.aimY[g] = 2;
    }
    LocateActors();
    LoadCellWalls();
    MoveGhosts();
    for (int g = 1; g <= kGhostCount; ++g) EXPECT_EQ(game.actors[GhostActor(g)].x, 538) << g;
}

TEST(GhostStep, StepTwelveThroughTheTunnelMeetsColumnFourteenAfterSnapping) {
    // Level 30 (layout 10): ghost 1 steps 12; row 5 is the tunnel.
    PlaceGhostOne(30, 936, 384, 0, 2);
    ASSERT_EQ(GhostOne().step, 12);
    std::vector<int> xs;
    for (int frame = 0; frame < 10; ++frame) {
        HoldRoll(1);
        MoveGhosts();
        FinishFrame();
        xs.push_back(GhostOne().x);
    }
    // 1032 wraps to 0; nothing else leaves the line.
    EXPECT_EQ(xs, (std::vector<int>{948, 960, 972, 984, 996, 1008, 1020, 0, 12, 24}));
    // Back leftwards: 0 - 12 wraps to 1024, snapped to 1020, then on to 936.
    game.aimX[1] = 1;
    xs.clear();
    for (int frame = 0; frame < 11; ++frame) {
        MoveGhosts();
        FinishFrame();
        xs.push_back(GhostOne().x);
    }
    EXPECT_EQ(xs, (std::vector<int>{12, 0, 1020, 1008, 996, 984, 972, 960, 948, 936, 924}));
}

TEST(GhostPen, AGhostPacesInsideThePenAndLeavesOnlyUpwardsFromTheMiddle) {
    PlaceGhostOne(1, 588, 468, 1, 0);  // the pen's right end, wishing left and down
    std::vector<int> xs;
    for (int frame = 0; frame < 60; ++frame) {
        HoldRoll(1);
        MoveGhosts();
        EXPECT_EQ(GhostOne().y, 468);
        xs.push_back(GhostOne().x);
    }
    // past the middle without turning down (closed), to the closed left end
    EXPECT_EQ(xs.front(), 586);
    EXPECT_EQ(xs.back(), 480);
    // wishing right and up: back to the middle, then out upwards
    game.aimX[1] = 0;
    game.aimY[1] = 1;
    for (int frame = 0; frame < 30; ++frame) MoveGhosts();
    EXPECT_EQ(GhostOne().y, 468);
    EXPECT_EQ(GhostOne().x, 540);
    MoveGhosts();
    EXPECT_EQ(GhostOne().x, 540);
    EXPECT_EQ(GhostOne().y, 466);
}

TEST(GhostPen, NothingComesBackIntoThePenFromAbove) {
    for (int level = 1; level <= 10; ++level) {
        PlaceGhostOne(level, 540, 384, 2, 0);
        game.ghostMovingLeft[1] = 0;
        game.ghostMovingDown[1] = 1;
        MoveGhosts();
        EXPECT_EQ(GhostOne().y, 384) << "layout " << level;
    }
}

TEST(GhostAnimation, OneCycleIsTenFramesOfTheFirstStripThenSevenOfTheSecond) {
    PrepareBoard(1);
    game.ghostFrame = 0;
    game.ghostFrameRow = 0;
    std::vector<std::pair<int, int>> seen;
    for (int i = 0; i < 19; ++i) {
        AdvanceClock(41);
        AnimateGhosts();
        seen.emplace_back(game.ghostFrame, game.ghostFrameRow);
    }
    for (int f = 1; f <= 10; ++f) EXPECT_EQ(seen[f - 1], std::make_pair(f, 0));
    for (int f = 1; f <= 7; ++f) EXPECT_EQ(seen[9 + f], std::make_pair(f, 32));
    EXPECT_EQ(seen[17], std::make_pair(1, 0));
    EXPECT_EQ(seen[18], std::make_pair(2, 0));
}

TEST(GhostAnimation, AFrameLastsStrictlyMoreThanItsPeriod) {
    PrepareBoard(1);
    game.ghostFrame = 3;
    game.ghostFrameTick = GetTickCount();
    AdvanceClock(40);
    AnimateGhosts();
    EXPECT_EQ(game.ghostFrame, 3);
    AdvanceClock(1);
    AnimateGhosts();
    EXPECT_EQ(game.ghostFrame, 4);
    EXPECT_EQ(game.ghostFrameTick, GetTickCount());
    // frightened: 100 ms more
    game.ghostFrameDelay = 100;
    AdvanceClock(140);
    AnimateGhosts();
    EXPECT_EQ(game.ghostFrame, 4);
    AdvanceClock(1);
    AnimateGhosts();
    EXPECT_EQ(game.ghostFrame, 5);
    // the screens' own period
    AdvanceClock(80);
    EXPECT_FALSE(AdvanceGhostFrame(80));
    AdvanceClock(1);
    EXPECT_TRUE(AdvanceGhostFrame(80));
    EXPECT_EQ(game.ghostFrame, 6);
}
