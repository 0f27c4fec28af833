// Files for both backends: where the game's files live, read whole, written
// safely.
#include "media/platform/journal/journal.h"
#include "media/platform/machine.h"
#include "media/platform/platform.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#ifdef __EMSCRIPTEN__
#include <emscripten.h>
#endif

#ifndef GULPKIN_INSTALLED_DATA_DIR
#define GULPKIN_INSTALLED_DATA_DIR "/usr/local/share/games/gulpkin"
#endif
// the asset pack of an installed game, relative to its program's directory
#ifndef GULPKIN_DATA_FROM_BINARY
#define GULPKIN_DATA_FROM_BINARY "../share/games/gulpkin/"
#endif

namespace {

struct DataPaths {
    bool chosen = false;
    std::string assets;  // prefix of the asset pack, "" = working directory
    std::string user;    // prefix of written files, "" = working directory
};

DataPaths paths;
std::string assetDirectory;  // the asset pack's place when the player named it, with '/'

bool HoldsAssetPack(const std::string& prefix) {
    struct stat info{};
    return stat((prefix + "graph").c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string ExecutableDirectory() {
    char buffer[4096];
    ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (length <= 0) return "";
    std::string path(buffer, static_cast<size_t>(length));
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? "" : path.substr(0, slash + 1);
}

void ChooseDataPaths() {
    if (paths.chosen) return;
    paths.chosen = true;
    // A replay writes its files (a best score, a capture) to a scratch
    // directory, never over the player's own.
    std::string scratch = journal::ScratchDirectory();
    if (!scratch.empty()) paths.user = scratch;
    if (!assetDirectory.empty()) {
        paths.assets = assetDirectory;
        if (!HoldsAssetPack("") && scratch.empty()) paths.user = platform::UserDataDirectory();
        return;
    }
    if (HoldsAssetPack("")) return;  // started from its own directory
    std::string beside = ExecutableDirectory();
    std::string installed = std::string(GULPKIN_INSTALLED_DATA_DIR) + "/";
    std::string relocated = beside + GULPKIN_DATA_FROM_BINARY;  // an install under any prefix
    if (!beside.empty() && HoldsAssetPack(beside)) {
        paths.assets = beside;
    } else if (!beside.empty() && HoldsAssetPack(relocated)) {
        paths.assets = relocated;
    } else if (HoldsAssetPack(installed)) {
        paths.assets = installed;
    }
    if (scratch.empty()) paths.user = platform::UserDataDirectory();
}

bool IsAssetPath(const std::string& path) {
    for (const char* dir : {"graph/", "font/", "wav/", "music/"}) {
        if (path.rfind(dir, 0) == 0) return true;
    }
    return false;
}

// In a browser the page keeps written files in its storage and offers a
// capture as a download; it is told of every file written.
void NoteFileWritten([[maybe_unused]] const std::string& hostPath) {
#ifdef __EMSCRIPTEN__
    EM_ASM({ if (Module.onFileWritten) Module.onFileWritten(UTF8ToString($0)); }, hostPath.c_str());
#endif
}

bool WriteTo(const std::string& hostPath, const void* data, size_t size, bool sync) {
    std::FILE* file = std::fopen(hostPath.c_str(), "wb");
    if (!file) return false;
    bool ok = size == 0 || std::fwrite(data, 1, size, file) == size;
    ok = (std::fflush(file) == 0) && ok;
    if (ok && sync) ok = fsync(fileno(file)) == 0;
    ok = (std::fclose(file) == 0) && ok;
    return ok;
}

}  // namespace

namespace platform {

std::string HostPath(const std::string& gamePath) {
    std::string path = gamePath;
    for (char& c : path) {
        if (c == '\\') c = '/';
    }
    if (path.empty() || path[0] == '/') return path;
    ChooseDataPaths();
    return (IsAssetPath(path) ? paths.assets : paths.user) + path;
}

bool machine::IsAssetFile(const std::string& gamePath) {
    std::string path = gamePath;
    for (char& c : path) {
        if (c == '\\') c = '/';
    }
    return IsAssetPath(path);
}

std::string SettingsDirectory() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config != nullptr && config[0] == '/') return std::string(config) + "/gulpkin/";
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] != '\0') return std::string(home) + "/.config/gulpkin/";
    return "";
}

bool UseAssetDirectory(const std::string& directory) {
    std::string prefix = directory.empty() || directory.back() == '/' ? directory : directory + "/";
    if (prefix.empty() || !HoldsAssetPack(prefix)) return false;
    assetDirectory = prefix;
    paths = DataPaths{};
    return true;
}

void ForgetDataPaths() {
    paths = DataPaths{};
}

bool machine::ReadWholeFile(const std::string& gamePath, std::vector<uint8_t>& out) {
    std::FILE* file = std::fopen(HostPath(gamePath).c_str(), "rb");
    if (!file) return false;
    out.clear();
    uint8_t chunk[65536];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) out.insert(out.end(), chunk, chunk + got);
    bool ok = !std::ferror(file);
    std::fclose(file);
    return ok;
}

bool WriteFileAtomically(const std::string& gamePath, const void* data, size_t size) {
    std::string target = HostPath(gamePath);
    std::string temporary = target + ".new";
    if (!WriteTo(temporary, data, size, true)) {
        std::remove(temporary.c_str());
        return false;
    }
    if (std::rename(temporary.c_str(), target.c_str()) != 0) {
        std::remove(temporary.c_str());
        return false;
    }
    NoteFileWritten(target);
    return true;
}

bool WriteWholeFile(const std::string& gamePath, const void* data, size_t size) {
    std::string target = HostPath(gamePath);
    if (!WriteTo(target, data, size, false)) return false;
    NoteFileWritten(target);
    return true;
}

}  // namespace platform
