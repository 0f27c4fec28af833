// The asset pack a player names with --data.
#include "shell/asset_pack_check.h"

#include <filesystem>
#include <system_error>

namespace {

namespace fs = std::filesystem;

bool HoldsAFile(const fs::path& folder) {
    std::error_code error;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end; entry.increment(error)) {
        std::error_code ignored;
        if (entry->is_regular_file(ignored) && entry->file_size(ignored) > 0) return true;
    }
    return false;
}

}  // namespace

std::string AssetPackProblem(const std::string& directory) {
    std::error_code error;
    if (!fs::is_directory(directory, error)) return "not a folder";
    for (const char* part : {"graph", "font", "wav", "music"}) {
        fs::path folder = fs::path(directory) / part;
        if (!fs::is_directory(folder, error)) return std::string(part) + "/ is missing";
        if (!HoldsAFile(folder)) return std::string(part) + "/ is empty";
    }
    return "";
}
