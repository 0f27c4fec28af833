// The player's settings, one row each; see settings_table.h.
#include "settings/settings_table.h"

#include <charconv>
#include <cstring>

namespace {

const SettingRow kSettings[] = {
    {"display", {"window", "fullscreen"}, "fullscreen", "window", &PlayerSettings::windowed, nullptr,
     {{"--window", "window", "play in a window"}, {"--fullscreen", "fullscreen", "play full screen"}}},
    {"scale", {"fit", "integer"}, "fit", "integer", &PlayerSettings::wholeMultiples, nullptr,
     {{"--scale", nullptr, "scale the picture to fit, or by the largest whole multiple that fits"}}},
    {"refresh", {"75", "desktop"}, "75", "desktop", &PlayerSettings::keepDesktopMode, nullptr,
     {{"--refresh", nullptr, "switch the full screen to 75 Hz, or keep the desktop's display mode"}}},
    {"music_volume", {nullptr, nullptr}, "100", nullptr, nullptr, &PlayerSettings::musicVolume, {}},
    {"effects_volume", {nullptr, nullptr}, "100", nullptr, nullptr, &PlayerSettings::effectsVolume, {}},
    {"sound", {"on", "off"}, "on", "on", &PlayerSettings::sound, nullptr,
     {{"--no-sound", "off", "play without sound"}}},
};

bool Percent(const std::string& value, int& out) {
    int number = -1;
    auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
    if (error != std::errc{} || end != value.data() + value.size() || number < 0 || number > 100) return false;
    out = number;
    return true;
}

}  // namespace

std::span<const SettingRow> SettingTable() {
    return kSettings;
}

const SettingRow* FindSetting(const std::string& key) {
    for (const SettingRow& row : kSettings) {
        if (key == row.key) return &row;
    }
    return nullptr;
}

std::string SettingValueNames(const SettingRow& row) {
    if (row.choice == nullptr) return "0..100";
    return std::string(row.values[0]) + "|" + row.values[1];
}

bool ApplySettingValue(const SettingRow& row, const std::string& value, PlayerSettings& settings,
                       std::string& problem) {
    if (row.choice == nullptr) {
        problem = std::string(row.key) + " is a whole number from 0 to 100";
        return Percent(value, settings.*row.percent);
    }
    problem = std::string(row.key) + " is " + row.values[0] + " or " + row.values[1];
    if (value != row.values[0] && value != row.values[1]) return false;
    settings.*row.choice = value == row.trueValue;
    return true;
}

const char* ChoiceValue(const SettingRow& row, bool on) {
    bool firstIsTrue = std::strcmp(row.values[0], row.trueValue) == 0;
    return row.values[on == firstIsTrue ? 0 : 1];
}
