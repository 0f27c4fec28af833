// The title screen through the headless game: the fixed intro, the
// difficulty keys, the confirmation and the fade of the title music.
#include "core/game_state.h"
#include "pictures/drawing.h"
#include "platform/headless/headless.h"
#include "pictures/screen.h"
#include "tests/support/scenario.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// The intro presents frames 1..790, a menu pass that sees a key presents 791
// (keys are read after the present, so the key must be held past it),
// the confirmation 792..892; the first frame of play is 893.
constexpr int kFirstPlayFrame = 893;

std::vector<int> Sounds(const Json& dump) {
    std::vector<int> out;
    for (const Json& item : dump["sounds"].items) out.push_back(static_cast<int>(item.Int()));
    return out;
}

// The level a game starts at when these keys are held on the menu's first pass.
Json StartWithKeys(const std::string& keys) {
    ScenarioResult run = RunScenario("790 keys " + keys + "\n792 keys\n" + std::to_string(kFirstPlayFrame) +
                                     " dump\n" + std::to_string(kFirstPlayFrame) + " quit\n");
    EXPECT_EQ(run.exitCode, 0);
    return run.dumps.empty() ? Json{} : ParseJson(run.dumps[0]);
}

}  // namespace

TEST(TitleScreen, TheIntroLasts790FramesAndPlaysSound9OnceFromFrame741) {
    ScratchGameDir dir;
    HeadlessRun options;
    int32_t frameAt790 = 0, frameAt791 = 0;
    float circleAt790 = -1, circleAt791 = -1;
    options.calls["at790"] = [&] {
        frameAt790 = game.titleFrame;
        circleAt790 = game.spiralAngle;
    };
    options.calls["at791"] = [&] {
        frameAt791 = game.titleFrame;
        circleAt791 = game.spiralAngle;
    };
    ScenarioResult run = RunScenario("740 dump\n741 dump\n790 call at790\n790 dump\n791 call at791\n"
                                     "800 dump\n800 quit\n",
                                     options);
    ASSERT_EQ(run.dumps.size(), 4u);
    EXPECT_TRUE(Sounds(ParseJson(run.dumps[0])).empty());
    EXPECT_EQ(Sounds(ParseJson(run.dumps[1])), std::vector<int>{9});
    EXPECT_TRUE(Sounds(ParseJson(run.dumps[2])).empty());
    EXPECT_TRUE(Sounds(ParseJson(run.dumps[3])).empty());
    for (const std::string& dump : run.dumps) EXPECT_EQ(ParseJson(dump)["screen"].text, "title");
    // Frame 790 is still the intro; frame 791 comes from the menu's first pass.
    EXPECT_EQ(frameAt790, 790);
    EXPECT_EQ(circleAt790, 0.0f);
    EXPECT_EQ(frameAt791, 791);
    EXPECT_FLOAT_EQ(circleAt791, 0.1f);
    EXPECT_EQ(game.level, 1);
}

TEST(TitleScreen, F1F2F3ChooseTheStartingLevelAndAnyOtherKeyKeepsLevel1) {
    ScratchGameDir dir;
    for (auto [keys, level] : {std::pair{"F1", 1}, {"F2", 11}, {"F3", 21}, {"SPACE", 1}, {"F1 F3", 21}, {"F1 F2", 11}}) {
        Json state = StartWithKeys(keys);
        EXPECT_EQ(state["screen"].text, "play") << keys;
        EXPECT_EQ(state["level"].Int(), level) << keys;
        EXPECT_EQ(state["dots"].Int(), 110) << keys;
        EXPECT_EQ(state["music"].Int(), 1) << keys;
    }
}

// A game controller alone: Start or A starts NORMAL, X DUR, Y HARD, Back
// quits from the intro or the menu. A plain joystick's first button, or a
// button held since the intro, starts nothing.
TEST(TitleScreen, APadAloneChoosesEachDifficultyOrQuits) {
    ScratchGameDir dir;
    HeadlessRun options;
    options.joystick = true;
    struct Row {
        std::string script;
        int level;  // 0: the program ended, -1: still on the title
        int64_t frames;
    };
    // pressed on the menu at frame 800, play begins at 902
    const Row rows[] = {
        {"800 pad start\n802 pad\n", 1, 902},
        {"800 pad a\n802 pad\n", 1, 902},
        {"800 pad x\n802 pad\n", 11, 902},
        {"800 pad y\n802 pad\n", 21, 902},
        {"800 pad up x\n802 pad\n", 11, 902},
        {"100 pad back\n", 0, 100},
        {"795 pad back\n", 0, 795},
        {"780 pad a\n", -1, 902},
        {"800 joy 0 0 1 1\n", -1, 902},
        {"780 pad a\n800 pad\n810 pad a\n812 pad\n", 1, 912},
    };
    for (const Row& row : rows) {
        int64_t at = row.level == 0 ? row.frames + 1 : row.frames;
        ScenarioResult run = RunScenario(row.script + std::to_string(at) + " dump\n" + std::to_string(at) + " quit\n", options);
        EXPECT_EQ(run.exitCode, 0) << row.script;
        if (row.level == 0) {
            EXPECT_TRUE(run.dumps.empty()) << row.script;
            EXPECT_EQ(headless::PresentedFrames(), row.frames) << row.script;
            continue;
        }
        ASSERT_EQ(run.dumps.size(), 1u) << row.script;
        Json state = ParseJson(run.dumps[0]);
        EXPECT_EQ(state["screen"].text, row.level > 0 ? "play" : "title") << row.script;
        if (row.level > 0) {
            EXPECT_EQ(state["level"].Int(), row.level) << row.script;
        }
    }
}

TEST(TitleScreen, TheMenuWaitsForAKeyWithTheBackgroundCircling) {
    ScratchGameDir dir;
    HeadlessRun options;
    float angle = 0;
    options.calls["angle"] = [&] { angle = game.spiralAngle; };
    ScenarioResult run = RunScenario("900 call angle\n900 dump\n1000 keys F3\n1001 keys\n1200 dump\n1200 quit\n", options);
    ASSERT_EQ(run.dumps.size(), 2u);
    EXPECT_EQ(ParseJson(run.dumps[0])["screen"].text, "title");
    EXPECT_NEAR(angle, 0.1f * (900 - 790), 1e-3);
    Json play = ParseJson(run.dumps[1]);
    EXPECT_EQ(play["screen"].text, "play");
    EXPECT_EQ(play["level"].Int(), 21);
}

// The confirmation pauses 10 ms per pass; the fade 20 ms per step while the
// title music goes from 100 % to 0 %.
TEST(TitleScreen, TheConfirmationTakes100PassesAndTheMusicFadesIn101Steps) {
    ScratchGameDir dir;
    HeadlessRun options;
    ScenarioResult run = RunScenario("790 keys F1\n792 keys\n891 dump\n892 dump\n893 dump\n893 quit\n", options);
    ASSERT_EQ(run.dumps.size(), 3u);
    EXPECT_EQ(ParseJson(run.dumps[0])["screen"].text, "title");
    EXPECT_EQ(ParseJson(run.dumps[0])["musicVolume"].Int(), 64);
    EXPECT_EQ(ParseJson(run.dumps[1])["screen"].text, "title");
    EXPECT_EQ(ParseJson(run.dumps[2])["screen"].text, "play");
    const std::vector<uint32_t>& sleeps = headless::Sleeps();
    auto tens = std::search_n(sleeps.begin(), sleeps.end(), 100, 10u);
    ASSERT_NE(tens, sleeps.end());
    EXPECT_FALSE(tens != sleeps.begin() && *(tens - 1) == 10u);
    std::vector<uint32_t> expected(101, 20u);
    expected.push_back(1000);  // the pause before the game set-up
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), tens + 100));
    EXPECT_NE(*(tens + 100 + 102), 20u);
}

// The free memory the machine reports reaches the confirmation's line whole:
// 5 GiB shows otherwise than the figures a 32-bit count would make of it.
TEST(TitleScreen, TheConfirmationShowsFreeMemoryAbove4GiB) {
    ScratchGameDir dir;
    auto confirmation = [](unsigned long long bytes) {
        HeadlessRun options;
        options.freeVideoBytes = bytes;
        std::vector<uint16_t> frame;
        options.calls["keep"] = [&] { frame = headless::LastFrame(); };
        RunScenario("790 keys F1\n792 keys\n850 call keep\n850 quit\n", options);
        return frame;
    };
    const std::vector<uint16_t> shown = confirmation(5ULL << 30);
    ASSERT_FALSE(shown.empty());
    for (unsigned long long clamped : {(5ULL << 30) & 0xFFFFFFFF, 0x7FFFFFFFULL}) {
        EXPECT_TRUE(confirmation(clamped) != shown) << clamped;
    }
}

TEST(TitleScreen, EscapeEndsTheIntroAndTheMenuButNotTheConfirmationOrTheFade) {
    ScratchGameDir dir;
    ScenarioResult intro = RunScenario("100 keys ESC\n101 dump\n");
    EXPECT_EQ(intro.exitCode, 0);
    EXPECT_TRUE(intro.dumps.empty());
    EXPECT_EQ(headless::PresentedFrames(), 100);

    ScenarioResult menu = RunScenario("795 keys ESC\n796 dump\n");
    EXPECT_TRUE(menu.dumps.empty());
    EXPECT_EQ(headless::PresentedFrames(), 795);

    // Held from the confirmation through the fade, let go before play reads it.
    ScenarioResult confirmation = RunScenario("790 keys F2\n792 keys\n800 keys ESC\n" + std::to_string(kFirstPlayFrame) +
                                              " keys\n" + std::to_string(kFirstPlayFrame) + " dump\n" +
                                              std::to_string(kFirstPlayFrame) + " quit\n");
    ASSERT_EQ(confirmation.dumps.size(), 1u);
    EXPECT_EQ(ParseJson(confirmation.dumps[0])["screen"].text, "play");
    EXPECT_EQ(ParseJson(confirmation.dumps[0])["level"].Int(), 11);
}

TEST(TitleScreen, LosingTheScreenOnTheTitleEndsTheProgram) {
    ScratchGameDir dir;
    for (int frame : {300, 800, 850}) {
        std::string keys = frame > 800 ? "790 keys F1\n792 keys\n" : "";
        ScenarioResult run = RunScenario(keys + std::to_string(frame) + " focus lost\n5000 dump\n");
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_TRUE(run.dumps.empty()) << frame;
        EXPECT_LE(headless::PresentedFrames(), frame + 1) << frame;
    }
}

namespace {

// True when the presented frame shows `text` printed in the pen colour at
// (x, y) on black, pixel for pixel as the drawing service prints it.
bool FrameShowsText(const std::string& text, int x, int y, int r, int g, int b) {
    constexpr int kScratch = 3000, kWidth = 240, kHeight = 24;
    MakeBlankSprite(kScratch, kWidth, kHeight);
    BeginDrawing(SpriteDrawTarget(kScratch));
    SetTextMode(1);
    SetPenColour(r, g, b);
    SetTextCursor(0, 0);
    PrintText(text);
    EndDrawing();
    SpriteView reference;
    const std::vector<uint16_t>& frame = headless::LastFrame();
    if (!ViewSprite(kScratch, reference) || frame.empty()) return false;
    int inked = 0;
    for (int row = 0; row < kHeight; ++row) {
        for (int column = 0; column < kWidth; ++column) {
            uint16_t expected = reference.pixels[row * reference.imageWidth + column];
            inked += expected != 0;
            if (frame[static_cast<size_t>(y + row) * 1024 + x + column] != expected) return false;
        }
    }
    return inked > 0;
}

}  // namespace

TEST(TitleScreen, TheConfirmationNamesTheChosenDifficulty) {
    ScratchGameDir dir;
    HeadlessRun options;
    std::string shown;
    bool pictures = false;
    options.calls["look"] = [&] {
        SpriteView title;
        pictures = ViewSprite(22, title);
        for (const char* word : {"NORMAL", "DUR", "HARD"}) {
            if (FrameShowsText(word, 210, 400, 0, 255, 255)) shown += word;
        }
        if (!FrameShowsText("V 1.1u", 720, 300, 255, 255, 255)) shown += " no version";
    };
    for (auto [keys, word] : {std::pair{"F1", "NORMAL"}, {"F2", "DUR"}, {"F3", "HARD"}, {"SPACE", "NORMAL"}}) {
        shown.clear();
        RunScenario(std::string("790 keys ") + keys + "\n792 keys\n850 call look\n850 quit\n", options);
        if (!pictures) FAIL() << "the game's pictures did not load";
        EXPECT_EQ(shown, word) << keys;
    }
}

namespace {

constexpr uint16_t kMenuRed = (31 << 11) | (0 << 5) | 4;  // the pen (255, 0, 35) in 5:6:5

// Pixels of exactly the menu's red where its line can be: the line is
// printed at (80, 80) into the background, which circles up to 15 pixels.
int MenuLineInk(const std::vector<uint16_t>& frame) {
    int ink = 0;
    for (int y = 60; y < 120; ++y) {
        for (int x = 60; x < 420; ++x) ink += frame[static_cast<size_t>(y) * 1024 + x] == kMenuRed;
    }
    return ink;
}

// The same line printed alone on black.
int FullMenuLineInk() {
    constexpr int kScratch = 3000, kWidth = 360, kHeight = 24;
    MakeBlankSprite(kScratch, kWidth, kHeight);
    BeginDrawing(SpriteDrawTarget(kScratch));
    SetTextMode(1);
    SetPenColour(255, 0, 35);
    SetTextCursor(0, 0);
    PrintText("F1 Normal      F2 Dur      F3 Hard");
    EndDrawing();
    SpriteView line;
    if (!ViewSprite(kScratch, line)) return 0;
    int ink = 0;
    for (int row = 0; row < kHeight; ++row) {
        for (int column = 0; column < kWidth; ++column) ink += line.pixels[row * line.imageWidth + column] == kMenuRed;
    }
    return ink;
}

}  // namespace

// The logo circles over the menu; the choices stay readable in every pass.
TEST(TitleScreen, TheCirclingLogoNeverHidesTheMenuLine) {
    ScratchGameDir dir;
    HeadlessRun options;
    int full = 0, fewest = 1 << 30;
    options.calls["full"] = [&] { full = FullMenuLineInk(); };
    options.calls["look"] = [&] { fewest = std::min(fewest, MenuLineInk(headless::LastFrame())); };
    std::string script = "791 call full\n";
    constexpr int kPassesInATurn = 64;  // the circle turns by 0.1 radians a pass
    for (int frame = 791; frame <= 791 + kPassesInATurn; ++frame) script += std::to_string(frame) + " call look\n";
    RunScenario(script + std::to_string(792 + kPassesInATurn) + " quit\n", options);
    ASSERT_GT(full, 100);
    EXPECT_GE(fewest * 100, full * 95) << fewest << " of " << full << " pixels of the line's ink seen";
}
