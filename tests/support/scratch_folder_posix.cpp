// Scratch folders on POSIX systems: mkdtemp's private folders, symbolic links
// and the shared-memory folder.
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

std::string QuickScratchFile(const std::string& suffix) {
    const char* dir = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    return std::string(dir) + "/gulpkin-fuzz-" + std::to_string(getpid()) + suffix;
}
