// The asset pack is reproducible: every file the generator writes has the
// content recorded in tests/golden/asset_pack.txt. After an intended change
// to the art, the sounds or the music, rewrite the record with
//   GULPKIN_UPDATE_GOLDEN=1 ctest -R AssetPackGolden
// and look at build/game/asset-overview.png before committing it.
#include "tests/support/tree_folders.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

namespace {

const std::string kRecord = SourceFile("tests/golden/asset_pack.txt");

uint64_t Fingerprint(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    uint64_t hash = 1469598103934665603ull;  // FNV-1a
    char c;
    while (in.get(c)) hash = (hash ^ uint8_t(c)) * 1099511628211ull;
    return hash;
}

std::map<std::string, std::string> PackFingerprints() {
    std::map<std::string, std::string> prints;
    for (const char* folder : {"graph", "font", "wav", "music"}) {
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            char text[17];
            std::snprintf(text, sizeof text, "%016llx", (unsigned long long)Fingerprint(entry.path()));
            prints[std::string(folder) + "/" + entry.path().filename().string()] = text;
        }
    }
    return prints;
}

std::map<std::string, std::string> RecordedFingerprints() {
    std::map<std::string, std::string> prints;
    std::ifstream in(kRecord);
    std::string path, print;
    while (in >> path >> print) prints[path] = print;
    return prints;
}

}  // namespace

TEST(AssetPackGolden, EveryFileMatchesTheRecord) {
    std::map<std::string, std::string> now = PackFingerprints();
    if (std::getenv("GULPKIN_UPDATE_GOLDEN")) {
        std::ofstream out(kRecord);
        for (const auto& [path, print] : now) out << path << ' ' << print << '\n';
        GTEST_SKIP() << "record rewritten";
    }
    std::map<std::string, std::string> recorded = RecordedFingerprints();
    ASSERT_FALSE(recorded.empty()) << "no record at " << kRecord;
    for (const auto& [path, print] : recorded) {
        auto found = now.find(path);
        ASSERT_NE(found, now.end()) << path << " is no longer written";
        EXPECT_EQ(found->second, print) << path << " changed";
    }
    EXPECT_EQ(now.size(), recorded.size()) << "the pack has files the record does not know";
}
