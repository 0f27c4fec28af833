// The end-of-game options screen through the headless game: the keys, the
// best score, and starting over without growing the call stack or memory.
// Until a lost last life opens the screen by itself, a hook opens it.
#include "core/game_state.h"
#include "platform/headless/headless.h"
#include "pictures/screen.h"
#include "shell/screens.h"
#include "tests/support/heap_use.h"
#include "tests/support/play_scenario.h"
#include "tests/support/scenario.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream out;
    out << file.rdbuf();
    return out.str();
}

// The game ends with this score and no life left.
HeadlessRun LoseWith(int score, int level = 7) {
    HeadlessRun options;
    options.directLevel = level;
    options.calls["lose"] = [score] {
        game.score = score;
        game.lives = 0;
        OptionsScreen();
    };
    return options;
}

// Pure yellow pixels where "F10 Continuer" is printed, on the frame last
// presented; -1 (and a failure) when the maze background did not load.
int ContinueLineInk() {
    SpriteView background;
    if (!ViewSprite(100, background)) {
        ADD_FAILURE() << "the maze background did not load";
        return -1;
    }
    const std::vector<uint16_t>& frame = headless::LastFrame();
    int ink = 0;
    for (int y = 178; y < 196; ++y) {
        for (int x = 800; x < 960; ++x) ink += frame[static_cast<size_t>(y) * 1024 + x] == 0xFFE0;
    }
    return ink;
}

int CountSound(const std::vector<std::string>& dumps, int sound) {
    int count = 0;
    for (const std::string& dump : dumps) {
        Json state = ParseJson(dump);
        for (const Json& item : state["sounds"].items) count += item.Int() == sound;
    }
    return count;
}

}  // namespace

TEST(OptionsScreen, F10AfterALossOnLevel7PlaysLevel7AgainWithANewScore) {
    ScratchGameDir dir;
    HeadlessRun options = LoseWith(1234);
    int ink = -1;
    options.calls["look"] = [&] { ink = ContinueLineInk(); };
    ScenarioResult run = RunScenario("5 call lose\n8 dump\n8 call look\n10 keys F10\n11 keys\n20 dump\n20 quit\n", options);
    ASSERT_EQ(run.dumps.size(), 2u);
    Json shown = ParseJson(run.dumps[0]);
    EXPECT_EQ(shown["screen"].text, "options");
    EXPECT_EQ(shown["music"].Int(), 2);
    EXPECT_EQ(shown["highScore"].Int(), 1234);
    Json again = ParseJson(run.dumps[1]);
    EXPECT_EQ(again["screen"].text, "play");
    EXPECT_EQ(again["level"].Int(), 7);
    EXPECT_EQ(again["score"].Int(), 0);
    EXPECT_EQ(again["lives"].Int(), 3);
    EXPECT_EQ(again["highScore"].Int(), 1234);
    EXPECT_EQ(again["music"].Int(), 1);
    EXPECT_EQ(again["dots"].Int(), 110);
    EXPECT_EQ(again["player"]["x"].Int(), 540);
    EXPECT_EQ(again["player"]["y"].Int(), 540);
    EXPECT_GT(ink, 0);
}

// The real way in: the last life lost to a ghost that keeps touching.
TEST(OptionsScreen, F10AfterTheLastLifeIsLostToAGhostPlaysTheLevelAgain) {
    ScratchGameDir dir;
    HeadlessRun options;
    options.directLevel = 7;
    bool pictures = false;  // touches are found on the pictures' pixels
    options.calls["last"] = [&] {
        SpriteView ghost;
        pictures = ViewSprite(GhostActor(1), ghost);
        game.score = 777;
        game.lives = 0;
    };
    options.calls["touch"] = [] {
        game.actors[GhostActor(1)].x = game.actors[kPlayer].x;
        game.actors[GhostActor(1)].y = game.actors[kPlayer].y;
    };
    ScenarioResult run = RunScenario("2 call last\n" + CallEveryFrame(3, 60, "touch") +
                                         "65 dump\n70 keys F10\n71 keys\n90 dump\n90 quit\n",
                                     options);
    if (!pictures) FAIL() << "the game's pictures did not load";
    ASSERT_EQ(run.dumps.size(), 2u);
    EXPECT_EQ(ParseJson(run.dumps[0])["screen"].text, "options");
    EXPECT_EQ(ParseJson(run.dumps[0])["highScore"].Int(), 777);
    Json again = ParseJson(run.dumps[1]);
    EXPECT_EQ(again["screen"].text, "play");
    EXPECT_EQ(again["level"].Int(), 7);
    EXPECT_EQ(again["score"].Int(), 0);
    EXPECT_EQ(again["lives"].Int(), 3);
}

TEST(OptionsScreen, HoldingF10AndF11TogetherPlaysAgainBelowLevel31) {
    ScratchGameDir dir;
    ScenarioResult run = RunScenario("5 call lose\n10 keys F10 F11\n11 keys\n20 dump\n20 quit\n", LoseWith(10));
    ASSERT_EQ(run.dumps.size(), 1u);
    EXPECT_EQ(ParseJson(run.dumps[0])["screen"].text, "play");
    EXPECT_EQ(ParseJson(run.dumps[0])["level"].Int(), 7);
}

TEST(OptionsScreen, AfterTheLastLevelF10DoesNothingAndF11StillLeadsToTheTitle) {
    ScratchGameDir dir;
    HeadlessRun options = LoseWith(10);
    options.calls["finish"] = [] {
        game.level = 31;
        OptionsScreen();
    };
    int ink = -1;
    options.calls["look"] = [&] { ink = ContinueLineInk(); };
    ScenarioResult run =
        RunScenario("5 call finish\n10 keys F10\n40 dump\n40 call look\n50 keys F10 F11\n51 keys\n60 dump\n60 quit\n", options);
    ASSERT_EQ(run.dumps.size(), 2u);
    EXPECT_EQ(ParseJson(run.dumps[0])["screen"].text, "options");
    EXPECT_EQ(ParseJson(run.dumps[0])["level"].Int(), 31);
    EXPECT_EQ(ParseJson(run.dumps[1])["screen"].text, "title");
    EXPECT_EQ(ParseJson(run.dumps[1])["level"].Int(), 1);
    EXPECT_EQ(ink, 0);  // no "F10 Continuer" line
}

TEST(OptionsScreen, F11GoesBackToTheTitleWhoseIntroPlaysItsSoundAgain) {
    ScratchGameDir dir;
    HeadlessRun options = LoseWith(10);
    options.directLevel = 0;
    std::string script = "790 keys F1\n792 keys\n900 call lose\n905 keys F11\n906 keys\n";
    for (int frame = 700; frame <= 1800; frame += 10) script += std::to_string(frame) + " dump\n";
    script += "1800 quit\n";
    ScenarioResult run = RunScenario(script, options);
    EXPECT_EQ(CountSound(run.dumps, 9), 2);
    Json back = ParseJson(run.dumps.back());
    EXPECT_EQ(back["screen"].text, "title");
    EXPECT_EQ(back["level"].Int(), 1);
    EXPECT_EQ(back["music"].Int(), 0);
    EXPECT_EQ(back["lives"].Int(), 0);  // the game set-up comes after the title
}

// A game controller alone on the end-of-game screen: A plays on, B goes to
// the title, Back quits; the A held as the game ended waits to be let go.
TEST(OptionsScreen, APadAlonePlaysOnGoesToTheTitleOrQuits) {
    ScratchGameDir dir;
    HeadlessRun options = LoseWith(10);
    options.joystick = true;
    struct Row {
        std::string script;
        const char* screen;  // nullptr: the program ended
    };
    const Row rows[] = {
        {"10 pad a\n11 pad\n", "play"},
        {"10 pad b\n11 pad\n", "title"},
        {"10 pad back\n", nullptr},
        {"4 pad a\n", "options"},
        {"4 pad a\n10 pad\n12 pad a\n13 pad\n", "play"},
    };
    for (const Row& row : rows) {
        ScenarioResult run = RunScenario("5 call lose\n" + row.script + "20 dump\n20 quit\n", options);
        EXPECT_EQ(run.exitCode, 0) << row.script;
        if (row.screen == nullptr) {
            EXPECT_TRUE(run.dumps.empty()) << row.script;
            continue;
        }
        ASSERT_EQ(run.dumps.size(), 1u) << row.script;
        Json state = ParseJson(run.dumps[0]);
        EXPECT_EQ(state["screen"].text, row.screen) << row.script;
        if (std::string(row.screen) == "play") {
            EXPECT_EQ(state["level"].Int(), 7) << row.script;
        }
    }
}

TEST(OptionsScreen, ANewBestScoreIsWrittenOnceAsASingleLine) {
    ScratchGameDir dir;
    HeadlessRun options = LoseWith(5000);
    std::string written;
    bool rewritten = true;
    options.calls["read"] = [&] { written = ReadFile("Hit Score.ini"); };
    options.calls["remove"] = [] { std::filesystem::remove("Hit Score.ini"); };
    options.calls["gone"] = [&] { rewritten = std::filesystem::exists("Hit Score.ini"); };
    ScenarioResult run = RunScenario("5 call lose\n6 call read\n6 call remove\n40 call gone\n40 keys ESC\n", options);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(written, "HitScore = 5000\r\n");
    EXPECT_FALSE(rewritten);
    EXPECT_EQ(game.highScore, 5000);
}

TEST(OptionsScreen, AScoreThatDoesNotBeatTheBestWritesNothing) {
    ScratchGameDir dir;
    for (int score : {5000, 4999, 0}) {
        std::ofstream("Hit Score.ini", std::ios::binary) << "HitScore=5000\r\n";
        ScenarioResult run = RunScenario("5 call lose\n30 dump\n30 keys ESC\n", LoseWith(score));
        ASSERT_EQ(run.dumps.size(), 1u);
        EXPECT_EQ(ParseJson(run.dumps[0])["highScore"].Int(), 5000);
        EXPECT_EQ(ReadFile("Hit Score.ini"), "HitScore=5000\r\n") << score;
    }
}

TEST(OptionsScreen, EscapeOrALostScreenEndsTheProgram) {
    ScratchGameDir dir;
    ScenarioResult escape = RunScenario("5 call lose\n20 keys ESC\n30 dump\n", LoseWith(10));
    EXPECT_EQ(escape.exitCode, 0);
    EXPECT_TRUE(escape.dumps.empty());
    EXPECT_EQ(headless::PresentedFrames(), 20);
    EXPECT_EQ(headless::DisplayTitle(), "");

    // the display reports the focus as it presents: the loss shows a frame later
    ScenarioResult lost = RunScenario("5 call lose\n20 focus lost\n30 dump\n", LoseWith(10));
    EXPECT_EQ(lost.exitCode, 0);
    EXPECT_TRUE(lost.dumps.empty());
    EXPECT_LE(headless::PresentedFrames(), 21);
}

// Every new game unwinds the abandoned one: the options screen of the last
// game runs at the same stack depth as the first, and the heap in use does
// not grow. (Printed texts are cached up to a bound, so the heap saws up and
// down; the peaks of two windows of a hundred games each must match.)
TEST(OptionsScreen, ThreeHundredGamesInARowKeepTheStackAndTheMemoryFlat) {
    ScratchGameDir dir;
    HeadlessRun options;
    options.directLevel = 4;
    std::vector<const void*> frames;
    std::vector<size_t> heap;
    options.calls["lose"] = [&] {
        frames.push_back(__builtin_frame_address(0));
        heap.push_back(HeapInUse());
        game.score += 10;
        game.lives = 0;
        OptionsScreen();
    };
    frames.reserve(300);
    heap.reserve(300);
    std::string script;
    for (int game = 0; game < 300; ++game) {
        int base = 10 + game * 6;
        script += std::to_string(base) + " call lose\n" + std::to_string(base + 2) + " keys F10\n" +
                  std::to_string(base + 3) + " keys\n";
    }
    script += "1900 dump\n1900 quit\n";
    ScenarioResult run = RunScenario(script, options);
    ASSERT_EQ(frames.size(), 300u);
    for (const void* frame : frames) EXPECT_EQ(frame, frames[0]);
    size_t earlier = *std::max_element(heap.begin() + 100, heap.begin() + 200);
    size_t later = *std::max_element(heap.begin() + 200, heap.end());
    EXPECT_LE(later, earlier + 4096);
    ASSERT_EQ(run.dumps.size(), 1u);
    EXPECT_EQ(ParseJson(run.dumps[0])["screen"].text, "play");
    EXPECT_EQ(ParseJson(run.dumps[0])["level"].Int(), 4);
}
