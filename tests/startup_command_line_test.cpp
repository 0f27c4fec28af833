// The game's command line: every option, both ways of giving a value, and
// the one-line message with the usage for anything bad; the command line
// over the settings file.
#include "shell/command_line.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

namespace {

struct Parsed {
    bool ok;
    CommandLine line;
    std::string errors;
};

Parsed Parse(std::vector<const char*> arguments) {
    arguments.insert(arguments.begin(), "gulpkin");
    Parsed parsed{};
    std::ostringstream errors;
    parsed.ok = ParseCommandLine(static_cast<int>(arguments.size()), arguments.data(), parsed.line, errors);
    parsed.errors = errors.str();
    return parsed;
}

TEST(CommandLine, EachOptionSetsItsField) {
    EXPECT_TRUE(Parse({"--help"}).line.help);
    EXPECT_TRUE(Parse({"--version"}).line.version);
    EXPECT_EQ(Parse({"--window"}).line.windowed, true);
    EXPECT_EQ(Parse({"--fullscreen"}).line.windowed, false);
    EXPECT_EQ(Parse({"--window", "--fullscreen"}).line.windowed, false) << "the last one counts";
    EXPECT_EQ(Parse({"--scale", "integer"}).line.wholeMultiples, true);
    EXPECT_EQ(Parse({"--scale=fit"}).line.wholeMultiples, false);
    EXPECT_TRUE(Parse({"--no-sound"}).line.noSound);
    EXPECT_EQ(Parse({"--data", "/srv/pack"}).line.dataDirectory, "/srv/pack");
    EXPECT_EQ(Parse({"--data=pack", "--"}).line.dataDirectory, "pack");
    Parsed none = Parse({});
    EXPECT_TRUE(none.ok);
    EXPECT_FALSE(none.line.windowed.has_value());
    EXPECT_FALSE(none.line.wholeMultiples.has_value());
}

TEST(CommandLine, ABadArgumentIsNamedInOneLineBeforeTheUsage) {
    const struct {
        std::vector<const char*> arguments;
        const char* message;
    } cases[] = {
        {{"--bogus"}, "gulpkin: unknown option '--bogus'\n"},
        {{"-w"}, "gulpkin: unknown option '-w'\n"},
        {{"level1"}, "gulpkin: unexpected argument 'level1'\n"},
        {{"--", "level1"}, "gulpkin: unexpected argument 'level1'\n"},
        {{"--scale", "huge"}, "gulpkin: bad value 'huge' for option '--scale' (fit|integer)\n"},
        {{"--scale="}, "gulpkin: bad value '' for option '--scale' (fit|integer)\n"},
        {{"--scale"}, "gulpkin: option '--scale' needs a value (fit|integer)\n"},
        {{"--data"}, "gulpkin: option '--data' needs a value (DIR)\n"},
        {{"--window=yes"}, "gulpkin: option '--window' takes no value\n"},
    };
    for (const auto& c : cases) {
        Parsed parsed = Parse(c.arguments);
        EXPECT_FALSE(parsed.ok) << c.message;
        EXPECT_EQ(parsed.errors, c.message + UsageText());
    }
}

TEST(CommandLine, TheUsageNamesEveryOption) {
    for (const char* option : {"--help", "--version", "--window", "--fullscreen", "--scale fit|integer",
                               "--no-sound", "--data DIR"}) {
        EXPECT_NE(UsageText().find(option), std::string::npos) << option;
    }
}

// Exit codes as the player sees them, through the program entry.
TEST(CommandLine, HelpAndVersionEndAtOnceBadArgumentsWithCodeTwo) {
    const struct {
        std::vector<const char*> arguments;
        int exitCode;
    } cases[] = {{{"--help"}, 0}, {{"--version"}, 0}, {{"--bogus"}, 2}, {{"--scale", "x"}, 2},
                 {{"--data", "/nonexistent/pack"}, 2}};
    for (const auto& c : cases) {
        std::vector<const char*> arguments = c.arguments;
        arguments.insert(arguments.begin(), "gulpkin");
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        int code = StartFromCommandLine(static_cast<int>(arguments.size()), arguments.data());
        std::string out = testing::internal::GetCapturedStdout();
        std::string err = testing::internal::GetCapturedStderr();
        EXPECT_EQ(code, c.exitCode) << c.arguments[0];
        EXPECT_EQ(out.empty(), c.exitCode != 0) << c.arguments[0];
        EXPECT_EQ(err.empty(), c.exitCode == 0) << c.arguments[0];
    }
}

TEST(CommandLine, TheCommandLineWinsOverTheSettingsFile) {
    PlayerSettings file;
    file.windowed = true;
    file.wholeMultiples = true;
    file.musicVolume = 40;
    PlayerSettings kept = Override(file, Parse({}).line);
    EXPECT_TRUE(kept.windowed);
    EXPECT_TRUE(kept.wholeMultiples);
    EXPECT_TRUE(kept.sound);
    PlayerSettings over = Override(file, Parse({"--fullscreen", "--scale", "fit", "--no-sound"}).line);
    EXPECT_FALSE(over.windowed);
    EXPECT_FALSE(over.wholeMultiples);
    EXPECT_FALSE(over.sound);
    EXPECT_EQ(over.musicVolume, 40);
}

}  // namespace
