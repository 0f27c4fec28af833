// The end-of-game options screen through the headless game: the keys, the
// best score, and starting over without growing the call stack or memory.
// Until a lost last life opens the screen by itself, a hook opens it.
#include "media/platform/headless/headless.h"
#include "shell/game_state.h"
#include "shell/screens.h"
#include "tests/support/scenario.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <malloc.h>
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
    ScenarioResult run = RunScenario("5 call lose\n8 dump\n10 keys F10\n11 keys\n20 dump\n20 quit\n", options);
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
    ScenarioResult run =
        RunScenario("5 call finish\n10 keys F10\n40 dump\n50 keys F10 F11\n51 keys\n60 dump\n60 quit\n", options);
    ASSERT_EQ(run.dumps.size(), 2u);
    EXPECT_EQ(ParseJson(run.dumps[0])["screen"].text, "options");
    EXPECT_EQ(ParseJson(run.dumps[0])["level"].Int(), 31);
    EXPECT_EQ(ParseJson(run.dumps[1])["screen"].text, "title");
    EXPECT_EQ(ParseJson(run.dumps[1])["level"].Int(), 1);
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

    ScenarioResult lost = RunScenario("5 call lose\n20 focus lost\n30 dump\n", LoseWith(10));
    EXPECT_EQ(lost.exitCode, 0);
    EXPECT_TRUE(lost.dumps.empty());
    EXPECT_EQ(headless::PresentedFrames(), 20);
}

// Every new game unwinds the abandoned one: the options screen of the
// hundredth game runs at the same stack depth as the first, and the heap in
// use does not grow.
TEST(OptionsScreen, AHundredGamesInARowKeepTheStackAndTheMemoryFlat) {
    ScratchGameDir dir;
    HeadlessRun options;
    options.directLevel = 4;
    std::vector<const void*> frames;
    std::vector<size_t> heap;
    options.calls["lose"] = [&] {
        frames.push_back(__builtin_frame_address(0));
        heap.push_back(mallinfo2().uordblks);
        game.score += 10;
        game.lives = 0;
        OptionsScreen();
    };
    std::string script;
    for (int game = 0; game < 100; ++game) {
        int base = 10 + game * 6;
        script += std::to_string(base) + " call lose\n" + std::to_string(base + 2) + " keys F10\n" +
                  std::to_string(base + 3) + " keys\n";
    }
    script += "700 dump\n700 quit\n";
    ScenarioResult run = RunScenario(script, options);
    ASSERT_EQ(frames.size(), 100u);
    for (const void* frame : frames) EXPECT_EQ(frame, frames[0]);
    EXPECT_LE(heap[99], heap[10] + 4096);
    ASSERT_EQ(run.dumps.size(), 1u);
    EXPECT_EQ(ParseJson(run.dumps[0])["screen"].text, "play");
    EXPECT_EQ(ParseJson(run.dumps[0])["level"].Int(), 4);
}
