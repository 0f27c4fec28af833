// A damaged asset pack never stops the game: with any one file missing,
// truncated or garbled, the headless game still goes from start-up through
// the title screen into play and ends cleanly.
#include "tests/support/scenario.h"
#include "tests/support/tree_folders.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

namespace fs = std::filesystem;

enum class Damage { Missing, Truncated, Garbled };

struct Fault {
    std::string file;  // relative to the game directory, e.g. "graph/ball2.bmp"
    Damage damage;
};

std::vector<std::string> PackFiles() {
    std::vector<std::string> files;
    for (const char* dir : {"graph", "font", "wav", "music"}) {
        fs::path root = fs::path(kGameDir) / dir;
        if (!fs::is_directory(root)) continue;
        for (const auto& entry : fs::directory_iterator(root)) files.push_back(std::string(dir) + "/" + entry.path().filename().string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::vector<Fault> AllFaults() {
    std::vector<Fault> faults;
    for (const std::string& file : PackFiles()) {
        for (Damage damage : {Damage::Missing, Damage::Truncated, Damage::Garbled}) faults.push_back({file, damage});
    }
    return faults;
}

std::vector<uint8_t> ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Keeps the header and the first few bytes after it, or flips bytes all over
// the file (headers included) with a fixed pattern.
std::vector<uint8_t> Damaged(std::vector<uint8_t> bytes, Damage damage) {
    if (damage == Damage::Truncated) {
        bytes.resize(std::min<size_t>(bytes.size(), 70));
    } else {
        uint32_t state = 2463534242u;
        for (size_t i = 0; i < bytes.size(); i += 1 + state % 37) {
            state ^= state << 13;
            state ^= state >> 17;
            state ^= state << 5;
            bytes[i] = static_cast<uint8_t>(state);
        }
    }
    return bytes;
}

// Fills the scratch directory with the pack, each file linked, except the
// damaged one.
void BuildPack(const fs::path& into, const Fault& fault) {
    for (const std::string& file : PackFiles()) {
        fs::path source = fs::path(kGameDir) / file;
        fs::path target = into / file;
        fs::create_directories(target.parent_path());
        if (file != fault.file) {
            fs::create_symlink(source, target);
        } else if (fault.damage != Damage::Missing) {
            std::vector<uint8_t> bytes = Damaged(ReadBytes(source), fault.damage);
            std::ofstream(target, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        }
    }
}

// Files the title screen shows or plays: damaging one of these is tried
// through the whole title; every other file straight from a game's start.
bool UsedByTheTitle(const std::string& file) {
    for (const char* name : {"gulpmaze.jpg", "gulpkin6.jpg", "gulpkin2.jpg", "ghost-blanc", "dents", "14.mod",
                             "bouffe1.wav"}) {
        if (file.find(name) != std::string::npos) return true;
    }
    return false;
}

// Steering for a while in play, a charge, a screenshot key, and a dump.
const char* kPlayScript =
    "5 keys LEFT\n"
    "40 keys UP SPACE\n"
    "60 keys F12\n"
    "61 keys DOWN\n"
    "90 dump\n"
    "91 quit\n";

// Through the intro (790 frames), F1 on the menu, the confirmation, then
// the same in play.
const char* kTitleScript =
    "780 keys F1\n"
    "800 keys\n"
    "905 keys LEFT\n"
    "930 keys UP SPACE\n"
    "950 keys F12\n"
    "951 keys DOWN\n"
    "980 dump\n"
    "981 quit\n";

class AssetFault : public ::testing::TestWithParam<Fault> {};

}  // namespace

TEST_P(AssetFault, TheGameStillRunsIntoPlayAndEndsCleanly) {
    if (PackFiles().empty()) FAIL() << "no asset pack built";
    ScratchGameDir dir;
    fs::path root = dir.Path();
    for (const char* sub : {"graph", "font", "wav", "music"}) fs::remove(root / sub);
    BuildPack(root, GetParam());
    HeadlessRun options;
    bool title = UsedByTheTitle(GetParam().file);
    if (!title) options.directLevel = 1;
    ScenarioResult run = RunScenario(title ? kTitleScript : kPlayScript, options);
    EXPECT_EQ(run.exitCode, 0);
    ASSERT_EQ(run.dumps.size(), 1u);
    Json state = ParseJson(run.dumps[0]);
    EXPECT_EQ(state["screen"].text, "play");
    EXPECT_EQ(state["lives"].Int(), 3);
}

namespace {

std::string FaultName(const ::testing::TestParamInfo<Fault>& info) {
    static const char* const damage[] = {"Missing", "Truncated", "Garbled"};
    std::string name = info.param.file;
    for (char& c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    }
    return name + "_" + damage[static_cast<int>(info.param.damage)];
}

}  // namespace

INSTANTIATE_TEST_SUITE_P(EveryFile, AssetFault, ::testing::ValuesIn(AllFaults()), FaultName);
