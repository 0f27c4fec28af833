// The careful file calls (file_system.h) on a POSIX system.
#include "media/platform/common/file_system.h"

#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform::fs {

namespace {

constexpr int kUniqueNameTries = 100;

std::string FolderOf(const std::string& path) {
    size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string RealPath(const std::string& path) {
    char* real = realpath(path.c_str(), nullptr);
    if (real == nullptr) return "";
    std::string result = real;
    std::free(real);
    return result;
}

// The file a write replaces: the target's real path when it exists (through
// any links), else its folder's real path and its own name.
std::string RealTarget(const std::string& target) {
    std::string real = RealPath(target);
    if (!real.empty()) return real;
    std::string folder = RealPath(FolderOf(target));
    size_t slash = target.rfind('/');
    std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
    if (folder.empty()) return target;
    return folder + (folder.back() == '/' ? "" : "/") + name;
}

// A name no other run of the game will pick at the same moment; the
// exclusive create catches the rare one that is taken.
std::string UniqueSuffix(int attempt) {
    static unsigned counter = 0;
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    unsigned long mix = static_cast<unsigned long>(now.tv_nsec) ^ (static_cast<unsigned long>(++counter) << 20) ^
                        static_cast<unsigned long>(attempt);
    return ".tmp-" + std::to_string(getpid()) + "-" + std::to_string(mix % 1000000007UL);
}

int CreateExclusively(const std::string& path, Access access) {
    int flags = O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC;
    return open(path.c_str(), flags, access == Access::Private ? 0600 : 0666);
}

bool WriteAll(int handle, const void* data, size_t size, off_t offset, bool positioned) {
    const char* bytes = static_cast<const char*>(data);
    while (size > 0) {
        ssize_t done = positioned ? pwrite(handle, bytes, size, offset) : write(handle, bytes, size);
        if (done < 0 && errno == EINTR) continue;
        if (done <= 0) return false;
        bytes += done;
        size -= static_cast<size_t>(done);
        offset += done;
    }
    return true;
}

void SyncFolder(const std::string& folder) {
    int handle = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (handle < 0) return;
    fsync(handle);  // some file systems cannot sync a folder; the rename stands
    close(handle);
}

}  // namespace

bool PendingFile::Begin(const std::string& target, Access access, const std::string& suffix, std::string& error) {
    Abandon();
    failed_ = false;
    target_ = RealTarget(target);
    struct stat replaced{};
    bool exists = stat(target_.c_str(), &replaced) == 0;
    if (exists && !S_ISREG(replaced.st_mode)) {
        error = "cannot write " + target + ": it is not a regular file";  // never replace a device or a pipe
        return false;
    }
    for (int attempt = 0; attempt < kUniqueNameTries && handle_ < 0; ++attempt) {
        temporary_ = target_ + (suffix.empty() ? UniqueSuffix(attempt) : suffix);
        handle_ = CreateExclusively(temporary_, access);
        if (handle_ >= 0 || errno != EEXIST) break;
        // a leftover of a fixed name (an interrupted run) is removed, never followed
        if (!suffix.empty() && (unlink(temporary_.c_str()) != 0 || attempt > 0)) break;
    }
    if (handle_ < 0) {
        error = "cannot write " + target;
        return false;
    }
    if (exists) fchmod(handle_, replaced.st_mode & 07777);
    return true;
}

bool PendingFile::Write(const void* data, size_t size) {
    if (handle_ < 0 || !WriteAll(handle_, data, size, 0, false)) failed_ = true;
    return !failed_;
}

bool PendingFile::WriteAt(uint64_t offset, const void* data, size_t size) {
    if (handle_ < 0 || !WriteAll(handle_, data, size, static_cast<off_t>(offset), true)) failed_ = true;
    return !failed_;
}

bool PendingFile::Commit() {
    if (handle_ < 0) return false;
    bool ok = !failed_ && fsync(handle_) == 0;
    ok = close(handle_) == 0 && ok;
    handle_ = -1;
    ok = ok && rename(temporary_.c_str(), target_.c_str()) == 0;
    if (!ok) {
        unlink(temporary_.c_str());
        return false;
    }
    SyncFolder(FolderOf(target_));
    return true;
}

void PendingFile::Abandon() {
    if (handle_ < 0) return;
    close(handle_);
    handle_ = -1;
    unlink(temporary_.c_str());
}

ReadOutcome ReadRegularFile(const std::string& path, size_t limit, std::vector<uint8_t>& out) {
    out.clear();
    int handle = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (handle < 0) return errno == ENOENT || errno == ENOTDIR ? ReadOutcome::Missing : ReadOutcome::Failed;
    struct stat info{};
    ReadOutcome outcome = ReadOutcome::Read;
    if (fstat(handle, &info) != 0) outcome = ReadOutcome::Failed;
    else if (!S_ISREG(info.st_mode)) outcome = ReadOutcome::NotRegular;
    else if (static_cast<uint64_t>(info.st_size) > limit) outcome = ReadOutcome::TooLarge;
    char chunk[16384];
    while (outcome == ReadOutcome::Read) {
        ssize_t got = read(handle, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) outcome = ReadOutcome::Failed;
        if (got <= 0) break;
        if (out.size() + static_cast<size_t>(got) > limit) outcome = ReadOutcome::TooLarge;  // it grew meanwhile
        else out.insert(out.end(), chunk, chunk + got);
    }
    close(handle);
    if (outcome != ReadOutcome::Read) out.clear();
    return outcome;
}

bool MakePrivateDirectories(const std::string& path) {
    for (size_t slash = path.find('/', 1); ; slash = path.find('/', slash + 1)) {
        std::string part = path.substr(0, slash);
        if (!part.empty() && mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return false;
        if (slash == std::string::npos) break;
    }
    return IsDirectory(path);
}

std::string MakeUniqueDirectory(const std::string& parent, const std::string& prefix) {
    std::string pattern = parent + (parent.empty() || parent.back() == '/' ? "" : "/") + prefix + "XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    if (mkdtemp(name.data()) == nullptr) return "";
    return std::string(name.data()) + "/";
}

void RemoveDirectoryTree(const std::string& path) {
    int folder = open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (folder < 0) return;
    DIR* entries = fdopendir(folder);
    if (entries == nullptr) {
        close(folder);
        return;
    }
    while (dirent* entry = readdir(entries)) {
        std::string name = entry->d_name;
        if (name != "." && name != "..") unlinkat(folder, name.c_str(), 0);
    }
    closedir(entries);
    rmdir(path.c_str());
}

bool IsDirectory(const std::string& path) {
    struct stat info{};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string ExecutableDirectory() {
    char buffer[4096];
    ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (length <= 0) return "";
    std::string path(buffer, static_cast<size_t>(length));
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? "" : path.substr(0, slash + 1);
}

}  // namespace platform::fs
