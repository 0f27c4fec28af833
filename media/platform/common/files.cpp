// Files for both backends: game paths with backslashes, read whole, written
// safely.
#include "media/platform/platform.h"

#include <cstdio>
#include <string>
#include <unistd.h>

namespace platform {

std::string HostPath(const std::string& gamePath) {
    std::string path = gamePath;
    for (char& c : path) {
        if (c == '\\') c = '/';
    }
    return path;
}

bool ReadWholeFile(const std::string& gamePath, std::vector<uint8_t>& out) {
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

static bool WriteTo(const std::string& hostPath, const void* data, size_t size, bool sync) {
    std::FILE* file = std::fopen(hostPath.c_str(), "wb");
    if (!file) return false;
    bool ok = size == 0 || std::fwrite(data, 1, size, file) == size;
    ok = (std::fflush(file) == 0) && ok;
    if (ok && sync) ok = fsync(fileno(file)) == 0;
    ok = (std::fclose(file) == 0) && ok;
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
    return true;
}

bool WriteWholeFile(const std::string& gamePath, const void* data, size_t size) {
    return WriteTo(HostPath(gamePath), data, size, false);
}

}  // namespace platform
