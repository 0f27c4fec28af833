// The one option table of both programs (see command_line.h): each row is an
// option, the programs that take it, its help line and how it changes the
// command line; the pairs that cannot be used together follow.
#pragma once

#include "settings/settings_table.h"
#include "shell/command_line.h"

#include <span>
#include <string>

// bits of Option::programs
constexpr unsigned kForGame = 1u << static_cast<unsigned>(Program::Game);
constexpr unsigned kForHeadless = 1u << static_cast<unsigned>(Program::Headless);
constexpr unsigned kForBoth = kForGame | kForHeadless;

struct Option {
    const char* name;       // "--scale"
    std::string valueName;  // "fit|integer"; "" = takes no value
    unsigned programs;      // kForGame, kForHeadless or kForBoth
    const char* help;       // one line for --help
    // changes the command line; false = a bad value (nullptr for a setting)
    bool (*apply)(CommandLine& line, const std::string& value);
    // an option of the player's settings: its row and the value it sets
    // (nullptr: the value given)
    const SettingRow* setting = nullptr;
    const char* settingValue = nullptr;
};

// names a setting's value in the command line; false for a value the
// setting does not take
bool ApplyOption(const Option& option, CommandLine& line, const std::string& value);

// two options that cannot be given together
struct OptionConflict {
    const char* first;
    const char* second;
};

// every option, in the order --help lists them
std::span<const Option> OptionTable();
std::span<const OptionConflict> OptionConflicts();
