// The frame hash and the asset pack's fingerprint.
#include "media/platform/journal/journal_hashes.h"

#include "media/platform/journal/journal_format.h"
#include "media/platform/platform.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

namespace journal {

namespace {

constexpr uint64_t kPrime1 = 0x9E3779B185EBCA87ULL;
constexpr uint64_t kPrime2 = 0xC2B2AE3D27D4EB4FULL;

uint64_t Mix(uint64_t lane, uint64_t word) {
    lane ^= word * kPrime2;
    lane = (lane << 31) | (lane >> 33);
    return lane * kPrime1;
}

// Every file under one directory of the pack, sorted by name.
std::vector<std::filesystem::path> PackFiles(const std::filesystem::path& root) {
    std::vector<std::filesystem::path> files;
    std::error_code error;
    for (auto it = std::filesystem::recursive_directory_iterator(root, error);
         !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
        if (it->is_regular_file(error)) files.push_back(it->path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

uint64_t HashFile(const std::filesystem::path& path, uint64_t hash) {
    std::ifstream file(path, std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    return HashBytes(bytes.data(), bytes.size(), hash);
}

}  // namespace

// Four independent lanes over 64-bit words keep the multiplier busy; what is
// left of a row after its groups of sixteen pixels goes in pixel by pixel.
uint64_t HashFrame(const uint16_t* pixels, int width, int height, int pitch) {
    if (pixels == nullptr || width <= 0 || height <= 0) return 0;
    uint64_t a = kPrime1, b = kPrime2, c = kPrime1 ^ kPrime2, d = 0x165667B19E3779F9ULL;
    const size_t groups = static_cast<size_t>(width) / 16;
    for (int row = 0; row < height; ++row) {
        const uint16_t* line = pixels + static_cast<size_t>(row) * static_cast<size_t>(pitch);
        for (size_t g = 0; g < groups; ++g) {
            uint64_t words[4];
            std::memcpy(words, line + 16 * g, sizeof words);
            a = Mix(a, words[0]);
            b = Mix(b, words[1]);
            c = Mix(c, words[2]);
            d = Mix(d, words[3]);
        }
        for (size_t x = 16 * groups; x < static_cast<size_t>(width); ++x) a = Mix(a, line[x]);
    }
    uint64_t hash = static_cast<uint64_t>(width) << 32 | static_cast<uint32_t>(height);
    for (uint64_t lane : {a, b, c, d}) hash = Mix(hash, lane);
    return hash ^ (hash >> 29);
}

uint64_t AssetPackFingerprint() {
    uint64_t hash = kHashSeed;
    for (const char* dir : {"graph", "font", "wav", "music"}) {
        std::filesystem::path root = platform::HostPath(std::string(dir) + "/");
        for (const std::filesystem::path& file : PackFiles(root)) {
            std::string name = std::filesystem::relative(file, root).generic_string();
            name = std::string(dir) + "/" + name;
            hash = HashBytes(reinterpret_cast<const uint8_t*>(name.data()), name.size() + 1, hash);
            hash = HashFile(file, hash);
        }
    }
    return hash;
}

}  // namespace journal
