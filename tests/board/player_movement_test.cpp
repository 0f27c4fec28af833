// Steering the player through the maze with scripted keys on the virtual
// clock: first moves, turns with the 200 ms wish, reversing, walls and the
// tunnel. The clock moves 40/3 ms a frame, so 15 frames are exactly 200 ms.
#include "board/player.h"
#include "core/game_state.h"
#include "tests/support/play_scenario.h"
#include "tests/support/scenario.h"

#include <gtest/gtest.h>

namespace {

struct Watched {
    HeadlessRun options;
    PlayerWatch watch{options};
    ScenarioResult result;

    Watched(int level, const std::string& script, int frames) {
        options.directLevel = level;
        result = RunScenario(script + CallEveryFrame(1, frames + 1, "watch") + std::to_string(frames + 1) + " quit\n",
                             options);
    }
    const PlayerSample& After(int p) const { return watch.After(p); }
};

// Level 1's start crossing (540, 540) is walled above and below.
TEST(PlayerMovement, FirstMoveFromTheStartInEachOpenDirection) {
    ScratchGameDir dir;
    Watched left(1, "1 keys LEFT\n", 2);
    EXPECT_EQ(left.After(1).x, 538);
    EXPECT_EQ(left.After(2).x, 536);
    EXPECT_EQ(left.After(2).direction, Direction::Left);

    Watched right(1, "1 keys RIGHT\n", 1);
    EXPECT_EQ(right.After(1).x, 542);

    Watched up(1, "1 keys UP\n", 3);
    EXPECT_EQ(up.After(3).y, 540);
    EXPECT_EQ(up.After(3).direction, Direction::None);
    Watched down(1, "1 keys DOWN\n", 3);
    EXPECT_EQ(down.After(3).y, 540);

    // Layout 6 opens the same crossing only downwards, and the set-up knows
    // that crossing's own walls from the first frame on.
    Watched down6(6, "1 keys DOWN\n", 2);
    EXPECT_EQ(down6.After(1).y, 542);
    EXPECT_EQ(down6.After(2).y, 544);
    EXPECT_EQ(down6.After(2).direction, Direction::Down);
}

// A new game on layout 6 (F10 after losing on level 6, 16 or 26) must not
// let the player through the wall left of its start crossing in the first
// frame, before the frame's end has loaded that crossing's walls.
TEST(PlayerMovement, TheFirstFrameOfANewGameKnowsTheStartCrossingsWalls) {
    ScratchGameDir dir;
    Watched left6(6, "1 keys LEFT\n", 3);
    EXPECT_EQ(left6.After(3).x, 540);
}

TEST(PlayerMovement, WithSeveralArrowsHeldTheLaterCheckWins) {
    ScratchGameDir dir;
    // Right overrides left; up and down are walled here, so right is taken.
    Watched both(1, "1 keys LEFT RIGHT\n", 1);
    EXPECT_EQ(both.After(1).x, 542);
    Watched all(1, "1 keys LEFT RIGHT UP DOWN\n", 2);
    EXPECT_EQ(all.After(2).x, 540);  // up wins, and up is walled
    EXPECT_EQ(all.After(2).direction, Direction::None);
}

// Moving left from the start, the player reaches crossing (480, 540), open
// below, after played frame 30 and can turn down in frame 31.
TEST(PlayerMovement, AWishUpTo200MsOldTurnsAtTheNextCrossing) {
    ScratchGameDir dir;
    Watched inTime(1, "1 keys LEFT\n16 keys DOWN\n17 keys\n", 33);
    EXPECT_EQ(inTime.After(30).x, 480);
    EXPECT_EQ(inTime.After(30).y, 540);
    EXPECT_EQ(inTime.After(31).x, 480);
    EXPECT_EQ(inTime.After(31).y, 542);
    EXPECT_EQ(inTime.After(33).y, 546);
    EXPECT_EQ(inTime.After(33).direction, Direction::Down);
}

TEST(PlayerMovement, AWishOlderThan200MsHasExpiredAtTheCrossing) {
    ScratchGameDir dir;
    Watched late(1, "1 keys LEFT\n15 keys DOWN\n16 keys\n", 33);
    EXPECT_EQ(late.After(31).x, 478);
    EXPECT_EQ(late.After(33).y, 540);
    EXPECT_EQ(late.After(33).direction, Direction::Left);
}

TEST(PlayerMovement, AWishAfterTheCrossingIsNotTaken) {
    ScratchGameDir dir;
    Watched after(1, "1 keys LEFT\n32 keys DOWN\n", 34);
    EXPECT_EQ(after.After(31).x, 478);
    EXPECT_EQ(after.After(34).y, 540);
    EXPECT_EQ(after.After(34).direction, Direction::Left);
}

TEST(PlayerMovement, AHeldArrowKeepsItsWishAliveUntilACrossing) {
    ScratchGameDir dir;
    Watched held(1, "1 keys LEFT\n2 keys DOWN\n", 32);
    EXPECT_EQ(held.After(30).x, 480);
    EXPECT_EQ(held.After(31).y, 542);
}

TEST(PlayerMovement, ReversesAtOnceBetweenCrossings) {
    ScratchGameDir dir;
    Watched reverse(1, "1 keys LEFT\n10 keys RIGHT\n", 12);
    EXPECT_EQ(reverse.After(9).x, 522);
    EXPECT_EQ(reverse.After(10).x, 524);
    EXPECT_EQ(reverse.After(12).x, 528);
    EXPECT_EQ(reverse.After(12).direction, Direction::Right);
}

// Going down from (480, 540) towards (480, 612), whose left side is open:
// between the crossings the turn is refused, on the crossing it is taken.
TEST(PlayerMovement, TurnsOntoTheOtherAxisOnlyOnACrossing) {
    ScratchGameDir dir;
    Watched turn(1, "1 keys LEFT\n25 keys DOWN\n33 keys LEFT\n", 68);
    EXPECT_EQ(turn.After(34).x, 480);
    EXPECT_EQ(turn.After(34).y, 548);
    EXPECT_EQ(turn.After(34).direction, Direction::Down);
    EXPECT_EQ(turn.After(66).y, 612);
    EXPECT_EQ(turn.After(66).x, 480);
    EXPECT_EQ(turn.After(67).x, 478);
    EXPECT_EQ(turn.After(67).y, 612);
}

// Row 8 of layout 1: the crossing (384, 540) is walled on the left.
TEST(PlayerMovement, StopsAgainstAWallAndKeepsItsDirection) {
    ScratchGameDir dir;
    Watched stop(1, "1 keys LEFT\n", 90);
    EXPECT_EQ(stop.After(78).x, 384);
    EXPECT_EQ(stop.After(90).x, 384);
    EXPECT_EQ(stop.After(90).y, 540);
    EXPECT_EQ(stop.After(90).direction, Direction::Left);
    // It can still go back.
    Watched back(1, "1 keys LEFT\n85 keys RIGHT\n", 86);
    EXPECT_EQ(back.After(85).x, 386);
}

// The tunnel of layout 1 runs along row 5 (y = 384). Leaving at the left
// edge the player reappears at x = 1024 (1023 or 1020 once snapped to a
// multiple of steps 3 and 6) and meets column 14 (936) exactly; leaving at
// the right edge it goes past 1024 and reappears at x = 0.
class TunnelLeft : public ::testing::TestWithParam<int> {};
class TunnelRight : public ::testing::TestWithParam<int> {};

constexpr int kStepBySpeedItems[4] = {2, 3, 4, 6};

std::vector<int> TunnelRun(int speedItems, int startX, const char* key, int frames, int& columnFrame, int column) {
    HeadlessRun options;
    options.directLevel = 1;
    options.calls["place"] = [speedItems, startX] {
        game.speedItems = static_cast<int8_t>(speedItems);
        PlacePlayer(startX, 384);
        ApplyPlayerStepRule();
    };
    PlayerWatch watch(options);
    std::string script = "1 call place\n1 keys " + std::string(key) + "\n";
    RunScenario(script + CallEveryFrame(1, frames + 1, "watch") + std::to_string(frames + 1) + " quit\n", options);
    std::vector<int> xs;
    columnFrame = -1;
    for (size_t p = 0; p < watch.Samples().size(); ++p) {
        xs.push_back(watch.Samples()[p].x);
        if (columnFrame < 0 && p > 1 && watch.Samples()[p].column == column) columnFrame = static_cast<int>(p);
    }
    return xs;
}

TEST_P(TunnelLeft, WrapsFromZeroTo1024) {
    ScratchGameDir dir;
    const int speedItems = GetParam();
    const int step = kStepBySpeedItems[speedItems];
    int column14 = -1;
    std::vector<int> xs = TunnelRun(speedItems, 84, "LEFT", 84 / step + 100 / step + 4, column14, 14);
    int atZero = 84 / step;
    ASSERT_GT(xs.size(), static_cast<size_t>(atZero + 1));
    EXPECT_EQ(xs[1], 84 - step);
    EXPECT_EQ(xs[atZero], 0);
    EXPECT_EQ(xs[atZero + 1], 1024 - 1024 % step);
    ASSERT_GT(column14, atZero);
    EXPECT_EQ(xs[column14], 936);
    EXPECT_EQ(column14 - atZero - 1, (1024 - 1024 % step - 936) / step);
}

TEST_P(TunnelRight, WrapsPast1024ToZero) {
    ScratchGameDir dir;
    const int speedItems = GetParam();
    const int step = kStepBySpeedItems[speedItems];
    int column1 = -1;
    std::vector<int> xs = TunnelRun(speedItems, 936, "RIGHT", 200 / step + 4, column1, 1);
    int lastBefore = (1024 - 936) / step;  // the last position not beyond 1024
    ASSERT_GT(xs.size(), static_cast<size_t>(lastBefore + 1));
    EXPECT_EQ(xs[lastBefore], 936 + lastBefore * step);
    EXPECT_LE(xs[lastBefore], 1024);
    EXPECT_EQ(xs[lastBefore + 1], 0);
    ASSERT_GT(column1, lastBefore);
    EXPECT_EQ(xs[column1], 84);
    EXPECT_EQ(column1 - lastBefore - 1, 84 / step);
}

std::string SpeedName(const ::testing::TestParamInfo<int>& info) {
    return "speedItems" + std::to_string(info.param);
}
INSTANTIATE_TEST_SUITE_P(Steps, TunnelLeft, ::testing::Values(0, 1, 2, 3), SpeedName);
INSTANTIATE_TEST_SUITE_P(Steps, TunnelRight, ::testing::Values(0, 1, 2, 3), SpeedName);

}  // namespace
