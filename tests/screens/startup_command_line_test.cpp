// The command lines of both programs: each option, bad arguments and
// conflicts named in one line before the usage with exit code 2, the command
// line over the settings, the asset pack check, and the manual page in step
// with the option table.
#include "shell/asset_pack_check.h"
#include "shell/command_line.h"
#include "shell/headless/driver.h"
#include "shell/option_table.h"
#include "tests/support/pictures.h"
#include "tests/support/tree_folders.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <vector>

namespace {

// the exit code the program's entry gives, and what reached stderr
int RunProgram(Program program, std::vector<const char*> arguments, std::string* errors) {
    arguments.insert(arguments.begin(), program == Program::Game ? "gulpkin" : "gulpkin-headless");
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    int argc = static_cast<int>(arguments.size());
    int code = program == Program::Game ? StartFromCommandLine(argc, arguments.data())
                                        : HeadlessMain(argc, const_cast<char**>(arguments.data()));
    testing::internal::GetCapturedStdout();
    *errors = testing::internal::GetCapturedStderr();
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
    const Program game = Program::Game, headless = Program::Headless;
    const struct {
        Program program;
        std::vector<const char*> arguments;
        int code;
        const char* message;  // after "program: "; "" = nothing on stderr
        bool usage;
    } cases[] = {
        {game, {"--help"}, 0, "", false},
        {game, {"-h"}, 0, "", false},
        {game, {"--version"}, 0, "", false},
        {headless, {"--help"}, 0, "", false},
        {headless, {"-h"}, 0, "", false},
        {headless, {"--version"}, 0, "", false},
        {game, {"--bogus"}, 2, "unknown option '--bogus'", true},
        {game, {"--bad\x1b[2J\n"}, 2, "unknown option '--bad\\x1B[2J\\x0A'", true},
        // C1 controls and what is no UTF-8 (a surrogate) escaped; backslashes and letters kept
        {game, {"--\xc2\x9b" "2J\xed\xa0\x80\x7f"}, 2, "unknown option '--\\xC2\\x9B2J\\xED\\xA0\\x80\\x7F'", true},
        {game, {"C:\\Jeux\\Zo\xc3\xa9"}, 2, "unexpected argument 'C:\\Jeux\\Zo\xc3\xa9'", true},
        {game, {"level1"}, 2, "unexpected argument 'level1'", true},
        {game, {"--scale", "huge"}, 2, "bad value 'huge' for option '--scale' (fit|integer)", true},
        {game, {"--scale"}, 2, "option '--scale' needs a value (fit|integer)", true},
        {game, {"--refresh", "60"}, 2, "bad value '60' for option '--refresh' (75|desktop)", true},
        {game, {"--window=yes"}, 2, "option '--window' takes no value", true},
        {game, {"--record", "a", "--replay", "b"}, 2, "--record and --replay cannot be used together", true},
        {game, {"--record=a", "--replay=b"}, 2, "--record and --replay cannot be used together", true},
        {game, {"--max-frames", "5"}, 2, "unknown option '--max-frames'", true},
        {game, {"--data", "/nonexistent"}, 2, "no asset pack in '/nonexistent': not a folder", false},
        {headless, {"--window"}, 2, "unknown option '--window'", true},
        {headless, {"--max-frames", "abc"}, 2, "bad value 'abc' for option '--max-frames' (N)", true},
        {headless, {"--max-frames=-1"}, 2, "bad value '-1' for option '--max-frames' (N)", true},
        {headless, {"--start-tick", "4294967296"}, 2, "bad value '4294967296' for option '--start-tick' (T)", true},
        {headless, {"--level=31"}, 2, "bad value '31' for option '--level' (N)", true},
        {headless, {"--replay", "x", "--record", "y"}, 2, "--record and --replay cannot be used together", true},
        {headless, {"--level", "3", "--replay", "x"}, 2, "--level and --replay cannot be used together", true},
        {headless, {"--replay=x", "--record=y"}, 2, "--record and --replay cannot be used together", true},
        {headless, {"--level=3", "--replay=x"}, 2, "--level and --replay cannot be used together", true},
        {headless, {"--script", "."}, 2, "script '.' is not a regular file", false},
        {headless, {"--script=/nonexistent"}, 2, "script '/nonexistent' does not exist", false},
    };
    for (const auto& c : cases) {
        std::string errors;
        std::string program = c.program == game ? "gulpkin: " : "gulpkin-headless: ";
        EXPECT_EQ(RunProgram(c.program, c.arguments, &errors), c.code) << c.arguments[0];
        std::string line = c.code == 0 ? "" : program + c.message + "\n";
        EXPECT_EQ(errors.substr(0, line.size()), line);
        EXPECT_EQ(errors.size() > line.size(), c.usage) << c.arguments[0] << ": usage";
    }
}

TEST(CommandLine, HeadlessValuesFollowTheirOptionOrAnEqualsSign) {
    TempDir dir;
    std::ofstream(dir.File("run.script")) << "0 quit\n";
    std::string script = "--script=" + dir.File("run.script");
    std::string errors;
    EXPECT_EQ(RunProgram(Program::Headless, {script.c_str(), "--max-frames=5", "--start-tick", "0", "--level=2"},
                         &errors),
              0);
    EXPECT_EQ(errors, "");
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

// A pack is the four folders, each holding a file; the game's own passes.
TEST(AssetPackCheck, NamesTheFirstFolderMissingOrEmpty) {
    namespace fs = std::filesystem;
    TempDir dir;
    auto pack = [&](const char* name, std::vector<const char*> empty, std::vector<const char*> missing) {
        fs::path root = dir.File(name);
        for (const char* part : {"graph", "font", "wav", "music"}) {
            if (std::find(missing.begin(), missing.end(), std::string_view(part)) != missing.end()) continue;
            fs::create_directories(root / part);
            bool isEmpty = std::find(empty.begin(), empty.end(), std::string_view(part)) != empty.end();
            if (!isEmpty) std::ofstream(root / part / "a") << "x";
        }
        return root.string();
    };
    EXPECT_EQ(AssetPackProblem(kGameDir), "");
    EXPECT_EQ(AssetPackProblem(pack("whole", {}, {})), "");
    EXPECT_EQ(AssetPackProblem(pack("blank", {"graph"}, {})), "graph/ is empty");
    EXPECT_EQ(AssetPackProblem(pack("mute", {}, {"music"})), "music/ is missing");
    EXPECT_EQ(AssetPackProblem(dir.File("whole/graph/a")), "not a folder");
    std::string zero = pack("zero", {"wav"}, {});
    std::ofstream(zero + "/wav/a");  // a file of no bytes is no sound
    EXPECT_EQ(AssetPackProblem(zero), "wav/ is empty");
}

// the words of a roff line that are options ("\-\-scale" read as "--scale")
void AddOptionWords(std::string line, std::set<std::string>& names) {
    for (size_t at; (at = line.find("\\-")) != std::string::npos;) line.erase(at, 1);
    std::string word;
    for (char c : line + " ") {
        if ((c >= 'a' && c <= 'z') || c == '-') {
            word += c;
            continue;
        }
        if (word.size() > 1 && word[0] == '-') names.insert(word);
        word.clear();
    }
}

// the options the manual page lists under OPTIONS for one program (".SS name")
std::set<std::string> ManualOptions(const std::string& program) {
    std::ifstream page(SourceFile("packaging/gulpkin.6"));
    std::set<std::string> names;
    std::string line, section, subsection, previous;
    while (std::getline(page, line)) {
        if (line.rfind(".SH ", 0) == 0) section = line.substr(4), subsection.clear();
        if (line.rfind(".SS ", 0) == 0) subsection = line.substr(4);
        if (section == "OPTIONS" && subsection == program && previous == ".TP") AddOptionWords(line, names);
        previous = line;
    }
    return names;
}

std::string TextOf(const std::string& path) {
    std::ifstream file(path);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// The READMEs' command lines and settings.ini lists, and the manual page,
// name every option of the game and every setting (with its default in the
// READMEs' lists), as the option and setting tables have them.
TEST(CommandLine, DocumentsNameEveryOptionAndSetting) {
    for (std::string name : {"README.md", "windows/README.txt.in", "packaging/gulpkin.6"}) {
        std::string text = TextOf(SourceFile(name));
        ASSERT_FALSE(text.empty()) << name;
        bool manual = name.ends_with(".6");
        for (const Option& row : OptionTable()) {
            std::string option;
            for (char c : std::string(row.name)) option += manual && c == '-' ? std::string("\\-") : std::string(1, c);
            if ((row.programs & kForGame) == 0) continue;
            EXPECT_NE(text.find(option), std::string::npos) << name << ": " << option;
        }
        for (const SettingRow& row : SettingTable()) {
            std::string named = manual ? row.key : std::string(row.key) + " = " + row.defaultValue;
            EXPECT_NE(text.find(named), std::string::npos) << name << ": " << named;
        }
    }
}

TEST(CommandLine, ManualPageListsExactlyTheOptionsOfEachProgram) {
    for (auto [program, bit] : {std::pair{"gulpkin", kForGame}, {"gulpkin-headless", kForHeadless}}) {
        std::set<std::string> table = {"-h"};
        for (const Option& row : OptionTable()) {
            if ((row.programs & bit) != 0) table.insert(row.name);
        }
        EXPECT_EQ(ManualOptions(program), table) << program;
    }
}

}  // namespace
