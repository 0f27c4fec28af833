// Files for both backends: where the game's files live, read whole, written
// safely.
#include "platform/files/escaped_text.h"
#include "platform/files/file_system.h"
#include "platform/files/file_written.h"
#include "platform/recording.h"
#include "platform/machine.h"
#include "platform/platform.h"

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
    std::string assets;  // prefix of the asset pack
    std::string user;    // prefix of written files, "" = working directory
};

DataPaths paths;
std::string assetDirectory;  // the asset pack's place when the player named it, with '/'

// the player's own files (settings, pad mappings) are read whole up to this size
constexpr size_t kSmallFileLimit = 64 * 1024;

bool HoldsAssetPack(const std::string& prefix) {
    return platform::fs::IsDirectory(prefix + "graph");
}

// The asset pack: the one the player named (--data), else the one beside the
// program, else the installed one found from the program or at its usual
// place; when there is none, the program's own folder is named. The working folder is never looked at: whoever made the folder the
// game is started in could have put a "graph" there.
std::string FindAssetPack(const std::string& beside) {
    if (!assetDirectory.empty()) return assetDirectory;
    std::string relocated = beside + GULPKIN_DATA_FROM_BINARY;  // an install under any prefix
    if (!beside.empty() && HoldsAssetPack(beside)) return beside;
    if (!beside.empty() && HoldsAssetPack(relocated)) return relocated;
    // else nothing loads, and the game says so, naming the installed place
    // when there is one, or the program's own folder (a lone program)
    std::string installed = std::string(GULPKIN_INSTALLED_DATA_DIR) + "/";
    if (beside.empty() || platform::fs::IsDirectory(installed)) return installed;
    return beside;
}

// The files the game writes (a best score, a capture): a replay's scratch
// folder; the working folder for a backend that keeps them there; beside
// the program when its pack lies there, so that a built or unpacked game
// keeps a best score of its own; else the player's own data folder.
std::string FindUserFolder(const std::string& beside, const std::string& scratch) {
    if (!scratch.empty()) return scratch;
    if (platform::KeepsFilesInWorkingFolder()) return "";
    if (!beside.empty() && HoldsAssetPack(beside) && platform::fs::MayKeepFilesBesideProgram(beside)) return beside;
    return platform::UserDataDirectory();
}

void ChooseDataPaths() {
    if (paths.chosen) return;
    paths.chosen = true;
    std::string beside = platform::fs::ExecutableDirectory();
    paths.assets = FindAssetPack(beside);
    paths.user = FindUserFolder(beside, journal::ScratchDirectory());
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
    std::cerr << "gulpkin: " << Escaped(hostPath) << " " << platform::fs::ReadProblem(outcome) << "; not read\n";
}

bool WriteBesideGame(const std::string& gamePath, const void* data, size_t size, platform::fs::Durability durability,
                     std::string* error) {
    std::string target = platform::HostPath(gamePath);
    std::string problem;
    if (!platform::fs::WriteFileSafely(target, data, size, platform::fs::Access::Shared, problem, durability)) {
        if (error != nullptr) *error = problem;
        return false;
    }
    platform::TellFileWritten(target);
    return true;
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

std::string AssetPackFolder() {
    ChooseDataPaths();
    if (!paths.assets.empty() || HoldsAssetPack("")) return paths.assets;
    return fs::ExecutableDirectory();
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

PlayerFileRead ReadPlayerFile(const std::string& path, std::string& text) {
    std::vector<uint8_t> bytes;
    fs::ReadOutcome outcome = fs::ReadRegularFile(path, kSmallFileLimit, bytes);
    WarnUnread(path, outcome);
    text.assign(bytes.begin(), bytes.end());
    if (outcome == fs::ReadOutcome::Read) return PlayerFileRead::Read;
    return outcome == fs::ReadOutcome::Missing ? PlayerFileRead::Missing : PlayerFileRead::NotRead;
}

bool WritePlayerFile(const std::string& path, const std::string& text, std::string& error) {
    size_t slash = path.rfind('/');
    if (slash != std::string::npos && slash > 0 && !fs::MakePrivateDirectories(path.substr(0, slash))) {
        error = "cannot make the folder of " + path;
        return false;
    }
    if (!fs::WriteFileSafely(path, text.data(), text.size(), fs::Access::Private, error)) return false;
    platform::TellFileWritten(path);
    return true;
}

bool WriteGameFile(const std::string& gamePath, const void* data, size_t size, std::string* error) {
    return WriteBesideGame(gamePath, data, size, fs::Durability::Synced, error);
}

bool WriteCaptureFile(const std::string& gamePath, const void* data, size_t size, std::string* error) {
    return WriteBesideGame(gamePath, data, size, fs::Durability::Atomic, error);
}

bool CanWriteGameFile(const std::string& gamePath) {
    return fs::CanCreateBeside(HostPath(gamePath));
}

}  // namespace platform
