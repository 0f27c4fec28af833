// The text face on Windows, which has no shared copy of it: the game ships
// DejaVu Sans Bold beside its program; a program of the game kept elsewhere
// (the test programs) finds it in its working directory.
#include "platform/text/text_face.h"

#include <windows.h>

namespace platform {

namespace {

constexpr const char* kFaceName = "DejaVuSans-Bold.ttf";

// the folder of the running program, UTF-8, with a trailing '\', or ""
std::string ProgramFolder() {
    wchar_t wide[32768];
    DWORD length = GetModuleFileNameW(nullptr, wide, sizeof wide / sizeof wide[0]);
    if (length == 0 || length >= sizeof wide / sizeof wide[0]) return "";
    int bytes = WideCharToMultiByte(CP_UTF8, 0, wide, static_cast<int>(length), nullptr, 0, nullptr, nullptr);
    std::string path(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide, static_cast<int>(length), path.data(), bytes, nullptr, nullptr);
    size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? "" : path.substr(0, slash + 1);
}

bool Exists(const std::string& utf8Path) {
    int count = MultiByteToWideChar(CP_UTF8, 0, utf8Path.c_str(), -1, nullptr, 0);
    std::wstring wide(static_cast<size_t>(count), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8Path.c_str(), -1, wide.data(), count);
    DWORD attributes = GetFileAttributesW(wide.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

}  // namespace

std::string TextFacePath() {
    std::string beside = ProgramFolder() + kFaceName;
    return Exists(beside) ? beside : kFaceName;
}

}  // namespace platform
