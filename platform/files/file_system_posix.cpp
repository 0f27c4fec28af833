// The careful file calls (file_system.h) on a POSIX system. A file is
// written relative to its folder's handle, found once by walking the path
// name by name and checking every link met on the way: the folder cannot be
// swapped for a link between the walk and the rename.
#include "platform/files/file_system.h"
#include "platform/platform.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace platform::fs {

namespace {

constexpr int kUniqueNameTries = 100;
constexpr int kMaxLinks = 40;  // as many as the kernel follows on one path

// A folder is held open only to find names in; where the system allows it,
// without reading it, so a folder that may be searched but not listed works.
#if defined(__linux__) && defined(O_PATH)
constexpr int kFolderFlags = O_PATH | O_DIRECTORY | O_CLOEXEC;
#else
constexpr int kFolderFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;
#endif

std::string Reason(int why) {
    return std::strerror(why);
}

std::string Join(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    return folder + (folder.back() == '/' ? "" : "/") + name;
}

// the folder's path one name further (".." taken back), for messages
std::string Step(const std::string& folder, const std::string& name) {
    if (name != "..") return Join(folder, name);
    if (folder == "/") return folder;
    size_t slash = folder.rfind('/');
    bool upward = folder.empty() || folder.compare(slash == std::string::npos ? 0 : slash + 1, 2, "..") == 0;
    if (upward) return Join(folder, name);
    return slash == std::string::npos ? "" : slash == 0 ? "/" : folder.substr(0, slash);
}

// pushes the names of `path` so that the first comes off the back first;
// empty names and "." are left out
void PushNames(const std::string& path, std::vector<std::string>& names) {
    std::vector<std::string> ordered;
    for (size_t start = 0; start <= path.size();) {
        size_t slash = path.find('/', start);
        if (slash == std::string::npos) slash = path.size();
        std::string name = path.substr(start, slash - start);
        if (!name.empty() && name != ".") ordered.push_back(name);
        start = slash + 1;
    }
    names.insert(names.end(), ordered.rbegin(), ordered.rend());
}

// Whether a link met in `folder` may be followed: in a folder others can
// write (sticky, group- or world-writable) only the user's own links are,
// as the kernel's protected_symlinks would have it had it walked the path.
bool MayFollow(int folder, const struct stat& link) {
    struct stat info{};
    if (fstat(folder, &info) != 0) return false;
    bool shared = (info.st_mode & (S_ISVTX | S_IWGRP | S_IWOTH)) != 0;
    return !shared || link.st_uid == geteuid();
}

std::string ReadLinkAt(int folder, const std::string& name) {
    std::vector<char> text(PATH_MAX);
    ssize_t length = readlinkat(folder, name.c_str(), text.data(), text.size());
    if (length <= 0) return "";
    if (static_cast<size_t>(length) >= text.size()) return (errno = ENAMETOOLONG), "";
    return std::string(text.data(), static_cast<size_t>(length));
}

// Where a file is written: its folder, held open, and its name there.
struct Place {
    int folder = -1;
    std::string folderPath;  // for messages; "" = the working folder
    std::string name;
    bool exists = false;
    struct stat info{};  // the file there now, when it exists
};

// Puts the names the link `place.name` holds in front of those left, from
// "/" when it is absolute; false with why when it may not be followed.
bool FollowLink(Place& place, std::vector<std::string>& names, std::string& why) {
    if (!MayFollow(place.folder, place.info)) return (why = "it is a link another user owns in a shared folder"), false;
    std::string text = ReadLinkAt(place.folder, place.name);
    if (text.empty()) return (why = Reason(errno)), false;
    PushNames(text, names);
    if (text[0] != '/') return true;
    close(place.folder);
    place.folder = open("/", kFolderFlags);
    place.folderPath = "/";
    return place.folder >= 0 || ((why = Reason(errno)), false);
}

// Walks `path` name by name from "/" or the working folder, following the
// links the user may follow; false with a few words on why otherwise.
bool FindPlace(const std::string& path, Place& place, std::string& why) {
    std::vector<std::string> names;
    PushNames(path, names);
    bool absolute = !path.empty() && path[0] == '/';
    place.folderPath = absolute ? "/" : "";
    place.folder = open(absolute ? "/" : ".", kFolderFlags);
    auto fail = [&](const std::string& text) {
        if (place.folder >= 0) close(place.folder);
        place.folder = -1;
        why = text;
        return false;
    };
    if (place.folder < 0) return fail(Reason(errno));
    for (int links = 0;;) {
        if (names.empty()) return fail("it is not a regular file");  // the path names a folder
        place.name = names.back();
        names.pop_back();
        place.exists = fstatat(place.folder, place.name.c_str(), &place.info, AT_SYMLINK_NOFOLLOW) == 0;
        if (!place.exists) return errno == ENOENT && names.empty() ? true : fail(Reason(errno));
        if (S_ISLNK(place.info.st_mode)) {
            if (++links > kMaxLinks) return fail(Reason(ELOOP));
            if (!FollowLink(place, names, why)) return fail(why);
            continue;
        }
        if (names.empty()) return true;
        int next = openat(place.folder, place.name.c_str(), kFolderFlags | O_NOFOLLOW);
        if (next < 0) return fail(Reason(errno));
        close(place.folder);
        place.folder = next;
        place.folderPath = Step(place.folderPath, place.name);
    }
}

// ".tmp-" and six random letters or digits, as mkstemp makes them; the
// exclusive create catches the rare one that is taken
std::string UniqueSuffix() {
    static const char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device source;
    std::string suffix = ".tmp-";
    for (int i = 0; i < 6; ++i) suffix += kLetters[source() % (sizeof kLetters - 1)];
    return suffix;
}

// 0 when every byte was written, else the errno of the failure
int WriteAll(int handle, const void* data, size_t size, off_t offset, bool positioned) {
    const char* bytes = static_cast<const char*>(data);
    while (size > 0) {
        ssize_t done = positioned ? pwrite(handle, bytes, size, offset) : write(handle, bytes, size);
        if (done < 0 && errno == EINTR) continue;
        if (done < 0) return errno;
        if (done == 0) return EIO;
        bytes += done;
        size -= static_cast<size_t>(done);
        offset += done;
    }
    return 0;
}

// The step that makes a rename survive a crash of the system.
void SyncFolder(int folder) {
    int handle = openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (handle < 0) return;
    fsync(handle);  // some file systems cannot sync a folder; the rename stands
    close(handle);
}

// Whether $XDG_RUNTIME_DIR can hold a replay's scratch folder: a folder of
// the user's own, private and writable. After `su` it still names the other
// user's folder.
bool UsableRuntimeFolder(const char* path) {
    struct stat info{};
    return path != nullptr && path[0] == '/' && stat(path, &info) == 0 && S_ISDIR(info.st_mode) &&
           info.st_uid == geteuid() && (info.st_mode & 077) == 0 && access(path, W_OK | X_OK) == 0;
}

}  // namespace

bool PendingFile::Begin(const std::string& target, Access access, std::string& error, Durability durability) {
    Abandon();
    writeError_ = 0;
    durability_ = durability;
    keepIfNotRenamed_ = false;
    shown_ = target;
    Place place;
    std::string why;
    if (!FindPlace(target, place, why)) return Fail(error, "cannot write " + target + ": " + why, 0);
    folder_ = place.folder;
    name_ = place.name;
    if (place.exists && !S_ISREG(place.info.st_mode)) {
        return Fail(error, "cannot write " + target + ": it is not a regular file", 0);  // never a device or a pipe
    }
    const int flags = O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC;
    for (int attempt = 0; attempt < kUniqueNameTries && handle_ < 0; ++attempt) {
        temporary_ = name_ + UniqueSuffix();
        handle_ = openat(folder_, temporary_.c_str(), flags, access == Access::Private ? 0600 : 0666);
        if (handle_ < 0 && errno != EEXIST) break;
    }
    if (handle_ < 0) {
        int why = errno;
        return Fail(error, "cannot write " + target, why);
    }
    temporaryPath_ = Join(place.folderPath, temporary_);
    if (place.exists) fchmod(handle_, place.info.st_mode & 07777);
    return true;
}

bool PendingFile::Write(const void* data, size_t size) {
    if (writeError_ == 0) writeError_ = handle_ < 0 ? EBADF : WriteAll(handle_, data, size, 0, false);
    return writeError_ == 0;
}

bool PendingFile::WriteAt(uint64_t offset, const void* data, size_t size) {
    if (writeError_ == 0) {
        writeError_ = handle_ < 0 ? EBADF : WriteAll(handle_, data, size, static_cast<off_t>(offset), true);
    }
    return writeError_ == 0;
}

// The file is synced (when it must survive a crash), renamed over its
// target, and the folder synced: in this order, or the target could be
// replaced by a file whose bytes are not on the disk yet.
bool PendingFile::Commit(std::string& error) {
    if (handle_ < 0) return Fail(error, error.empty() ? "cannot write " + shown_ : error, 0);
    int why = writeError_;
    if (why == 0 && durability_ == Durability::Synced && fsync(handle_) != 0) why = errno;
    if (close(handle_) != 0 && why == 0) why = errno;
    handle_ = -1;
    if (why != 0) {
        unlinkat(folder_, temporary_.c_str(), 0);
        return Fail(error, "cannot write " + shown_, why);
    }
    if (renameat(folder_, temporary_.c_str(), folder_, name_.c_str()) != 0) {
        why = errno;
        if (keepIfNotRenamed_) {
            return Fail(error, "cannot replace " + shown_ + ": " + Reason(why) + "; the finished file is kept as " +
                                   temporaryPath_, 0);
        }
        unlinkat(folder_, temporary_.c_str(), 0);
        return Fail(error, "cannot write " + shown_, why);
    }
    if (durability_ == Durability::Synced) SyncFolder(folder_);
    Abandon();  // closes the folder; the file is in place
    return true;
}

void PendingFile::Abandon() {
    if (handle_ >= 0) {
        close(handle_);
        handle_ = -1;
        unlinkat(folder_, temporary_.c_str(), 0);
    }
    if (folder_ >= 0) close(folder_);
    folder_ = -1;
}

// Sets the one-line error ("WHAT: strerror" when `why` is an errno), lets go
// of the folder and answers false.
bool PendingFile::Fail(std::string& error, const std::string& what, int why) {
    error = why != 0 ? what + ": " + Reason(why) : what;
    Abandon();
    return false;
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
    // room for the whole file at once, and chunks copied in (an insert
    // moves them byte by byte under the sanitizers)
    if (outcome == ReadOutcome::Read) out.reserve(static_cast<size_t>(info.st_size));
    char chunk[16384];
    while (outcome == ReadOutcome::Read) {
        ssize_t got = read(handle, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) outcome = ReadOutcome::Failed;
        if (got <= 0) break;
        if (out.size() + static_cast<size_t>(got) > limit) outcome = ReadOutcome::TooLarge;  // it grew meanwhile
        else {
            size_t at = out.size();
            out.resize(at + static_cast<size_t>(got));
            std::memcpy(out.data() + at, chunk, static_cast<size_t>(got));
        }
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


std::string TemporaryFolder() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (UsableRuntimeFolder(runtime)) return runtime;
    const char* temp = std::getenv("TMPDIR");
    return temp != nullptr && temp[0] == '/' ? temp : "/tmp";
}

std::string SettingsFolder() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config != nullptr && config[0] == '/') return std::string(config) + "/gulpkin/";
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] != '\0') return std::string(home) + "/.config/gulpkin/";
    return "";
}

bool MayKeepFilesBesideProgram(const std::string&) {
    return true;
}

}  // namespace platform::fs

namespace platform {

KeepFileMask::KeepFileMask() : mask_(umask(0)) {
    umask(static_cast<mode_t>(mask_));
}

KeepFileMask::~KeepFileMask() {
    umask(static_cast<mode_t>(mask_));
}

}  // namespace platform
