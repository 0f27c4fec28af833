// The headless driver's script: one command a line, '#' starts a comment.
#include "platform/headless/headless.h"

#include <cctype>
#include <cstdlib>
#include <iterator>
#include <sstream>

namespace headless {

namespace {

struct KeyName {
    const char* name;
    int code;
};

constexpr KeyName kKeyNames[] = {
    {"ESC", 0x01},  {"SPACE", 0x39}, {"F1", 0x3B},   {"F2", 0x3C},    {"F3", 0x3D},   {"F10", 0x44},
    {"F11", 0x57},  {"F12", 0x58},   {"UP", 0xC8},   {"LEFT", 0xCB},  {"RIGHT", 0xCD}, {"DOWN", 0xD0},
};

// A game controller's buttons in SDL's order: the game's button n is the
// n-th name; the D-pad's four are its directions.
constexpr const char* kPadButtonNames[] = {"A",         "B",          "X",            "Y",
                                           "BACK",      "GUIDE",      "START",        "LEFTSTICK",
                                           "RIGHTSTICK", "LEFTSHOULDER", "RIGHTSHOULDER", "UP",
                                           "DOWN",      "LEFT",       "RIGHT"};

std::string Upper(const std::string& text) {
    std::string upper;
    for (char c : text) upper += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return upper;
}

std::string Unknown(int line, const char* what, const std::string& name) {
    return "line " + std::to_string(line) + ": unknown " + what + " " + name;
}

bool IsNumber(const std::string& text) {
    if (text.empty()) return false;
    size_t start = (text[0] == '-') ? 1 : 0;
    if (start == text.size()) return false;
    for (size_t i = start; i < text.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(text[i]))) return false;
    }
    return true;
}

bool KnownVerb(const std::string& verb) {
    static const char* const verbs[] = {"keys", "joy", "pad", "focus", "shot", "dump", "quit", "clear", "call"};
    for (const char* v : verbs) {
        if (verb == v) return true;
    }
    return false;
}

}  // namespace

int PadButtonForName(const std::string& name) {
    std::string upper = Upper(name);
    for (int i = 0; i < static_cast<int>(std::size(kPadButtonNames)); ++i) {
        if (upper == kPadButtonNames[i]) return i + 1;
    }
    return -1;
}

int ScanCodeForName(const std::string& name) {
    std::string upper = Upper(name);
    for (const KeyName& key : kKeyNames) {
        if (upper == key.name) return key.code;
    }
    if (IsNumber(name)) {
        long code = std::strtol(name.c_str(), nullptr, 10);
        if (code >= 0 && code < 256) return static_cast<int>(code);
    }
    return -1;
}

bool ParseScript(const std::string& text, std::vector<Command>& out, std::string& error) {
    std::istringstream lines(text);
    std::string line;
    int number = 0;
    while (std::getline(lines, line)) {
        ++number;
        size_t hash = line.find('#');
        if (hash != std::string::npos) line.erase(hash);
        std::istringstream words(line);
        std::string frame;
        if (!(words >> frame)) continue;
        Command command;
        if (!IsNumber(frame) || frame[0] == '-' || !(words >> command.verb) || !KnownVerb(command.verb)) {
            error = "line " + std::to_string(number) + ": expected '<frame> <command> ...'";
            return false;
        }
        command.frame = std::strtoll(frame.c_str(), nullptr, 10);
        for (std::string word; words >> word;) command.args.push_back(word);
        for (const std::string& name : command.args) {
            if (command.verb == "keys" && ScanCodeForName(name) < 0) return (error = Unknown(number, "key", name)), false;
            if (command.verb == "pad" && PadButtonForName(name) < 0) {
                return (error = Unknown(number, "pad button", name)), false;
            }
        }
        out.push_back(std::move(command));
    }
    return true;
}

}  // namespace headless
