// The player's step rule with its snapping, and the mouth animation period.
#include "board/player.h"
#include "core/game_state.h"
#include "core/values.h"

#include <gtest/gtest.h>

namespace {

struct StepCase {
    int speedItems;
    int frightened;
    int step;
};

class StepRule : public ::testing::TestWithParam<StepCase> {};

TEST_P(StepRule, SetsTheStepAndSnapsDownToAMultipleOfIt) {
    const StepCase c = GetParam();
    ResetGameState();
    game.speedItems = static_cast<int8_t>(c.speedItems);
    game.frightened = static_cast<int8_t>(c.frightened);
    game.actors[kPlayer] = Actor{547, 395, 2};
    ApplyPlayerStepRule();
    const Actor& player = game.actors[kPlayer];
    EXPECT_EQ(player.step, c.step);
    EXPECT_EQ(player.x, 547 - 547 % c.step);
    EXPECT_EQ(player.y, 395 - 395 % c.step);
    // Crossings are multiples of 12 and never move.
    game.actors[kPlayer] = Actor{540, 384, 2};
    ApplyPlayerStepRule();
    EXPECT_EQ(player.x, 540);
    EXPECT_EQ(player.y, 384);
}

INSTANTIATE_TEST_SUITE_P(Table, StepRule,
                         ::testing::Values(StepCase{0, 0, 2}, StepCase{1, 0, 3}, StepCase{2, 0, 4}, StepCase{3, 0, 6},
                                           StepCase{0, 1, 3}, StepCase{1, 1, 4}, StepCase{2, 1, 6}, StepCase{3, 1, 6}));

TEST(StepRule, FrightenedWithTwoSpeedItemsRaisesFourToSixAndSnaps) {
    ResetGameState();
    game.speedItems = 2;
    game.actors[kPlayer] = Actor{544, 388, 4};
    game.frightened = 1;
    ApplyPlayerStepRule();
    EXPECT_EQ(game.actors[kPlayer].step, 6);
    EXPECT_EQ(game.actors[kPlayer].x, 540);
    EXPECT_EQ(game.actors[kPlayer].y, 384);
}

TEST(StepRule, ACountOutsideTheTableKeepsToItsEnds) {
    ResetGameState();
    game.actors[kPlayer] = Actor{540, 540, 2};
    game.speedItems = 9;
    ApplyPlayerStepRule();
    EXPECT_EQ(game.actors[kPlayer].step, 6);
    game.speedItems = -3;
    ApplyPlayerStepRule();
    EXPECT_EQ(game.actors[kPlayer].step, 2);
}

// The frame advances once more than 30 - 6 x speedItems ms have passed.
TEST(AnimatePlayer, AdvancesOnlyAfterItsPeriodAndWrapsFrom10To1) {
    for (int items = 0; items <= 3; ++items) {
        ResetGameState();
        game.speedItems = static_cast<int8_t>(items);
        const int32_t now = GetTickCount();
        const int period = 30 - 6 * items;
        game.playerFrame = 4;
        game.playerFrameTick = now - period;
        AnimatePlayer();
        EXPECT_EQ(game.playerFrame, 4) << items;
        game.playerFrameTick = now - period - 1;
        AnimatePlayer();
        EXPECT_EQ(game.playerFrame, 5) << items;
        EXPECT_EQ(game.playerFrameTick, now);
    }
    game.playerFrame = 10;
    game.playerFrameTick = GetTickCount() - 100;
    AnimatePlayer();
    EXPECT_EQ(game.playerFrame, 1);
}

}  // namespace
