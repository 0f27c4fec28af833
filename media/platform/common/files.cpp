// Files for both backends: where the game's files live, read whole, written
// safely.
#include "media/platform/common/file_system.h"
#include "media/platform/common/file_written.h"
#include "media/platform/recording.h"
#include "media/platform/machine.h"
#include "media/platform/platform.h"

#include <cstdlib>
#include <iostream>
#include <string>

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

// the player's own files (settings, pad mappings) are read whole up to this size
constexpr size_t kSmallFileLimit = 64 * 1024;

bool HoldsAssetPack(const std::string& prefix) {
    return platform::fs::IsDirectory(prefix + "graph");
}

// started from its own directory, which may keep the player's files
bool StartedInOwnFolder() {
    return HoldsAssetPack("") && platform::fs::MayKeepFilesInWorkingFolder();
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
        if (!StartedInOwnFolder() && scratch.empty()) paths.user = platform::UserDataDirectory();
        return;
    }
    if (StartedInOwnFolder()) return;
    std::string beside = platform::fs::ExecutableDirectory();
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

// One line on stderr for a file that is there but is not read: a pipe, a
// device or a huge file is never waited on or swallowed whole.
void WarnUnread(const std::string& hostPath, platform::fs::ReadOutcome outcome) {
    if (outcome == platform::fs::ReadOutcome::Read || outcome == platform::fs::ReadOutcome::Missing) return;
    std::cerr << "gulpkin: " << hostPath << " " << platform::fs::ReadProblem(outcome) << "; not read\n";
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

// Where the system keeps no settings folder apart, the settings go with the
// best score and the capture.
std::string SettingsDirectory() {
    std::string folder = fs::SettingsFolder();
    if (!folder.empty()) return folder;
    ChooseDataPaths();
    return paths.user.empty() ? "./" : paths.user;
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

bool machine::ReadWholeFile(const std::string& gamePath, std::vector<uint8_t>& out, size_t limit) {
    std::string hostPath = HostPath(gamePath);
    fs::ReadOutcome outcome = fs::ReadRegularFile(hostPath, limit, out);
    WarnUnread(hostPath, outcome);
    return outcome == fs::ReadOutcome::Read;
}

bool ReadPlayerFile(const std::string& path, std::string& text) {
    std::vector<uint8_t> bytes;
    fs::ReadOutcome outcome = fs::ReadRegularFile(path, kSmallFileLimit, bytes);
    WarnUnread(path, outcome);
    text.assign(bytes.begin(), bytes.end());
    return outcome == fs::ReadOutcome::Read;
}

bool WritePlayerFile(const std::string& path, const std::string& text) {
    size_t slash = path.rfind('/');
    if (slash != std::string::npos && slash > 0 && !fs::MakePrivateDirectories(path.substr(0, slash))) return false;
    if (!fs::WriteFileSafely(path, text.data(), text.size(), fs::Access::Private)) return false;
    platform::TellFileWritten(path);
    return true;
}

bool WriteGameFile(const std::string& gamePath, const void* data, size_t size) {
    std::string target = HostPath(gamePath);
    if (!fs::WriteFileSafely(target, data, size, fs::Access::Shared)) return false;
    platform::TellFileWritten(target);
    return true;
}

bool CanWriteGameFile(const std::string& gamePath) {
    return fs::CanCreateBeside(HostPath(gamePath));
}

}  // namespace platform
