// Level completion, the transitions between levels and the end of the last
// level, through the headless game with the board emptied by the script.
#include "board/maze.h"
#include "core/game_state.h"
#include "platform/headless/headless.h"
#include "pictures/screen.h"
#include "core/values.h"
#include "tests/support/scenario.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// "5 clear" empties the board at the top of the fifth pass; that pass's level
// check presents the emptied board as frame 6, and the transition follows.
// An interlude presents one black frame before its music fade, then 288.
constexpr int kEmptiedBoardFrame = 6;
constexpr int kSpiralEnd = kEmptiedBoardFrame + 181;       // last spiral frame
constexpr int kInterludeEnd = kEmptiedBoardFrame + 1 + 288; // last chase frame

std::string At(int frame, const std::string& command) {
    return std::to_string(frame) + " " + command + "\n";
}

HeadlessRun StartAt(int level) {
    HeadlessRun options;
    options.directLevel = level;
    return options;
}

bool MazeIsLayout(int layout) {
    for (int row = 1; row <= kRows; ++row) {
        for (int column = 1; column <= kColumns; ++column) {
            const MazeCell& cell = game.maze[row][column];
            int digit = cell.right * 1 + cell.left * 2 + cell.top * 4 + cell.bottom * 8;
            if (digit != LayoutCellDigit(layout, row, column)) return false;
        }
    }
    return true;
}

std::vector<int> Sounds(const Json& dump) {
    std::vector<int> out;
    for (const Json& item : dump["sounds"].items) out.push_back(static_cast<int>(item.Int()));
    return out;
}

}  // namespace

// A new level keeps the score, the lives and the charges, but not the speed
// items or the frightened mode.
TEST(LevelFlow, AClearedBoardSpiralsFor181FramesIntoTheNextLevel) {
    ScratchGameDir dir;
    HeadlessRun options = StartAt(3);
    options.calls["carry"] = [] {
        game.score = 4321;
        game.lives = 2;
        game.frightCharges = 3;
        game.speedItems = 2;
        game.frightened = 1;
    };
    ScenarioResult run = RunScenario(At(4, "call carry") + At(5, "clear") + At(kEmptiedBoardFrame, "dump") +
                                         At(kSpiralEnd, "dump") + At(kSpiralEnd + 1, "dump") + At(kSpiralEnd + 1, "quit"),
                                     options);
    ASSERT_EQ(run.dumps.size(), 3u);
    EXPECT_EQ(ParseJson(run.dumps[0])["screen"].text, "transition");
    EXPECT_EQ(ParseJson(run.dumps[0])["level"].Int(), 4);
    EXPECT_EQ(ParseJson(run.dumps[1])["screen"].text, "transition");
    Json next = ParseJson(run.dumps[2]);
    EXPECT_EQ(next["screen"].text, "play");
    EXPECT_EQ(next["level"].Int(), 4);
    EXPECT_EQ(next["dots"].Int(), 110);
    EXPECT_EQ(next["eatenCount"].Int(), 0);
    EXPECT_EQ(next["player"]["x"].Int(), 540);
    EXPECT_EQ(next["player"]["y"].Int(), 540);
    EXPECT_EQ(next["score"].Int(), 4321);
    EXPECT_EQ(next["lives"].Int(), 2);
    EXPECT_EQ(next["frightCharges"].Int(), 3);
    EXPECT_EQ(next["speedItems"].Int(), 0);
    EXPECT_EQ(next["frightened"].Int(), 0);
    for (int g = 1; g <= kGhostCount; ++g) EXPECT_EQ(game.actors[GhostActor(g)].step, kLevelSteps[4][g]);
    EXPECT_EQ(game.spiralAngle, 0.0f);
    EXPECT_EQ(game.spiralX, 1.0f);
    EXPECT_TRUE(MazeIsLayout(4));
}

TEST(LevelFlow, Level10LeadsThroughTheChaseToLevel11OnLayout1) {
    ScratchGameDir dir;
    HeadlessRun options = StartAt(10);
    bool layout10 = false;
    options.calls["layout"] = [&] { layout10 = MazeIsLayout(10); };
    ScenarioResult run = RunScenario(At(3, "call layout") + At(5, "clear") + At(kEmptiedBoardFrame + 2, "dump") +
                                         At(kInterludeEnd, "dump") + At(kInterludeEnd + 1, "dump") +
                                         At(kInterludeEnd + 1, "quit"),
                                     options);
    EXPECT_TRUE(layout10);
    ASSERT_EQ(run.dumps.size(), 3u);
    Json opening = ParseJson(run.dumps[0]);
    EXPECT_EQ(opening["screen"].text, "transition");
    EXPECT_EQ(opening["musicVolume"].Int(), 0);   // faded out, then halted
    EXPECT_EQ(opening["music"].Int(), -1);
    EXPECT_EQ(Sounds(opening), std::vector<int>{8});
    EXPECT_EQ(ParseJson(run.dumps[1])["screen"].text, "transition");
    Json next = ParseJson(run.dumps[2]);
    EXPECT_EQ(next["screen"].text, "play");
    EXPECT_EQ(next["level"].Int(), 11);
    EXPECT_EQ(next["music"].Int(), 1);
    EXPECT_TRUE(MazeIsLayout(1));
    EXPECT_EQ(game.interludeX, 1102.0f);
    const std::vector<uint32_t>& sleeps = headless::Sleeps();
    EXPECT_EQ(std::count(sleeps.begin(), sleeps.end(), 20u), 101);
    EXPECT_EQ(std::count(sleeps.begin(), sleeps.end(), 2500u), 1);
}

TEST(LevelFlow, Level20LeadsThroughTheFleeToLevel21) {
    ScratchGameDir dir;
    ScenarioResult run = RunScenario(At(5, "clear") + At(kEmptiedBoardFrame + 2, "dump") + At(kInterludeEnd, "dump") +
                                         At(kInterludeEnd + 1, "dump") + At(kInterludeEnd + 1, "quit"),
                                     StartAt(20));
    ASSERT_EQ(run.dumps.size(), 3u);
    EXPECT_EQ(Sounds(ParseJson(run.dumps[0])), std::vector<int>{8});
    EXPECT_EQ(ParseJson(run.dumps[1])["screen"].text, "transition");
    EXPECT_EQ(ParseJson(run.dumps[2])["screen"].text, "play");
    EXPECT_EQ(ParseJson(run.dumps[2])["level"].Int(), 21);
    EXPECT_EQ(game.interludeBackX, -52.0f);
    EXPECT_TRUE(MazeIsLayout(1));
}

TEST(LevelFlow, OtherLevelsAndGamesStartedOn11Or21ShowNoInterlude) {
    ScratchGameDir dir;
    for (int level : {11, 21, 9, 19, 29}) {
        ScenarioResult run = RunScenario(At(5, "clear") + At(kSpiralEnd + 1, "dump") + At(kSpiralEnd + 1, "quit"),
                                         StartAt(level));
        ASSERT_EQ(run.dumps.size(), 1u);
        EXPECT_EQ(ParseJson(run.dumps[0])["screen"].text, "play") << level;
        EXPECT_EQ(ParseJson(run.dumps[0])["level"].Int(), level + 1);
        const std::vector<uint32_t>& sleeps = headless::Sleeps();
        EXPECT_EQ(std::count(sleeps.begin(), sleeps.end(), 2500u), 0) << level;
        EXPECT_EQ(std::count(sleeps.begin(), sleeps.end(), 20u), 0) << level;
    }
}

// After the spiral of level 30: one black frame, 2501 frames of fireworks,
// a second's pause, then the options screen with level 31.
TEST(LevelFlow, AfterLevel30TheCongratulationLeadsToTheOptionsScreen) {
    ScratchGameDir dir;
    int first = kSpiralEnd + 2, last = first + 2500;
    ScenarioResult run =
        RunScenario(At(5, "clear") + At(first, "dump") + At(last, "dump") + At(last + 1, "dump") + At(last + 1, "keys F10") +
                        At(last + 30, "dump") + At(last + 30, "quit"),
                    StartAt(30));
    ASSERT_EQ(run.dumps.size(), 4u);
    Json start = ParseJson(run.dumps[0]);
    EXPECT_EQ(start["screen"].text, "congratulation");
    EXPECT_EQ(start["music"].Int(), 0);
    EXPECT_EQ(start["level"].Int(), 31);
    EXPECT_EQ(ParseJson(run.dumps[1])["screen"].text, "congratulation");
    Json options = ParseJson(run.dumps[2]);
    EXPECT_EQ(options["screen"].text, "options");
    EXPECT_EQ(options["music"].Int(), 2);
    EXPECT_EQ(options["level"].Int(), 31);
    // F10 is disabled after the last level
    EXPECT_EQ(ParseJson(run.dumps[3])["screen"].text, "options");
}

TEST(LevelFlow, LosingTheScreenDuringTheCongratulationEndsTheProgram) {
    ScratchGameDir dir;
    ScenarioResult run = RunScenario(At(5, "clear") + At(1000, "focus lost") + At(3000, "dump"), StartAt(30));
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.dumps.empty());
    EXPECT_LE(headless::PresentedFrames(), 1001);
}

// Losing the screen during the chase: a long pause, the play music again,
// and the frame loop takes over the lost screen.
TEST(LevelFlow, LosingTheScreenDuringAnInterludeCutsItShort) {
    ScratchGameDir dir;
    ScenarioResult run = RunScenario(At(5, "clear") + At(50, "focus lost") + At(60, "focus back") + At(70, "dump") +
                                         At(70, "quit"),
                                     StartAt(10));
    ASSERT_EQ(run.dumps.size(), 1u);
    Json state = ParseJson(run.dumps[0]);
    EXPECT_EQ(state["screen"].text, "play");
    EXPECT_EQ(state["level"].Int(), 11);
    EXPECT_EQ(state["music"].Int(), 1);
    const std::vector<uint32_t>& sleeps = headless::Sleeps();
    EXPECT_EQ(std::count(sleeps.begin(), sleeps.end(), 5000u), 1);
    EXPECT_EQ(std::count(sleeps.begin(), sleeps.end(), 2500u), 0);
}

// The whole game: the title, every level cleared in turn, the congratulation
// and the options screen.
TEST(LevelFlow, AWholeGameFromTheTitleThroughThirtyLevels) {
    ScratchGameDir dir;
    std::string script = "790 keys F1\n792 keys\n";
    int frame = 1000;
    for (int level = 1; level <= 30; ++level, frame += 400) script += At(frame, "clear") + At(frame + 1, "dump");
    frame += 2600;
    script += At(frame, "dump") + At(frame, "keys ESC");
    ScenarioResult run = RunScenario(script);
    EXPECT_EQ(run.exitCode, 0);
    ASSERT_EQ(run.dumps.size(), 31u);
    for (int level = 1; level <= 30; ++level) EXPECT_EQ(ParseJson(run.dumps[level - 1])["level"].Int(), level + 1);
    EXPECT_EQ(ParseJson(run.dumps[30])["screen"].text, "options");
}

namespace {

// True when the presented frame shows the working background at (dx, dy)
// wherever the background covers the screen.
bool FrameShowsBackgroundAt(int dx, int dy) {
    SpriteView background;
    const std::vector<uint16_t>& frame = headless::LastFrame();
    if (!ViewSprite(110, background) || frame.empty()) return false;
    for (int y = std::max(0, dy); y < std::min(768, 768 + dy); ++y) {
        for (int x = std::max(0, dx); x < std::min(1024, 1024 + dx); ++x) {
            if (frame[static_cast<size_t>(y) * 1024 + x] != background.pixels[(y - dy) * background.imageWidth + x - dx]) {
                return false;
            }
        }
    }
    return true;
}

}  // namespace

// The board is drawn at twice the spiral's offset, rounded to the nearest
// pixel: almost in place on the first frame, far off to the right and up on
// the 181st; in between it leaves the screen to the left for a while.
TEST(LevelFlow, TheSpiralStartsAtTwoMinusTwoAndEndsAt1183Minus410) {
    ScratchGameDir dir;
    HeadlessRun options = StartAt(1);
    std::vector<std::pair<int, int>> offsets;
    bool pictures = false, firstShifted = false, blackAt110 = false;
    options.calls["offset"] = [&] {
        offsets.emplace_back(NearestInt(2.0f * game.spiralX), NearestInt(2.0f * game.spiralY));
    };
    options.calls["first"] = [&] {
        SpriteView background;
        pictures = ViewSprite(110, background);
        firstShifted = FrameShowsBackgroundAt(2, -2);
    };
    options.calls["gone"] = [&] {
        const std::vector<uint16_t>& frame = headless::LastFrame();
        blackAt110 = std::all_of(frame.begin(), frame.end(), [](uint16_t pixel) { return pixel == 0; });
    };
    int first = kEmptiedBoardFrame + 1;
    ScenarioResult run = RunScenario(At(5, "clear") + At(first, "call offset") + At(first, "call first") +
                                         At(first + 110, "call gone") + At(kSpiralEnd, "call offset") +
                                         At(kSpiralEnd + 1, "quit"),
                                     options);
    ASSERT_EQ(offsets.size(), 2u);
    EXPECT_EQ(offsets[0], std::make_pair(2, -2));
    EXPECT_EQ(offsets[1], std::make_pair(1183, -410));
    if (!pictures) FAIL() << "the game's pictures did not load";
    EXPECT_TRUE(firstShifted);
    EXPECT_TRUE(blackAt110);
}
