// Replays every stored fuzz input (the seed corpus and every input that once
// crashed a parser) through the fuzz entry points, under the normal suite and
// the sanitizer build.
#include "tests/fuzz/fuzz_targets.h"
#include "tests/support/tree_folders.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

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
