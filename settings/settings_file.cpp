// "key = value" settings files. A file being written is kept in memory and
// put in place whole when it is closed, so a crash mid-write never loses the
// previous file.
#include "settings/settings_file.h"

#include "platform/platform.h"

#include <cctype>
#include <vector>

namespace {

// a settings file (the best score) is small; a larger one is not read
constexpr size_t kLargestSettingsFile = 64 * 1024;

enum class FileMode { None, Reading, Writing };

struct SettingsState {
    FileMode mode = FileMode::None;
    std::string path;
    std::vector<uint8_t> text;  // read: the file plus a zero byte; write: the lines
    char comment = ';';
};

SettingsState settings;

bool SameKey(const uint8_t* candidate, size_t length, const std::string& key) {
    if (length != key.size()) return false;
    for (size_t i = 0; i < length; ++i) {
        if (std::tolower(candidate[i]) != std::tolower(static_cast<unsigned char>(key[i]))) return false;
    }
    return true;
}

int32_t ReadValueAt(const uint8_t* at) {
    bool negative = false;
    if (*at == '-' || *at == '+') negative = (*at++ == '-');
    uint32_t value = 0;
    while (*at >= '0' && *at <= '9') value = value * 10u + static_cast<uint32_t>(*at++ - '0');
    return static_cast<int32_t>(negative ? 0u - value : value);
}

// Position after the LF that ends the line holding `at`, and one CR after it.
size_t NextLine(const std::vector<uint8_t>& text, size_t at, size_t end) {
    while (at < end && text[at] != '\n') ++at;
    if (at < end) ++at;
    if (at < end && text[at] == '\r') ++at;
    return at;
}


}  // namespace

void InitSettings() {
    settings = SettingsState{};
}

int OpenSettingsFile(const std::string& path) {
    CloseSettingsFile();
    std::vector<uint8_t> bytes;
    if (!platform::ReadWholeFile(path, bytes, kLargestSettingsFile)) return 0;
    bytes.push_back(0);
    settings.mode = FileMode::Reading;
    settings.path = path;
    settings.text = std::move(bytes);
    return 1;
}

int32_t ReadSettingInt(const std::string& key, int32_t fallback) {
    if (settings.mode != FileMode::Reading || key.empty()) return fallback;
    const std::vector<uint8_t>& text = settings.text;
    const size_t end = text.size() - 1;  // the zero byte
    size_t pos = 0;
    while (pos < end) {
        if (text[pos] == '[') return fallback;
        size_t start = pos;
        while (start < end && text[start] == ' ') ++start;
        if (start < end && text[start] != settings.comment) {
            size_t stop = start;
            while (stop < end && text[stop] != '=' && text[stop] != '\n') ++stop;
            size_t keyEnd = stop;
            while (keyEnd > start && text[keyEnd - 1] == ' ') --keyEnd;
            size_t after = keyEnd;
            while (after < end && text[after] == ' ') ++after;
            if (text[after] == '=' && SameKey(&text[start], keyEnd - start, key)) {
                ++after;
                while (text[after] == ' ') ++after;
                return ReadValueAt(&text[after]);
            }
        }
        pos = NextLine(text, start, end);
    }
    return fallback;
}

int CreateSettingsFile(const std::string& path) {
    CloseSettingsFile();
    if (!platform::CanWriteGameFile(path)) return 0;
    settings.mode = FileMode::Writing;
    settings.path = path;
    settings.text.clear();
    return 1;
}

void WriteSettingInt(const std::string& key, int32_t value) {
    if (settings.mode != FileMode::Writing || key.empty()) return;
    std::string line = key + " = " + std::to_string(value) + "\r\n";
    settings.text.insert(settings.text.end(), line.begin(), line.end());
}

void CloseSettingsFile() {
    if (settings.mode == FileMode::Writing) {
        platform::WriteGameFile(settings.path, settings.text.data(), settings.text.size());
    }
    settings.mode = FileMode::None;
    settings.path.clear();
    settings.text.clear();
    settings.text.shrink_to_fit();
}

void EndSettings() {
    CloseSettingsFile();
}
