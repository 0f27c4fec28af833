// Reading, applying and updating settings.ini; see player_settings.h.
#include "settings/player_settings.h"

#include "sound/audio_output.h"
#include "platform/files/escaped_text.h"
#include "platform/recording.h"
#include "platform/platform.h"
#include "settings/settings_table.h"

#include <iostream>
#include <vector>

namespace {

// The file's text as read at start-up, kept so that a change is written back
// over it without reading the file again (a read in the middle of a game
// would be an answer of the machine, and would land in a recording).
std::string keptText;
// False when a file was there at start-up but was not read (too large, no
// regular file, unreadable): it is never rewritten from what little was read.
bool keptTextIsWhole = true;

std::string Trim(const std::string& text) {
    size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return "";
    size_t last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

// Applies one setting; false with `problem` set when the key or value is bad.
bool ApplySetting(const std::string& key, const std::string& value, PlayerSettings& s, std::string& problem) {
    const SettingRow* row = FindSetting(key);
    if (row == nullptr) {
        problem = "unknown setting " + Quoted(key);
        return false;
    }
    return ApplySettingValue(*row, value, s, problem);
}

bool IsComment(const std::string& line) {
    return line.empty() || line[0] == '#' || line[0] == ';';
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

bool ReplayRunning() {
    journal::Mode mode = journal::CurrentMode();
    return mode == journal::Mode::Replaying || mode == journal::Mode::Stopped;
}

// The player's switch to or from a window, remembered in the file. A replay
// shows someone else's game: it leaves the player's settings alone.
void RememberWindowMode(bool windowed) {
    std::string path = PlayerSettingsPath();
    if (path.empty() || ReplayRunning()) return;
    if (!keptTextIsWhole) {
        std::cerr << "gulpkin: " << Escaped(path)
                  << " was not read, so it is left as it is; the display mode is not remembered\n";
        return;
    }
    const SettingRow& display = SettingTable()[kDisplaySetting];
    std::string text = SetPlayerSetting(keptText, display.key, ChoiceValue(display, windowed));
    std::string error;
    if (!platform::WritePlayerFile(path, text, error)) {
        std::cerr << "gulpkin: " << error << "; the display mode is not remembered\n";
        return;
    }
    keptText = text;
}

}  // namespace

void ParsePlayerSettings(const std::string& text, const std::string& fileName, PlayerSettings& settings,
                         std::ostream& warnings) {
    std::vector<std::string> lines = Lines(text);
    for (size_t i = 0; i < lines.size(); ++i) {
        std::string line = Trim(lines[i]);
        if (IsComment(line)) continue;
        size_t equals = line.find('=');
        std::string problem = "not a 'key = value' line";
        if (equals != std::string::npos &&
            ApplySetting(Trim(line.substr(0, equals)), Trim(line.substr(equals + 1)), settings, problem)) {
            continue;
        }
        warnings << "gulpkin: " << Escaped(fileName) << " line " << i + 1 << " skipped: " << problem << '\n';
    }
}

// The last line of the key is the one the reader keeps, so it is the one changed.
std::string SetPlayerSetting(const std::string& text, const std::string& key, const std::string& value) {
    std::vector<std::string> lines = Lines(text);
    size_t last = lines.size();
    for (size_t i = 0; i < lines.size(); ++i) {
        std::string trimmed = Trim(lines[i]);
        size_t equals = trimmed.find('=');
        if (!IsComment(trimmed) && equals != std::string::npos && Trim(trimmed.substr(0, equals)) == key) last = i;
    }
    if (last == lines.size()) lines.push_back("");
    lines[last] = key + " = " + value;
    std::string result;
    for (const std::string& line : lines) result += line + '\n';
    return result;
}

std::string PlayerSettingsPath() {
    std::string folder = platform::SettingsDirectory();
    return folder.empty() ? "" : folder + "settings.ini";
}

PlayerSettings LoadPlayerSettings(std::ostream& warnings) {
    PlayerSettings settings;
    std::string path = PlayerSettingsPath();
    keptText.clear();
    keptTextIsWhole = true;
    if (path.empty()) return settings;
    platform::PlayerFileRead read = platform::ReadPlayerFile(path, keptText);
    keptTextIsWhole = read != platform::PlayerFileRead::NotRead;
    if (read != platform::PlayerFileRead::Read) return settings;
    ParsePlayerSettings(keptText, path, settings, warnings);
    return settings;
}

void ApplyPlayerSettings(const PlayerSettings& settings) {
    platform::DisplayChoice choice;
    choice.windowed = settings.windowed;
    choice.keepDesktopMode = settings.keepDesktopMode;
    choice.scaling = settings.wholeMultiples ? platform::FrameScaling::WholeMultiples : platform::FrameScaling::Fit;
    platform::ChooseDisplay(choice);
    platform::ListenToWindowMode(RememberWindowMode);
    AllowAudioOutput(settings.sound);
    SetPlayerVolumes(settings.musicVolume, settings.effectsVolume);
}
