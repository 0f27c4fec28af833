// The player's settings, one row each: the key in settings.ini, the values
// it takes, its default, and the command-line options that set it with
// their --help lines. The settings reader and the Alt+Enter writer
// (player_settings.cpp), the option table and --help (the shell) all read
// these rows, so that a setting is spelled once.
#pragma once

#include "settings/player_settings.h"

#include <cstddef>
#include <span>
#include <string>

// A command-line option that sets a setting.
struct SettingOption {
    const char* name;   // "--scale"; nullptr = no option
    const char* value;  // the value it sets; nullptr = the option takes one of the setting's values
    const char* help;   // its line in --help
};

struct SettingRow {
    const char* key;            // "scale"
    const char* values[2];      // the two values of a choice, as listed; {nullptr, nullptr} = a percentage
    const char* defaultValue;   // as written in settings.ini
    const char* trueValue;      // the value of a choice that sets `choice`
    bool PlayerSettings::*choice;
    int PlayerSettings::*percent;
    SettingOption options[2];   // in the order --help lists them
};

// every setting, in the order --help lists their options
std::span<const SettingRow> SettingTable();
// the row the Alt+Enter writer changes
constexpr size_t kDisplaySetting = 0;
// the row of `key`, nullptr when there is none
const SettingRow* FindSetting(const std::string& key);
// the values as --help shows them: "fit|integer", "0..100"
std::string SettingValueNames(const SettingRow& row);
// sets the row's field of `settings` from `value`; false with `problem` set
// ("scale is fit or integer") for a value the row does not take
bool ApplySettingValue(const SettingRow& row, const std::string& value, PlayerSettings& settings,
                       std::string& problem);
// the value of a choice that leaves its field at `on`
const char* ChoiceValue(const SettingRow& row, bool on);
