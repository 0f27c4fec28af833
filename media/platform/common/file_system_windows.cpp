// The careful file calls (file_system.h) on Windows. The game's paths are
// UTF-8 (its manifest makes UTF-8 the code page too); every call here goes
// through the wide-character API, so any folder name works. A file is
// replaced by MoveFileExW, which writes through before it returns.
#include "media/platform/common/file_system.h"

#include <algorithm>
#include <fcntl.h>
#include <io.h>
#include <shlobj.h>
#include <sys/stat.h>
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

// A name no other run of the game will pick at the same moment; the
// exclusive create catches the rare one that is taken.
std::string UniqueSuffix(int attempt) {
    static unsigned counter = 0;
    unsigned long long mix = GetTickCount64() ^ (static_cast<unsigned long long>(++counter) << 20) ^
                             static_cast<unsigned long long>(attempt);
    return ".tmp-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(mix % 1000000007ULL);
}

int CreateExclusively(const std::string& path) {
    return _wopen(Wide(path).c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
                  _S_IREAD | _S_IWRITE);
}

bool WriteAll(int handle, const void* data, size_t size) {
    const char* bytes = static_cast<const char*>(data);
    while (size > 0) {
        unsigned piece = size > (1u << 30) ? (1u << 30) : static_cast<unsigned>(size);
        int done = _write(handle, bytes, piece);
        if (done <= 0) return false;
        bytes += done;
        size -= static_cast<size_t>(done);
    }
    return true;
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

bool PendingFile::Begin(const std::string& target, Access, const std::string& suffix, std::string& error) {
    Abandon();
    failed_ = false;
    target_ = target;
    DWORD attributes = GetFileAttributesW(Wide(target_).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        error = "cannot write " + target + ": it is not a regular file";
        return false;
    }
    for (int attempt = 0; attempt < kUniqueNameTries && handle_ < 0; ++attempt) {
        temporary_ = target_ + (suffix.empty() ? UniqueSuffix(attempt) : suffix);
        handle_ = CreateExclusively(temporary_);
        if (handle_ >= 0 || errno != EEXIST) break;
        // a leftover of a fixed name (an interrupted run) is removed
        if (!suffix.empty() && (_wunlink(Wide(temporary_).c_str()) != 0 || attempt > 0)) break;
    }
    if (handle_ < 0) {
        error = "cannot write " + target;
        return false;
    }
    return true;
}

bool PendingFile::Write(const void* data, size_t size) {
    if (handle_ < 0 || !WriteAll(handle_, data, size)) failed_ = true;
    return !failed_;
}

bool PendingFile::WriteAt(uint64_t offset, const void* data, size_t size) {
    if (handle_ < 0) return !(failed_ = true);
    __int64 end = _lseeki64(handle_, 0, SEEK_END);
    bool ok = _lseeki64(handle_, static_cast<__int64>(offset), SEEK_SET) >= 0 && WriteAll(handle_, data, size) &&
              _lseeki64(handle_, end, SEEK_SET) >= 0;
    if (!ok) failed_ = true;
    return !failed_;
}

bool PendingFile::Commit() {
    if (handle_ < 0) return false;
    bool ok = !failed_ && _commit(handle_) == 0;
    ok = _close(handle_) == 0 && ok;
    handle_ = -1;
    ok = ok && MoveFileExW(Wide(temporary_).c_str(), Wide(target_).c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    if (!ok) _wunlink(Wide(temporary_).c_str());
    return ok;
}

void PendingFile::Abandon() {
    if (handle_ < 0) return;
    _close(handle_);
    handle_ = -1;
    _wunlink(Wide(temporary_).c_str());
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
    char chunk[16384];
    while (outcome == ReadOutcome::Read) {
        DWORD got = 0;
        if (!ReadFile(file, chunk, sizeof chunk, &got, nullptr)) outcome = ReadOutcome::Failed;
        if (got == 0) break;
        if (out.size() + got > limit) outcome = ReadOutcome::TooLarge;  // it grew meanwhile
        else out.insert(out.end(), chunk, chunk + got);
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
        std::string folder = base + UniqueSuffix(attempt).substr(5);
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

// The working folder keeps the player's files when the player may write
// there and it is no installed program's folder: Windows may let an
// administrator write into Program Files, but an installed game must not.
bool MayKeepFilesInWorkingFolder() {
    std::wstring here(32768, L'\0');
    DWORD length = GetCurrentDirectoryW(static_cast<DWORD>(here.size()), here.data());
    if (length == 0 || length >= here.size()) return false;
    here.resize(length);
    if (here.back() != L'\\') here += L'\\';
    return !InProgramFiles(here) && CanCreateBeside("Hit Score.ini");
}

}  // namespace platform::fs
