// The asset pack's folder, checked before the game starts.
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
    // the game's paths are UTF-8 on every system (a narrow path means the
    // code page on Windows)
    fs::path root(std::u8string(directory.begin(), directory.end()));
    std::error_code error;
    if (!fs::is_directory(root, error)) return "not a folder";
    for (const char* part : {"graph", "font", "wav", "music"}) {
        fs::path folder = root / part;
        if (!fs::is_directory(folder, error)) return std::string(part) + "/ is missing";
        if (!HoldsAFile(folder)) return std::string(part) + "/ is empty";
    }
    return "";
}

std::string ShownFolder(const std::string& folder) {
    std::error_code error;
    fs::path path = fs::absolute(fs::path(std::u8string(folder.begin(), folder.end())), error);
    if (error) return folder;
    std::u8string text = path.make_preferred().u8string();
    return std::string(text.begin(), text.end());
}
