// The headless driver's script: one command a line, '#' starts a comment.
#include "media/platform/headless/headless.h"

#include <cctype>
#include <cstdlib>
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
    static const char* const verbs[] = {"keys", "joy", "focus", "shot", "dump", "quit", "clear", "call"};
    for (const char* v : verbs) {
        if (verb == v) return true;
    }
    return false;
}

}  // namespace

int ScanCodeForName(const std::string& name) {
    std::string upper;
    for (char c : name) upper += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
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
        if (command.verb == "keys") {
            for (const std::string& key : command.args) {
                if (ScanCodeForName(key) < 0) {
                    error = "line " + std::to_string(number) + ": unknown key " + key;
                    return false;
                }
            }
        }
        out.push_back(std::move(command));
    }
    return true;
}

}  // namespace headless
