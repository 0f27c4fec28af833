// The options of gulpkin and gulpkin-headless, one row each.
#include "shell/option_table.h"

#include "core/game_state.h"

#include <charconv>
#include <climits>
#include <iterator>
#include <vector>

namespace {

// A whole decimal number in [low, high], digits only: "", "+5", "5x" and
// "abc" are refused rather than read as 0.
template <typename Number>
bool ReadNumber(const std::string& text, long long low, long long high, Number& out) {
    long long value = 0;
    const char* end = text.data() + text.size();
    auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || text[0] == '-' || error != std::errc{} || stop != end || value < low || value > high) {
        return false;
    }
    out = static_cast<Number>(value);
    return true;
}

bool Set(bool& field) {
    field = true;
    return true;
}

bool SetPath(std::string& field, const std::string& value) {
    field = value;
    return !value.empty();
}

// the options before the settings' options, and those after
const Option kFirstOptions[] = {
    {"--help", "", kForBoth, "show this help and exit (also -h)",
     [](CommandLine& line, const std::string&) { return Set(line.help); }},
    {"--version", "", kForBoth, "show the version and exit",
     [](CommandLine& line, const std::string&) { return Set(line.version); }},
};

const Option kLastOptions[] = {    {"--data", "DIR", kForGame, "take the asset pack (graph, font, wav, music) from DIR",
     [](CommandLine& line, const std::string& value) { return SetPath(line.dataDirectory, value); }},
    {"--script", "FILE", kForHeadless, "steer the game by the script in FILE",
     [](CommandLine& line, const std::string& value) { return SetPath(line.scriptPath, value); }},
    {"--max-frames", "N", kForHeadless, "end the run after N presented frames",
     [](CommandLine& line, const std::string& value) { return ReadNumber(value, 0, LLONG_MAX, line.maxFrames); }},
    {"--start-tick", "T", kForHeadless, "start the virtual clock at T milliseconds",
     [](CommandLine& line, const std::string& value) { return ReadNumber(value, 0, UINT_MAX, line.startTick); }},
    {"--joystick", "", kForHeadless, "attach a joystick the script moves",
     [](CommandLine& line, const std::string&) { return Set(line.joystick); }},
    {"--level", "N", kForHeadless, "skip the title and play level N (1 to 30)",
     [](CommandLine& line, const std::string& value) { return ReadNumber(value, 1, kLevels, line.level); }},
    {"--audio", "FILE", kForHeadless, "write everything played to FILE as a WAV file",
     [](CommandLine& line, const std::string& value) { return SetPath(line.audioPath, value); }},
    {"--record", "FILE", kForBoth, "record the game to FILE, to be replayed exactly",
     [](CommandLine& line, const std::string& value) { return SetPath(line.recordPath, value); }},
    {"--replay", "FILE", kForBoth, "replay the recording in FILE",
     [](CommandLine& line, const std::string& value) { return SetPath(line.replayPath, value); }},
};

// A replay plays the recording's own game: nothing else can be recorded,
// and the level it starts at is the recording's.
const OptionConflict kConflicts[] = {
    {"--record", "--replay"},
    {"--level", "--replay"},
};

std::vector<Option> MakeOptionTable() {
    std::vector<Option> table(std::begin(kFirstOptions), std::end(kFirstOptions));
    for (const SettingRow& row : SettingTable()) {
        for (const SettingOption& option : row.options) {
            if (option.name == nullptr) continue;
            std::string valueName = option.value == nullptr ? SettingValueNames(row) : "";
            table.push_back({option.name, valueName, kForGame, option.help, nullptr, &row, option.value});
        }
    }
    table.insert(table.end(), std::begin(kLastOptions), std::end(kLastOptions));
    return table;
}

}  // namespace

std::span<const Option> OptionTable() {
    static const std::vector<Option> table = MakeOptionTable();
    return table;
}

bool ApplyOption(const Option& option, CommandLine& line, const std::string& value) {
    if (option.setting == nullptr) return option.apply(line, value);
    std::string given = option.settingValue != nullptr ? option.settingValue : value;
    PlayerSettings check;
    std::string problem;
    if (!ApplySettingValue(*option.setting, given, check, problem)) return false;
    line.settings.emplace_back(option.setting->key, given);
    return true;
}

std::span<const OptionConflict> OptionConflicts() {
    return kConflicts;
}
