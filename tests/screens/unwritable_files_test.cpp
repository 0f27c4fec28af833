// When the game cannot write its files, it loses nothing and stops nothing:
// no best score or capture is written and the game goes on. Here the
// capture's name is taken by a folder, and the best score is a link to a file
// whose name leaves no room for a temporary name beside it; both stop even a
// superuser.
#include "core/game_state.h"
#include "shell/screens.h"
#include "tests/support/scenario.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

TEST(UnwritableFiles, CapturesAndBestScoresFailQuietly) {
    ScratchGameDir dir;
    fs::create_directory("Capture_Gulpkin.bmp");
    const std::string longName(250, 'h');
    std::ofstream(longName, std::ios::binary) << "HitScore = 300\r\n";
    fs::create_symlink(longName, "Hit Score.ini");
    HeadlessRun options;
    options.directLevel = 1;
    options.calls["gameover"] = [] {
        game.score = 5000;
        OptionsScreen();
    };
    ScenarioResult run = RunScenario(
        "2 keys F12\n"
        "5 keys LEFT\n"
        "20 dump\n"
        "21 call gameover\n"
        "40 keys F12\n"
        "45 keys\n"
        "60 dump\n"
        "61 keys ESC\n",
        options);
    EXPECT_EQ(run.exitCode, 0);
    ASSERT_EQ(run.dumps.size(), 2u);
    EXPECT_EQ(ParseJson(run.dumps[0])["screen"].text, "play");
    Json options_state = ParseJson(run.dumps[1]);
    EXPECT_EQ(options_state["screen"].text, "options");
    EXPECT_EQ(options_state["highScore"].Int(), 5000);  // kept in memory for the screen
    EXPECT_TRUE(fs::is_directory("Capture_Gulpkin.bmp"));
    std::ifstream kept("Hit Score.ini", std::ios::binary);
    std::string line;
    std::getline(kept, line);
    EXPECT_EQ(line, "HitScore = 300\r");  // the old best score is untouched
}
