// The player's settings.ini and the game's own files, as a player keeps
// them: the window switch (Alt+Enter) written over the text read at start-up
// (a link kept, its mode kept, the last line of a key changed, read back at
// the next start), never during a replay and never into a recording; and
// files that are no regular files read without waiting or swallowing.
#include "platform/headless/headless.h"
#include "settings/player_settings.h"
#include "tests/support/scenario.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

std::string ReadText(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void WriteText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

unsigned Mode(const std::string& path) {
    struct stat info{};
    stat(path.c_str(), &info);
    return info.st_mode & 07777;
}

// The settings folder is config/gulpkin inside the test's own directory.
class PlayerFiles : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("XDG_CONFIG_HOME", (dir.Path() + "/config").c_str(), 1);
        setenv("TMPDIR", dir.Path().c_str(), 1);
        unsetenv("XDG_RUNTIME_DIR");
    }
    void TearDown() override {
        unsetenv("XDG_CONFIG_HOME");
        unsetenv("TMPDIR");
    }
    std::string Folder() { return dir.Path() + "/config/gulpkin"; }
    std::string Settings() { return Folder() + "/settings.ini"; }
    // the start-up's reading of the file, and its warnings
    PlayerSettings Start(std::string* warnings = nullptr) {
        std::ostringstream lines;
        testing::internal::CaptureStderr();
        PlayerSettings settings = LoadPlayerSettings(lines);
        ApplyPlayerSettings(settings);
        std::string printed = testing::internal::GetCapturedStderr();
        if (warnings != nullptr) *warnings = printed + lines.str();
        return settings;
    }
    ScratchGameDir dir;
};

TEST_F(PlayerFiles, AltEnterKeepsTheLinkTheModeAndEveryOtherLine) {
    fs::create_directories(Folder());
    fs::create_directories("dotfiles");
    const std::string text = "# mine\ndisplay = window\n; again:\ndisplay = fullscreen\nscale = integer\n";
    WriteText("dotfiles/settings.ini", text);
    fs::permissions("dotfiles/settings.ini", fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink(dir.Path() + "/dotfiles/settings.ini", Settings());
    ASSERT_FALSE(Start().windowed) << "the last line of a key counts";

    headless::SwitchWindowMode(true);
    EXPECT_TRUE(fs::is_symlink(Settings()));
    EXPECT_EQ(ReadText("dotfiles/settings.ini"), "# mine\ndisplay = window\n; again:\ndisplay = window\nscale = integer\n");
    EXPECT_EQ(Mode("dotfiles/settings.ini"), 0640u);
    EXPECT_TRUE(Start().windowed) << "read back at the next start";
    headless::SwitchWindowMode(false);
    EXPECT_FALSE(Start().windowed);
    EXPECT_EQ(std::distance(fs::directory_iterator("dotfiles"), fs::directory_iterator()), 1) << "no file left over";
}

TEST_F(PlayerFiles, ANewSettingsFileAndFolderArePrivate) {
    Start();
    headless::SwitchWindowMode(true);
    EXPECT_EQ(ReadText(Settings()), "display = window\n");
    EXPECT_EQ(Mode(Settings()), 0600u);
    EXPECT_EQ(Mode(Folder()), 0700u);
}

TEST_F(PlayerFiles, AFailedWriteSaysSoInOneLine) {
    fs::create_directories(Folder());
    const std::string longName = dir.Path() + "/" + std::string(250, 's');  // no room for a name beside it
    WriteText(longName, "sound = off\n");
    fs::create_symlink(longName, Settings());
    Start();
    testing::internal::CaptureStderr();
    headless::SwitchWindowMode(true);
    std::string printed = testing::internal::GetCapturedStderr();
    EXPECT_EQ(printed,
              "gulpkin: cannot write " + Settings() + ": File name too long; the display mode is not remembered\n");
    EXPECT_EQ(ReadText(longName), "sound = off\n");
}

// Alt+Enter in the middle of a recorded game changes the settings and not the
// recording; in the middle of its replay it changes nothing at all.
TEST_F(PlayerFiles, AltEnterLeavesRecordingsAndReplaysIntact) {
    fs::create_directories(Folder());
    const std::string text = "; keep me\nsound = on\ndisplay = fullscreen\n";
    WriteText(Settings(), text);
    Start();
    HeadlessRun run;
    run.script = "1 keys LEFT\n100 call altenter\n150 call altenter\n300 quit\n";
    run.directLevel = 1;
    int switches = 0;
    run.calls["altenter"] = [&switches] { headless::SwitchWindowMode(++switches % 2 == 1); };
    run.recordPath = "alt.rec";
    std::ostringstream recordedLine, errors;
    ASSERT_EQ(RunHeadless(run, recordedLine, errors), 0) << errors.str();
    EXPECT_EQ(ReadText(Settings()), text) << "switched twice: back as it was";

    WriteText(Settings(), text + "# touched\n");
    run.recordPath.clear();
    run.replayPath = "alt.rec";
    run.script = "100 call altenter\n150 call altenter\n";
    std::ostringstream replayedLine;
    EXPECT_EQ(RunHeadless(run, replayedLine, errors), 0) << errors.str();
    EXPECT_EQ(replayedLine.str(), recordedLine.str());
    EXPECT_EQ(ReadText(Settings()), text + "# touched\n");
    EXPECT_EQ(switches, 4);
}

// A pipe, a device, a huge or an unreadable file in place of a file the game
// reads gets one warning and is not read: start-up never waits on it or
// swallows it, and Alt+Enter leaves such a settings.ini as it is, saying so.
TEST_F(PlayerFiles, FilesThatAreNoRegularFilesAreNotRead) {
    fs::create_directories(Folder());
    struct Case {
        const char* name;
        void (*make)(const std::string& path);
        const char* says;
    };
    const Case cases[] = {
        {"a pipe", [](const std::string& path) { mkfifo(path.c_str(), 0600); }, "is not a regular file"},
        {"a link to /dev/zero", [](const std::string& path) { fs::create_symlink("/dev/zero", path); },
         "is not a regular file"},
        {"a huge file", [](const std::string& path) { WriteText(path, std::string(97 * 1024, '#')); }, "is too large"},
        {"an unreadable file",
         [](const std::string& path) {
             WriteText(path, "display = fullscreen\n");
             fs::permissions(path, fs::perms::owner_write);
         },
         "cannot be read"},
    };
    for (const Case& c : cases) {
        if (std::string(c.name) == "an unreadable file" && geteuid() == 0) continue;  // a superuser reads it
        fs::remove(Settings());
        c.make(Settings());
        std::string warnings;
        EXPECT_FALSE(Start(&warnings).windowed) << c.name;
        EXPECT_EQ(warnings, "gulpkin: " + Settings() + " " + c.says + "; not read\n") << c.name;
        const fs::file_status before = fs::symlink_status(Settings());
        const auto size = fs::is_regular_file(before) ? fs::file_size(Settings()) : 0;
        testing::internal::CaptureStderr();
        headless::SwitchWindowMode(true);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "gulpkin: " + Settings() +
                      " was not read, so it is left as it is; the display mode is not remembered\n") << c.name;
        EXPECT_EQ(fs::symlink_status(Settings()).type(), before.type()) << c.name;
        if (fs::is_regular_file(before)) {
            EXPECT_EQ(fs::file_size(Settings()), size) << c.name;
        }

        fs::remove("Hit Score.ini");
        c.make(dir.Path() + "/Hit Score.ini");
        ScenarioResult run = RunScenario("0 dump\n0 quit\n");
        ASSERT_EQ(run.dumps.size(), 1u) << c.name;
        EXPECT_EQ(ParseJson(run.dumps[0])["highScore"].Int(), 0) << c.name;
    }
}

}  // namespace
