// The frame hash and the asset pack's fingerprint.
#include "platform/journal/journal_hashes.h"

#include "platform/journal/journal_format.h"
#include "platform/platform.h"

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

// Two running sums per lane over eight lanes of 64-bit words (the second sum
// adds up the first, so the order of the words counts too): plain additions
// the compiler turns into vector code, which keeps the hash of a whole frame
// near the speed of reading it. What is left of a row after its groups of 32
// pixels goes into lane 0 pixel by pixel. The sums are mixed at the end.
uint64_t HashFrame(const uint16_t* pixels, int width, int height, int pitch) {
    if (pixels == nullptr || width <= 0 || height <= 0) return 0;
    constexpr size_t kLanes = 8;
    uint64_t first[kLanes] = {}, second[kLanes] = {};
    const size_t groups = static_cast<size_t>(width) / (4 * kLanes);
    for (int row = 0; row < height; ++row) {
        const uint16_t* line = pixels + static_cast<size_t>(row) * static_cast<size_t>(pitch);
        for (size_t g = 0; g < groups; ++g) {
            uint64_t words[kLanes];
            std::memcpy(words, line + 4 * kLanes * g, sizeof words);
            for (size_t k = 0; k < kLanes; ++k) {
                first[k] += words[k];
                second[k] += first[k];
            }
        }
        for (size_t x = 4 * kLanes * groups; x < static_cast<size_t>(width); ++x) {
            first[0] += line[x];
            second[0] += first[0];
        }
    }
    uint64_t hash = static_cast<uint64_t>(width) << 32 | static_cast<uint32_t>(height);
    for (size_t k = 0; k < kLanes; ++k) hash = Mix(Mix(hash, first[k]), second[k]);
    return hash ^ (hash >> 29);
}

uint64_t AssetPackFingerprint() {
    uint64_t hash = kHashSeed;
    for (const char* dir : {"graph", "font", "wav", "music"}) {
        // the game's paths are UTF-8 on every system (a narrow path means the
        // code page on Windows)
        std::string rootText = platform::HostPath(std::string(dir) + "/");
        std::filesystem::path root(std::u8string(rootText.begin(), rootText.end()));
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
