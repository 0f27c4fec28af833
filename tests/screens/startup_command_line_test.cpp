// The game's command line: each option, bad arguments named in one line
// before the usage with exit code 2, and the command line over the settings.
#include "shell/command_line.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

namespace {

// the exit code StartFromCommandLine gives, and what reached stderr
int RunGulpkin(std::vector<const char*> arguments, std::string* errors) {
    arguments.insert(arguments.begin(), "gulpkin");
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    int code = StartFromCommandLine(static_cast<int>(arguments.size()), arguments.data());
    testing::internal::GetCapturedStdout();
    std::string err = testing::internal::GetCapturedStderr();
    *errors = err;
    return code;
}

PlayerSettings Over(PlayerSettings file, std::vector<const char*> arguments) {
    arguments.insert(arguments.begin(), "gulpkin");
    CommandLine line;
    std::ostringstream errors;
    EXPECT_TRUE(ParseCommandLine(static_cast<int>(arguments.size()), arguments.data(), line, errors));
    return Override(file, line);
}

TEST(CommandLine, BadArgumentsAreNamedBeforeTheUsageWithExitCodeTwo) {
    const struct {
        std::vector<const char*> arguments;
        int code;
        const char* message;
    } cases[] = {
        {{"--help"}, 0, ""},
        {{"--version"}, 0, ""},
        {{"--bogus"}, 2, "unknown option '--bogus'"},
        {{"level1"}, 2, "unexpected argument 'level1'"},
        {{"--scale", "huge"}, 2, "bad value 'huge' for option '--scale' (fit|integer)"},
        {{"--scale"}, 2, "option '--scale' needs a value (fit|integer)"},
        {{"--refresh", "60"}, 2, "bad value '60' for option '--refresh' (75|desktop)"},
        {{"--window=yes"}, 2, "option '--window' takes no value"},
        {{"--data", "/nonexistent"}, 2, "no asset pack (graph, font, wav, music) in '/nonexistent'"},
    };
    for (const auto& c : cases) {
        std::string errors;
        EXPECT_EQ(RunGulpkin(c.arguments, &errors), c.code) << c.message;
        std::string line = c.code == 0 ? "" : "gulpkin: " + std::string(c.message) + "\n";
        EXPECT_EQ(errors.substr(0, line.size()), line);
        EXPECT_EQ(errors.size() > line.size(), c.arguments[0] != std::string("--data") && c.code != 0) << "usage";
    }
}

TEST(CommandLine, OptionsWinOverTheSettingsFileAndLeaveTheRest) {
    PlayerSettings file{.windowed = true, .wholeMultiples = true, .musicVolume = 40};
    PlayerSettings kept = Over(file, {"--data=/srv/pack"});
    EXPECT_TRUE(kept.windowed && kept.wholeMultiples && kept.sound);
    PlayerSettings over = Over(file, {"--window", "--fullscreen", "--scale", "fit", "--no-sound"});
    EXPECT_FALSE(over.windowed || over.wholeMultiples || over.sound);
    EXPECT_EQ(over.musicVolume, 40);
    EXPECT_TRUE(Over({}, {"--scale=integer", "--window"}).wholeMultiples);
    EXPECT_TRUE(Over({}, {"--scale=integer", "--window"}).windowed);
    EXPECT_TRUE(Over({}, {"--refresh", "desktop"}).keepDesktopMode);
    EXPECT_FALSE(Over({.keepDesktopMode = true}, {"--refresh=75"}).keepDesktopMode);
}

}  // namespace
