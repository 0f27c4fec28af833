// The careful file calls (file_system.h) on Windows. The game's paths are
// UTF-8 (its manifest makes UTF-8 the code page too); every call here goes
// through the wide-character API, so any folder name works. A file is
// replaced by MoveFileExW, which writes through before it returns.
#include "platform/files/file_system.h"
#include "platform/platform.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <io.h>
#include <shlobj.h>
#include <random>
#include <sys/stat.h>
#include <system_error>
#include <windows.h>

namespace platform::fs {

namespace {

constexpr int kUniqueNameTries = 100;

std::wstring Wide(const std::string& text) {
    int count = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, nullptr, 0);
    if (count <= 0) return L"";
    std::wstring wide(static_cast<size_t>(count), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, wide.data(), count);
    wide.pop_back();  // the terminator
    return wide;
}

// UTF-8 with '/' between folders, as the game writes its paths
std::string Narrow(const std::wstring& wide) {
    int bytes = WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0) return "";
    std::string text(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, text.data(), bytes, nullptr, nullptr);
    text.pop_back();
    for (char& c : text) {
        if (c == '\\') c = '/';
    }
    return text;
}

std::string WithSlash(std::string folder) {
    if (!folder.empty() && folder.back() != '/') folder += '/';
    return folder;
}

// ".tmp-" and six random letters or digits; the exclusive create catches the
// rare one that is taken
std::string UniqueSuffix() {
    static const char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device source;
    std::string suffix = ".tmp-";
    for (int i = 0; i < 6; ++i) suffix += kLetters[source() % (sizeof kLetters - 1)];
    return suffix;
}

int CreateExclusively(const std::string& path) {
    return _wopen(Wide(path).c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
                  _S_IREAD | _S_IWRITE);
}

// 0 when every byte was written, else the errno of the failure
int WriteAll(int handle, const void* data, size_t size) {
    const char* bytes = static_cast<const char*>(data);
    while (size > 0) {
        unsigned piece = size > (1u << 30) ? (1u << 30) : static_cast<unsigned>(size);
        int done = _write(handle, bytes, piece);
        if (done < 0) return errno;
        if (done == 0) return EIO;
        bytes += done;
        size -= static_cast<size_t>(done);
    }
    return 0;
}

// whether `path` lies in a folder programs are installed in
bool InProgramFiles(const std::wstring& path) {
    const KNOWNFOLDERID* known[] = {&FOLDERID_ProgramFiles, &FOLDERID_ProgramFilesX86, &FOLDERID_ProgramFilesX64};
    for (const KNOWNFOLDERID* id : known) {
        PWSTR folder = nullptr;
        bool inside = false;
        if (SHGetKnownFolderPath(*id, 0, nullptr, &folder) == S_OK) {
            std::wstring prefix = std::wstring(folder) + L"\\";
            inside = CompareStringOrdinal(path.c_str(), static_cast<int>(std::min(path.size(), prefix.size())),
                                          prefix.c_str(), static_cast<int>(prefix.size()), TRUE) == CSTR_EQUAL &&
                     path.size() >= prefix.size();
        }
        CoTaskMemFree(folder);
        if (inside) return true;
    }
    return false;
}

}  // namespace

bool PendingFile::Begin(const std::string& target, Access, std::string& error, Durability durability) {
    Abandon();
    writeError_ = 0;
    durability_ = durability;
    keepIfNotRenamed_ = false;
    shown_ = name_ = target;
    DWORD attributes = GetFileAttributesW(Wide(target).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return Fail(error, "cannot write " + target + ": it is not a regular file", 0);
    }
    for (int attempt = 0; attempt < kUniqueNameTries && handle_ < 0; ++attempt) {
        temporary_ = temporaryPath_ = target + UniqueSuffix();
        handle_ = CreateExclusively(temporary_);
        if (handle_ < 0 && errno != EEXIST) break;
    }
    if (handle_ < 0) {
        int why = errno;
        return Fail(error, "cannot write " + target, why);
    }
    return true;
}

bool PendingFile::Write(const void* data, size_t size) {
    if (writeError_ == 0) writeError_ = handle_ < 0 ? EBADF : WriteAll(handle_, data, size);
    return writeError_ == 0;
}

bool PendingFile::WriteAt(uint64_t offset, const void* data, size_t size) {
    if (writeError_ != 0) return false;
    if (handle_ < 0) return (writeError_ = EBADF), false;
    __int64 end = _lseeki64(handle_, 0, SEEK_END);
    if (_lseeki64(handle_, static_cast<__int64>(offset), SEEK_SET) < 0) writeError_ = errno;
    if (writeError_ == 0) writeError_ = WriteAll(handle_, data, size);
    if (writeError_ == 0 && _lseeki64(handle_, end, SEEK_SET) < 0) writeError_ = errno;
    return writeError_ == 0;
}

// A synced file is flushed and moved with MOVEFILE_WRITE_THROUGH, which
// returns once the move is on the disk; a capture is only moved.
bool PendingFile::Commit(std::string& error) {
    if (handle_ < 0) return Fail(error, error.empty() ? "cannot write " + shown_ : error, 0);
    bool synced = durability_ == Durability::Synced;
    int why = writeError_;
    if (why == 0 && synced && _commit(handle_) != 0) why = errno;
    if (_close(handle_) != 0 && why == 0) why = errno;
    handle_ = -1;
    if (why != 0) {
        _wunlink(Wide(temporary_).c_str());
        return Fail(error, "cannot write " + shown_, why);
    }
    DWORD flags = MOVEFILE_REPLACE_EXISTING | (synced ? MOVEFILE_WRITE_THROUGH : 0);
    if (!MoveFileExW(Wide(temporary_).c_str(), Wide(name_).c_str(), flags)) {
        std::string reason = std::system_category().message(static_cast<int>(GetLastError()));
        if (keepIfNotRenamed_) {
            return Fail(error, "cannot replace " + shown_ + ": " + reason + "; the finished file is kept as " +
                                   temporaryPath_, 0);
        }
        _wunlink(Wide(temporary_).c_str());
        return Fail(error, "cannot write " + shown_ + ": " + reason, 0);
    }
    return true;
}

void PendingFile::Abandon() {
    if (handle_ < 0) return;
    _close(handle_);
    handle_ = -1;
    _wunlink(Wide(temporary_).c_str());
}

bool PendingFile::Fail(std::string& error, const std::string& what, int why) {
    error = why != 0 ? what + ": " + std::strerror(why) : what;
    Abandon();
    return false;
}

ReadOutcome ReadRegularFile(const std::string& path, size_t limit, std::vector<uint8_t>& out) {
    out.clear();
    std::wstring wide = Wide(path);
    DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        DWORD why = GetLastError();
        return why == ERROR_FILE_NOT_FOUND || why == ERROR_PATH_NOT_FOUND ? ReadOutcome::Missing : ReadOutcome::Failed;
    }
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return ReadOutcome::NotRegular;
    HANDLE file = CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return ReadOutcome::Failed;
    ReadOutcome outcome = ReadOutcome::Read;
    LARGE_INTEGER size{};
    if (GetFileType(file) != FILE_TYPE_DISK) outcome = ReadOutcome::NotRegular;  // a pipe or a device
    else if (!GetFileSizeEx(file, &size)) outcome = ReadOutcome::Failed;
    else if (static_cast<uint64_t>(size.QuadPart) > limit) outcome = ReadOutcome::TooLarge;
    // room for the whole file at once, and chunks copied in (an insert
    // moves them byte by byte under the sanitizers)
    if (outcome == ReadOutcome::Read) out.reserve(static_cast<size_t>(size.QuadPart));
    char chunk[16384];
    while (outcome == ReadOutcome::Read) {
        DWORD got = 0;
        if (!ReadFile(file, chunk, sizeof chunk, &got, nullptr)) outcome = ReadOutcome::Failed;
        if (got == 0) break;
        if (out.size() + got > limit) outcome = ReadOutcome::TooLarge;  // it grew meanwhile
        else {
            size_t at = out.size();
            out.resize(at + got);
            std::memcpy(out.data() + at, chunk, got);
        }
    }
    CloseHandle(file);
    if (outcome != ReadOutcome::Read) out.clear();
    return outcome;
}

// Folders under the user's profile are the user's own already.
bool MakePrivateDirectories(const std::string& path) {
    for (size_t slash = path.find_first_of("/\\", 1);; slash = path.find_first_of("/\\", slash + 1)) {
        std::string part = path.substr(0, slash);
        bool drive = part.size() == 2 && part[1] == ':';
        if (!part.empty() && !drive && !CreateDirectoryW(Wide(part).c_str(), nullptr) &&
            GetLastError() != ERROR_ALREADY_EXISTS) {
            return false;
        }
        if (slash == std::string::npos) break;
    }
    return IsDirectory(path);
}

std::string MakeUniqueDirectory(const std::string& parent, const std::string& prefix) {
    std::string base = WithSlash(parent) + prefix;
    for (int attempt = 0; attempt < kUniqueNameTries; ++attempt) {
        std::string folder = base + UniqueSuffix().substr(5);
        if (CreateDirectoryW(Wide(folder).c_str(), nullptr)) return folder + "/";
        if (GetLastError() != ERROR_ALREADY_EXISTS) break;
    }
    return "";
}

// Links (reparse points) are removed themselves, never followed.
void RemoveDirectoryTree(const std::string& path) {
    std::wstring folder = Wide(WithSlash(path));
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW((folder + L"*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = entry.cFileName;
            if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) DeleteFileW((folder + name).c_str());
        } while (FindNextFileW(search, &entry));
        FindClose(search);
    }
    RemoveDirectoryW(folder.c_str());
}

bool IsDirectory(const std::string& path) {
    DWORD attributes = GetFileAttributesW(Wide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::string ExecutableDirectory() {
    std::wstring path(32768, L'\0');
    DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0 || length >= path.size()) return "";
    path.resize(length);
    std::string text = Narrow(path);
    size_t slash = text.rfind('/');
    return slash == std::string::npos ? "" : text.substr(0, slash + 1);
}

std::string TemporaryFolder() {
    wchar_t path[MAX_PATH + 1];
    DWORD length = GetTempPathW(MAX_PATH + 1, path);
    if (length == 0 || length > MAX_PATH) return ".";
    return Narrow(std::wstring(path, length));
}

std::string SettingsFolder() {
    return "";
}

// The program's folder keeps the player's files when the player may write
// there and it is no installed program's folder: Windows may let an
// administrator write into Program Files, but an installed game must not.
bool MayKeepFilesBesideProgram(const std::string& folder) {
    std::wstring here = Wide(WithSlash(folder));
    for (wchar_t& c : here) {
        if (c == L'/') c = L'\\';
    }
    return !InProgramFiles(here) && CanCreateBeside(WithSlash(folder) + "Hit Score.ini");
}

}  // namespace platform::fs

namespace platform {

// The C runtime's mask only decides whether a file it creates is read-only.
KeepFileMask::KeepFileMask() : mask_(static_cast<unsigned>(_umask(0))) {
    _umask(static_cast<int>(mask_));
}

KeepFileMask::~KeepFileMask() {
    _umask(static_cast<int>(mask_));
}

}  // namespace platform
