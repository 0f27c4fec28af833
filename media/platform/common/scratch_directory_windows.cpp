// The replay's scratch folder on Windows: gulpkin-replay\ in the player's own
// temporary folder (%TEMP%, under the user's profile, which other users
// cannot reach).
#include "media/platform/common/scratch_directory.h"

#include <windows.h>

namespace platform {

bool MakeScratchDirectory(std::string& directory) {
    wchar_t wide[MAX_PATH + 1];
    DWORD length = GetTempPathW(MAX_PATH + 1, wide);
    if (length == 0 || length > MAX_PATH) return (directory = "%TEMP%\\gulpkin-replay\\"), false;
    std::wstring folder = std::wstring(wide, length) + L"gulpkin-replay\\";
    int bytes = WideCharToMultiByte(CP_UTF8, 0, folder.c_str(), -1, nullptr, 0, nullptr, nullptr);
    directory.assign(static_cast<size_t>(bytes > 0 ? bytes - 1 : 0), '\0');
    WideCharToMultiByte(CP_UTF8, 0, folder.c_str(), -1, directory.data(), bytes, nullptr, nullptr);
    return CreateDirectoryW(folder.c_str(), nullptr) != 0 || GetLastError() == ERROR_ALREADY_EXISTS;
}

}  // namespace platform
