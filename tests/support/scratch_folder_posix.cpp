// Scratch folders on POSIX systems: mkdtemp's private folders, symbolic links
// and a private folder in the shared-memory one.
#include "tests/support/scratch_folder.h"

#include <filesystem>
#include <unistd.h>
#include <vector>

std::string MakeScratchFolder(const std::string& name) {
    std::string pattern = (std::filesystem::temp_directory_path() / (name + "-XXXXXX")).string();
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    const char* made = mkdtemp(buffer.data());
    return made ? made : "";
}

void ShowPathAt(const std::string& target, const std::string& link) {
    std::error_code ignored;
    std::filesystem::create_symlink(target, link, ignored);
}

// The folder of this process's short-lived files, made on first use and
// removed with them when the process ends: a fixed name in a folder every
// user may write to could be another user's link, and would stay behind.
struct QuickFolder {
    std::string path;
    ~QuickFolder() {
        std::error_code ignored;
        if (!path.empty()) std::filesystem::remove_all(path, ignored);
    }
};

std::string QuickScratchFile(const std::string& suffix) {
    static const QuickFolder folder{[] {
        std::string pattern = access("/dev/shm", W_OK) == 0 ? "/dev/shm/gulpkin-fuzz-XXXXXX" : "";
        if (pattern.empty()) return MakeScratchFolder("gulpkin-fuzz");
        const char* made = mkdtemp(pattern.data());
        return std::string(made ? made : "");
    }()};
    return folder.path.empty() ? "" : folder.path + "/scratch" + suffix;
}
