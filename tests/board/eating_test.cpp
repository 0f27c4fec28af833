// Eating on the headless game with the real pictures: dots and energizers
// touched pixel by pixel, their points and count, and the bonus items taken.
#include "board/maze.h"
#include "core/game_state.h"
#include "platform/headless/headless.h"
#include "core/values.h"
#include "tests/support/play_scenario.h"
#include "tests/support/scenario.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

bool Played(const Json& dump, int sound) {
    for (const Json& s : dump["sounds"].items) {
        if (s.Int() == sound) return true;
    }
    return false;
}

// The player is put on every dot crossing in turn, then on every energizer.
TEST(Eating, EveryDotScores10AndEveryEnergizer100UpTo110Items) {
    ScratchGameDir dir;
    REQUIRE_PICTURES();
    HeadlessRun options;
    options.directLevel = 1;
    std::vector<int32_t> scores;
    std::vector<int16_t> counts;
    int next = 1;
    options.calls["next"] = [&] {
        scores.push_back(game.score);
        counts.push_back(game.eatenCount);
        ParkGhosts();
        if (next <= kDotCount) {
            PlacePlayer(kDotX[next], kDotY[next]);
        } else if (next <= kDotCount + kEnergizerCount) {
            int k = next - kDotCount;
            PlacePlayer(kEnergizerHomeX[k], kEnergizerHomeY[k]);
        }
        ++next;
    };
    const int items = kDotCount + kEnergizerCount;
    ScenarioResult run =
        RunScenario(CallEveryFrame(1, items + 1, "next") + std::to_string(items + 1) + " dump\n" +
                        std::to_string(items + 1) + " quit\n",
                    options);
    ASSERT_EQ(scores.size(), static_cast<size_t>(items + 1));
    for (int item = 1; item <= items; ++item) {
        EXPECT_EQ(scores[item] - scores[item - 1], item <= kDotCount ? 10 : 100) << "item " << item;
        EXPECT_EQ(counts[item], item) << "item " << item;
    }
    EXPECT_EQ(scores[items], 106 * 10 + 4 * 100);
    ASSERT_EQ(run.dumps.size(), 1u);
    Json last = ParseJson(run.dumps[0]);
    EXPECT_EQ(last["eatenCount"].Int(), 110);
    EXPECT_EQ(last["dots"].Int(), 0);
}

// Walking left from the start along row 8 eats the dots at (480, 540) and
// (384, 540), where the wall stops the player; each plays sound 0.
TEST(Eating, WalkingOverDotsEatsEachOnce) {
    ScratchGameDir dir;
    REQUIRE_PICTURES();
    HeadlessRun options;
    options.directLevel = 1;
    options.calls["park"] = [] { ParkGhosts(); };
    ScenarioResult run = RunScenario(CallEveryFrame(1, 100, "park") + "1 keys LEFT\n100 dump\n100 quit\n", options);
    ASSERT_EQ(run.dumps.size(), 1u);
    Json state = ParseJson(run.dumps[0]);
    EXPECT_EQ(state["player"]["x"].Int(), 384);
    EXPECT_EQ(state["score"].Int(), 20);
    EXPECT_EQ(state["eatenCount"].Int(), 2);
    EXPECT_EQ(state["dots"].Int(), 108);
    EXPECT_EQ(std::count_if(state["sounds"].items.begin(), state["sounds"].items.end(),
                            [](const Json& s) { return s.Int() == 0; }),
              2);
}

TEST(Eating, AnEnergizerFrightensTheGhosts) {
    ScratchGameDir dir;
    REQUIRE_PICTURES();
    HeadlessRun options;
    options.directLevel = 1;
    options.calls["corner"] = [] {
        ParkGhosts();
        PlacePlayer(84, 84);
    };
    ScenarioResult run = RunScenario("2 call corner\n3 dump\n4 quit\n", options);
    ASSERT_EQ(run.dumps.size(), 1u);
    Json state = ParseJson(run.dumps[0]);
    EXPECT_EQ(state["score"].Int(), 100);
    EXPECT_EQ(state["frightened"].Int(), 1);
    EXPECT_EQ(state["player"]["step"].Int(), 3);  // the frightened step, at once
    EXPECT_TRUE(Played(state, 1));
}

// One bonus item put beside the player at (234, 180), on the corridor of
// row 2 between columns 2 and 3.
struct BonusRun {
    HeadlessRun options;
    explicit BonusRun(int kind) {
        options.directLevel = 1;
        options.calls["item"] = [kind] {
            ParkGhosts();
            for (int k = kBonusLife; k <= kBonusApple; ++k) game.bonusItems[k].active = k == kind;
            game.bonusOffsetX = 0;
            game.bonusOffsetY = 0;
            game.bonusRollTick = GetTickCount();
            PlacePlayer(234, 180);
        };
    }
};

TEST(BonusItems, TheLifeChargeAndSpeedItemsTakeEffect) {
    ScratchGameDir dir;
    REQUIRE_PICTURES();
    struct Case {
        int kind;
        const char* field;
        int before, after, sound;
    };
    for (Case c : {Case{kBonusLife, "lives", 3, 4, 4}, Case{kBonusCharge, "frightCharges", 1, 2, 1},
                   Case{kBonusSpeed, "speedItems", 0, 1, 6}}) {
        BonusRun bonus(c.kind);
        ScenarioResult run = RunScenario("2 dump\n2 call item\n3 dump\n4 quit\n", bonus.options);
        ASSERT_EQ(run.dumps.size(), 2u);
        Json before = ParseJson(run.dumps[0]), after = ParseJson(run.dumps[1]);
        EXPECT_EQ(before[c.field].Int(), c.before) << c.field;
        EXPECT_EQ(after[c.field].Int(), c.after) << c.field;
        EXPECT_TRUE(Played(after, c.sound)) << c.field;
    }
}

// The apple: 1000 points, its label presented at once over the frame drawn so
// far, and the whole game still for 600 ms.
TEST(BonusItems, TheAppleGives1000PointsWithItsLabelAndAPause) {
    ScratchGameDir dir;
    REQUIRE_PICTURES();
    BonusRun bonus(kBonusApple);
    bool labelShown = false;
    int64_t presentedAtLabel = 0;
    int32_t tickAtLabel = 0, tickBefore = 0;
    bonus.options.calls["before"] = [&] { tickBefore = GetTickCount(); };
    bonus.options.calls["label"] = [&] {
        labelShown = SpriteShownAt(headless::LastFrame().data(), 505, 234 - 8, 180);
        presentedAtLabel = headless::PresentedFrames();
        tickAtLabel = GetTickCount();
    };
    ScenarioResult run =
        RunScenario("2 call before\n2 call item\n3 call label\n3 dump\n4 dump\n5 quit\n", bonus.options);
    ASSERT_EQ(run.dumps.size(), 2u);
    Json during = ParseJson(run.dumps[0]), after = ParseJson(run.dumps[1]);
    EXPECT_TRUE(labelShown);
    EXPECT_EQ(presentedAtLabel, 3);
    EXPECT_LT(tickAtLabel - tickBefore, 20);  // the label is presented before the pause
    EXPECT_EQ(after["score"].Int(), 1000);
    EXPECT_TRUE(Played(after, 7) || Played(during, 7));
    EXPECT_GE(after["tick"].Int() - tickBefore, 600 + 13);
    const auto& sleeps = headless::Sleeps();
    EXPECT_NE(std::find(sleeps.begin(), sleeps.end(), 600u), sleeps.end());
    EXPECT_EQ(after["bonus"].text, "none");
}

}  // namespace
