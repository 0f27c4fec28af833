// The ghosts' decisions: rolls on 16-bit timers, pursuit of a player seen
// exactly in line within each ghost's range, and flight while frightened.
#include "core/game_state.h"
#include "ghosts/ghosts.h"
#include "tests/support/board_fixture.h"

#include <gtest/gtest.h>

namespace {

constexpr int kRange[6] = {0, 150, 200, 250, 300, 500};
constexpr int kInterval[6] = {0, 200, 500, 1000, 2000, 3000};

// Ghost g and the player placed for one decision, with the other ghosts far
// off every line, no roll due and known aims.
void Arrange(int g, int gx, int gy, int px, int py) {
    PrepareBoard(1);
    for (int other = 1; other <= kGhostCount; ++other) PlaceActor(GhostActor(other), 1000 + other, 3000 + other);
    PlaceActor(GhostActor(g), gx, gy);
    PlaceActor(kPlayer, px, py);
    game.aimX[g] = 0;
    game.aimY[g] = 0;
}

}  // namespace

TEST(GhostSight, EachGhostSeesOnePixelShortOfItsRangeAndNotAtIt) {
    for (int g = 1; g <= kGhostCount; ++g) {
        int r = kRange[g];
        // above, below, left, right: at range - 1 the ghost sees the player
        Arrange(g, 540, 600, 540, 600 - (r - 1));
        DecideGhostAims();
        EXPECT_EQ(game.seesPlayer[g], 1) << "ghost " << g << " above";
        EXPECT_EQ(game.seesAbove[g], 1);
        EXPECT_EQ(game.aimY[g], 1);
        EXPECT_EQ(game.aimX[g], 2);

        Arrange(g, 540, 100, 540, 100 + (r - 1));
        DecideGhostAims();
        EXPECT_EQ(game.seesBelow[g], 1) << "ghost " << g << " below";
        EXPECT_EQ(game.aimY[g], 0);
        EXPECT_EQ(game.aimX[g], 2);

        Arrange(g, 900, 384, 900 - (r - 1), 384);
        DecideGhostAims();
        EXPECT_EQ(game.seesLeft[g], 1) << "ghost " << g << " left";
        EXPECT_EQ(game.aimX[g], 1);
        EXPECT_EQ(game.aimY[g], 2);

        Arrange(g, 100, 384, 100 + (r - 1), 384);
        DecideGhostAims();
        EXPECT_EQ(game.seesRight[g], 1) << "ghost " << g << " right";
        EXPECT_EQ(game.aimX[g], 0);
        EXPECT_EQ(game.aimY[g], 2);

        // at exactly the range: unseen, aims untouched
        Arrange(g, 540, 600, 540, 600 - r);
        game.aimX[g] = 1;
        DecideGhostAims();
        EXPECT_EQ(game.seesPlayer[g], 0) << "ghost " << g << " at its range";
        EXPECT_EQ(game.aimX[g], 1);
        EXPECT_EQ(game.aimY[g], 0);
        Arrange(g, 900, 384, 900 - r, 384);
        DecideGhostAims();
        EXPECT_EQ(game.seesPlayer[g], 0) << "ghost " << g << " at its range, row";
    }
}

TEST(GhostSight, TheExampleDistancesOfTheFirstTwoGhosts) {
    Arrange(1, 540, 300, 540, 160);  // 140 px
    DecideGhostAims();
    EXPECT_EQ(game.seesPlayer[1], 1);
    EXPECT_EQ(game.aimY[1], 1);
    EXPECT_EQ(game.aimX[1], 2);
    Arrange(1, 540, 300, 540, 150);  // exactly 150
    DecideGhostAims();
    EXPECT_EQ(game.seesPlayer[1], 0);
    Arrange(2, 540, 300, 540, 150);
    DecideGhostAims();
    EXPECT_EQ(game.seesPlayer[2], 1);
}

TEST(GhostSight, OnlyAnExactlyEqualCoordinateIsInLineAndWallsDoNotMatter) {
    Arrange(1, 542, 300, 540, 200);
    DecideGhostAims();
    EXPECT_EQ(game.seesPlayer[1], 0);
    EXPECT_EQ(game.aimX[1], 0);
    EXPECT_EQ(game.aimY[1], 0);
    // (540, 384) above (540, 468): the pen's closed side lies between them
    Arrange(1, 540, 468, 540, 384);
    DecideGhostAims();
    EXPECT_EQ(game.seesPlayer[1], 1);
}

TEST(GhostSight, GhostOnThePlayerSeesNothingAndDoesNotFlee) {
    Arrange(3, 540, 468, 540, 468);
    game.frightened = 1;
    DecideGhostAims();
    EXPECT_EQ(game.seesPlayer[3], 0);
    EXPECT_EQ(game.aimX[3], 0);
    EXPECT_EQ(game.aimY[3], 0);
}

TEST(GhostFlight, FrightenedGhostTurnsAwayAtAnyDistanceWithoutSeeing) {
    Arrange(1, 840, 384, 240, 384);  // same row, 600 px to the right
    game.aimX[1] = 1;
    game.aimY[1] = 1;
    game.frightened = 1;
    DecideGhostAims();
    EXPECT_EQ(game.aimX[1], 0);
    EXPECT_EQ(game.aimY[1], 1);
    EXPECT_EQ(game.seesPlayer[1], 0);

    Arrange(1, 240, 384, 840, 384);  // same row, to the left
    game.frightened = 1;
    DecideGhostAims();
    EXPECT_EQ(game.aimX[1], 1);

    Arrange(5, 540, 84, 540, 696);  // same column, player far below
    game.frightened = 1;
    DecideGhostAims();
    EXPECT_EQ(game.aimY[5], 1);
    Arrange(5, 540, 696, 540, 84);
    game.frightened = 1;
    DecideGhostAims();
    EXPECT_EQ(game.aimY[5], 0);
}

TEST(GhostFlight, WithinSightFlightReversesOnlyTheAimAlongTheLine) {
    Arrange(2, 540, 300, 540, 200);
    game.frightened = 1;
    DecideGhostAims();
    EXPECT_EQ(game.seesPlayer[2], 1);
    EXPECT_EQ(game.aimY[2], 0);  // down, away from the player above
    EXPECT_EQ(game.aimX[2], 2);
}

TEST(GhostRoll, RollsOnlyWhenStrictlyMoreThanItsIntervalHasPassed) {
    for (int g = 1; g <= kGhostCount; ++g) {
        Arrange(g, 1000, 3000, 540, 540);
        game.aimX[g] = 2;
        game.aimY[g] = 2;
        int16_t start = game.aimRollTick[g];
        AdvanceClock(kInterval[g]);
        DecideGhostAims();
        EXPECT_EQ(game.aimRollElapsed[g], kInterval[g]);
        EXPECT_EQ(game.aimRollTick[g], start) << "ghost " << g;
        EXPECT_EQ(game.aimX[g], 2);
        EXPECT_EQ(game.aimY[g], 2);
        AdvanceClock(1);
        DecideGhostAims();
        EXPECT_EQ(game.aimRollTick[g], static_cast<int16_t>(start + kInterval[g] + 1)) << "ghost " << g;
        EXPECT_TRUE(game.aimX[g] == 0 || game.aimX[g] == 1);
        EXPECT_TRUE(game.aimY[g] == 0 || game.aimY[g] == 1);
    }
}

TEST(GhostRoll, TheRollTimerIsAWordThatReadsNegativeAfterALongPause) {
    Arrange(1, 1000, 3000, 540, 540);
    game.aimX[1] = 2;
    game.aimY[1] = 2;
    int16_t start = game.aimRollTick[1];
    AdvanceClock(40000);  // 40000 reads as -25536 in 16 bits
    DecideGhostAims();
    EXPECT_EQ(game.aimRollElapsed[1], -25536);
    EXPECT_EQ(game.aimRollTick[1], start);
    EXPECT_EQ(game.aimX[1], 2);
    AdvanceClock(25536 + 200);  // wrapped round to exactly the interval
    DecideGhostAims();
    EXPECT_EQ(game.aimRollElapsed[1], 200);
    EXPECT_EQ(game.aimX[1], 2);
    AdvanceClock(1);
    DecideGhostAims();
    EXPECT_EQ(game.aimRollElapsed[1], 201);
    EXPECT_NE(game.aimX[1], 2);
}

TEST(GhostRoll, ARollReplacesThePursuitsNoWish) {
    Arrange(1, 540, 300, 540, 200);
    DecideGhostAims();
    ASSERT_EQ(game.aimX[1], 2);
    PlaceActor(kPlayer, 84, 84);  // off the line
    AdvanceClock(201);
    DecideGhostAims();
    EXPECT_EQ(game.seesPlayer[1], 0);
    EXPECT_NE(game.aimX[1], 2);
    EXPECT_NE(game.aimY[1], 2);
}
