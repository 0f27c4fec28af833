// Scratch folders on Windows: the user's own temporary folder (which no other
// user reaches), and copies where POSIX would link, since links need rights
// an ordinary user lacks.
#include "tests/support/scratch_folder.h"

#include <filesystem>
#include <random>

std::string MakeScratchFolder(const std::string& name) {
    namespace fs = std::filesystem;
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        fs::path path = fs::temp_directory_path() / (name + "-" + std::to_string(random()));
        std::error_code error;
        if (fs::create_directory(path, error)) return path.generic_string();
    }
    return "";
}

void ShowPathAt(const std::string& target, const std::string& link) {
    std::error_code ignored;
    std::filesystem::copy(target, link, std::filesystem::copy_options::recursive, ignored);
}

// The folder of this process's short-lived files, made on first use and
// removed with them when the process ends.
struct QuickFolder {
    std::string path;
    ~QuickFolder() {
        std::error_code ignored;
        if (!path.empty()) std::filesystem::remove_all(path, ignored);
    }
};

std::string QuickScratchFile(const std::string& suffix) {
    static const QuickFolder folder{MakeScratchFolder("gulpkin-fuzz")};
    return folder.path.empty() ? "" : folder.path + "/scratch" + suffix;
}
