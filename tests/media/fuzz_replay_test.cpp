// Replays every stored fuzz input (the seed corpus and every input that once
// crashed a parser) through the fuzz entry points, under the normal suite and
// the sanitizer build.
#include "tests/fuzz/fuzz_targets.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/tree_folders.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>
#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

namespace fs = std::filesystem;

size_t ReplayAll(const std::string& target, void (*entry)(const uint8_t*, size_t)) {
    size_t count = 0;
    fs::path root = fs::path(kSourceDir) / "tests" / "fuzz";
    for (const char* kind : {"corpus", "regressions"}) {
        fs::path dir = root / kind / target;
        if (!fs::is_directory(dir)) continue;
        for (const auto& entry_file : fs::directory_iterator(dir)) {
            std::ifstream file(entry_file.path(), std::ios::binary);
            std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
            entry(bytes.data(), bytes.size());
            ++count;
        }
    }
    return count;
}

}  // namespace

TEST(FuzzReplay, Pictures) { ReplayAll("picture", FuzzPicture); }
TEST(FuzzReplay, Settings) { ReplayAll("settings", FuzzSettings); }
TEST(FuzzReplay, Waves) { ReplayAll("wave", FuzzWave); }
TEST(FuzzReplay, Modules) { ReplayAll("module", FuzzModule); }
TEST(FuzzReplay, Recordings) { ReplayAll("recording", FuzzRecording); }

// The entry points that load from a file write it into a folder of this
// process's own: a fixed name in a folder every user may write to could be
// another user's link to the runner's files.
TEST(FuzzReplay, ScratchFilesLieInAFolderOnlyThisUserReaches) {
    fs::path ini = QuickScratchFile(".ini"), wav = QuickScratchFile(".wav");
    ASSERT_FALSE(ini.empty());
    EXPECT_EQ(ini.parent_path(), wav.parent_path());
    EXPECT_NE(ini, wav);
    EXPECT_EQ(ini.parent_path().filename().string().rfind("gulpkin-fuzz-", 0), 0u) << ini;
#ifndef _WIN32
    struct stat info{};
    ASSERT_EQ(lstat(ini.parent_path().c_str(), &info), 0) << ini;
    EXPECT_TRUE(S_ISDIR(info.st_mode));
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    EXPECT_EQ(info.st_uid, geteuid());
#endif
}
