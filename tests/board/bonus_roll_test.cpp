// The bonus roll and the extra lives by points, played on the headless game:
// where an item goes, which one, how long it stays, and lives every 10000.
#include "board/dots.h"
#include "board/player.h"
#include "core/game_state.h"
#include "core/values.h"
#include "tests/support/play_scenario.h"
#include "tests/support/scenario.h"

#include <gtest/gtest.h>

#include <set>

namespace {

int ActiveItem() {
    int found = 0;
    for (int kind = kBonusLife; kind <= kBonusApple; ++kind) {
        if (game.bonusItems[kind].active != 0) found = found == 0 ? kind : -1;
    }
    return found;
}

struct Roll {
    int playerX, playerY;
    int offsetXBefore, offsetYBefore;
    int offsetX = 0, offsetY = 0, side = 0, roll = 0, item = 0;
};

// Every frame: note what the last frame's roll did, then put the player
// somewhere else and take every item away, so that this frame rolls again.
struct RollWatch {
    std::vector<Roll> rolls;
    std::vector<std::pair<int, int>> places;
    size_t next = 0;

    void Note() {
        if (!rolls.empty()) {
            Roll& last = rolls.back();
            last.offsetX = game.bonusOffsetX;
            last.offsetY = game.bonusOffsetY;
            last.side = game.bonusRollSide;
            last.roll = game.bonusRollKind;
            last.item = ActiveItem();
        }
        ParkGhosts();
        auto [x, y] = places[next++ % places.size()];
        PlacePlayer(x, y);
        for (int kind = kBonusLife; kind <= kBonusApple; ++kind) game.bonusItems[kind].active = 0;
        rolls.push_back({x, y, game.bonusOffsetX, game.bonusOffsetY});
    }
};

std::vector<Roll> RollMany(int frames, std::vector<std::pair<int, int>> places, std::function<void()> before = {}) {
    RollWatch watch;
    watch.places = std::move(places);
    HeadlessRun options;
    options.directLevel = 1;
    options.calls["roll"] = [&] {
        if (before) before();
        watch.Note();
    };
    RunScenario(CallEveryFrame(1, frames + 1, "roll") + std::to_string(frames + 1) + " quit\n", options);
    watch.rolls.pop_back();  // the last one was never played
    return watch.rolls;
}

TEST(BonusRoll, PutsTheItemOnTheOtherHalfOfTheScreenFromThePlayer) {
    ScratchGameDir dir;
    // The halves split at x - 16 < 512 and y - 16 < 384.
    std::vector<Roll> rolls =
        RollMany(240, {{180, 180}, {840, 180}, {180, 612}, {840, 612}, {527, 399}, {528, 400}, {84, 384}, {936, 384}});
    ASSERT_EQ(rolls.size(), 240u);
    std::set<std::pair<int, int>> seen;
    for (const Roll& r : rolls) {
        seen.insert({r.playerX * 10 + r.side, r.playerY});
        if (r.side == 1) {
            EXPECT_EQ(r.offsetX, r.playerX - 16 < 512 ? 575 : 0) << r.playerX;
            EXPECT_EQ(r.offsetY, r.offsetYBefore);
            EXPECT_NE(234 + r.offsetX < 512, r.playerX < 528);
        } else {
            EXPECT_EQ(r.side, 0);
            EXPECT_EQ(r.offsetY, r.playerY - 16 < 384 ? 432 : 0) << r.playerY;
            EXPECT_EQ(r.offsetX, r.offsetXBefore);
            EXPECT_NE(180 + r.offsetY < 384, r.playerY < 400);
        }
    }
    EXPECT_EQ(seen.size(), 16u);  // every place saw both sides
}

TEST(BonusRoll, ActivatesExactlyOneItemWithSpeedFourTimesAsOften) {
    ScratchGameDir dir;
    std::vector<Roll> rolls = RollMany(700, {{540, 540}});
    int count[5] = {};
    for (const Roll& r : rolls) {
        ASSERT_GE(r.roll, 0);
        ASSERT_LE(r.roll, 6);
        const int expected = r.roll == 0 ? kBonusLife : r.roll == 1 ? kBonusCharge : r.roll == 3 ? kBonusApple : kBonusSpeed;
        EXPECT_EQ(r.item, expected) << r.roll;
        if (r.item > 0) ++count[r.item];
    }
    for (int kind = kBonusLife; kind <= kBonusApple; ++kind) EXPECT_GT(count[kind], 50) << kind;
    EXPECT_GT(count[kBonusSpeed], 2 * count[kBonusLife]);
    EXPECT_GT(count[kBonusSpeed], 2 * count[kBonusApple]);
}

TEST(BonusRoll, AtFiveLivesOrChargesTheLifeBecomesSpeedAndTheChargeTheApple) {
    ScratchGameDir dir;
    std::vector<Roll> rolls = RollMany(300, {{540, 540}}, [] {
        game.lives = 5;
        game.frightCharges = 5;
    });
    std::set<int> rollsSeen;
    for (const Roll& r : rolls) {
        rollsSeen.insert(r.roll);
        if (r.roll == 0) {
            EXPECT_EQ(r.item, kBonusSpeed);
        }
        if (r.roll == 1) {
            EXPECT_EQ(r.item, kBonusApple);
        }
        EXPECT_NE(r.item, kBonusLife);
        EXPECT_NE(r.item, kBonusCharge);
    }
    EXPECT_EQ(rollsSeen.size(), 7u);
}

// The first roll is in played frame 1; played frame 751 comes exactly 10000 ms
// later and keeps the item; frame 752, 10013 ms later, replaces it.
TEST(BonusRoll, AnUntakenItemIsReplacedOnlyAfterMoreThanTenSeconds) {
    ScratchGameDir dir;
    HeadlessRun options;
    options.directLevel = 1;
    std::vector<int32_t> rollTicks;
    options.calls["park"] = [] { ParkGhosts(); };
    options.calls["note"] = [&] { rollTicks.push_back(game.bonusRollTick); };
    RunScenario(CallEveryFrame(1, 760, "park") + "2 call note\n752 call note\n753 call note\n760 quit\n",
                options);
    ASSERT_EQ(rollTicks.size(), 3u);
    EXPECT_EQ(rollTicks[1], rollTicks[0]);
    EXPECT_EQ(rollTicks[2] - rollTicks[0], 10013);
}

TEST(BonusItems, AnItemWhoseConditionFailsIsHidden) {
    ScratchGameDir dir;
    HeadlessRun options;
    options.directLevel = 1;
    int lifeY = 0, speedYFast = 0, speedYSlow = 0;
    auto only = [](int shown) {
        for (int kind = kBonusLife; kind <= kBonusApple; ++kind) game.bonusItems[kind].active = kind == shown;
        game.bonusRollTick = GetTickCount();
    };
    options.calls["life"] = [&] {
        only(kBonusLife);
        game.lives = 5;
    };
    // Three speed items give the player step 6.
    options.calls["speed"] = [&] {
        lifeY = game.bonusItems[kBonusLife].y;
        only(kBonusSpeed);
        game.speedItems = 3;
        ApplyPlayerStepRule();
    };
    options.calls["slow"] = [&] {
        speedYFast = game.bonusItems[kBonusSpeed].y;
        game.speedItems = 0;
        ApplyPlayerStepRule();
    };
    options.calls["note"] = [&] { speedYSlow = game.bonusItems[kBonusSpeed].y; };
    RunScenario("2 call life\n3 call speed\n4 call slow\n5 call note\n6 quit\n", options);
    EXPECT_EQ(lifeY, -100);
    EXPECT_EQ(speedYFast, -100);
    EXPECT_EQ(speedYSlow, 180);
}

TEST(ExtraLives, OneLifeEvery10000PointsWhileFewerThanFive) {
    ScratchGameDir dir;
    HeadlessRun options;
    options.directLevel = 1;
    options.calls["park"] = [] { ParkGhosts(); };
    options.calls["score9999"] = [] { game.score = 9999; };
    options.calls["score10000"] = [] { game.score = 10000; };
    options.calls["five"] = [] {
        game.lives = 5;
        game.score = 20500;
    };
    options.calls["four"] = [] {
        game.lives = 4;
        game.score = 29990;
    };
    options.calls["score30000"] = [] { game.score = 30000; };
    options.calls["far"] = [] {
        game.lives = 1;
        game.score = 45000;  // beyond what a 16-bit mark could hold
    };
    std::string script = CallEveryFrame(1, 30, "park") +
                         "2 call score9999\n3 dump\n"
                         "4 call score10000\n5 dump\n"
                         "6 call five\n7 dump\n"
                         "8 call four\n9 dump\n10 call score30000\n11 dump\n"
                         "12 call far\n13 dump\n20 dump\n30 quit\n";
    ScenarioResult run = RunScenario(script, options);
    ASSERT_EQ(run.dumps.size(), 7u);
    auto lives = [&](int i) { return ParseJson(run.dumps[i])["lives"].Int(); };
    auto sounds = [&](int i) { return ParseJson(run.dumps[i])["sounds"]; };
    EXPECT_EQ(lives(0), 3);
    EXPECT_EQ(lives(1), 4);
    bool lifeSound = false;
    for (const Json& s : sounds(1).items) lifeSound |= s.Int() == 4;
    EXPECT_TRUE(lifeSound);
    EXPECT_EQ(lives(2), 5);  // at 5 the 20000 mark passes without a life
    EXPECT_EQ(lives(3), 4);  // 29990: the next mark is 30000, not 30500
    EXPECT_EQ(lives(4), 5);
    EXPECT_EQ(lives(5), 2);  // 40000 is due once; 45000 is short of 50000
    EXPECT_EQ(lives(6), 2);
    EXPECT_EQ(game.extraLifeMark, 40000);
}

}  // namespace
