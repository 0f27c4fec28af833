// Scenario helpers for the tests.
#include "tests/support/scenario.h"

#include <cctype>
#include <cstdlib>
#include <sstream>

ScenarioResult RunScenario(const std::string& script, HeadlessRun options) {
    options.script = script;
    std::ostringstream out, errors;
    ScenarioResult result;
    result.exitCode = RunHeadless(options, out, errors);
    std::istringstream lines(out.str());
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line[0] == '{') result.dumps.push_back(line);
    }
    result.errors = errors.str();
    return result;
}

namespace {

const Json kNull;

struct Parser {
    const std::string& text;
    size_t at = 0;
    bool failed = false;

    void Blanks() {
        while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at]))) ++at;
    }
    bool Eat(char c) {
        Blanks();
        if (at < text.size() && text[at] == c) {
            ++at;
            return true;
        }
        return false;
    }
    std::string String() {
        std::string out;
        if (!Eat('"')) {
            failed = true;
            return out;
        }
        while (at < text.size() && text[at] != '"') {
            if (text[at] == '\\' && at + 1 < text.size()) ++at;
            out += text[at++];
        }
        ++at;
        return out;
    }
    Json Value() {
        Json v;
        Blanks();
        if (at >= text.size()) {
            failed = true;
            return v;
        }
        char c = text[at];
        if (c == '{') {
            v.kind = Json::Kind::Object;
            ++at;
            if (Eat('}')) return v;
            do {
                std::string key = String();
                if (!Eat(':')) failed = true;
                v.members.emplace_back(key, Value());
            } while (!failed && Eat(','));
            if (!Eat('}')) failed = true;
        } else if (c == '[') {
            v.kind = Json::Kind::Array;
            ++at;
            if (Eat(']')) return v;
            do {
                v.items.push_back(Value());
            } while (!failed && Eat(','));
            if (!Eat(']')) failed = true;
        } else if (c == '"') {
            v.kind = Json::Kind::String;
            v.text = String();
        } else if (c == 'n' && text.compare(at, 4, "null") == 0) {
            at += 4;
        } else {
            char* end = nullptr;
            v.number = std::strtod(text.c_str() + at, &end);
            if (end == text.c_str() + at) failed = true;
            at = static_cast<size_t>(end - text.c_str());
            v.kind = Json::Kind::Number;
        }
        return v;
    }
};

}  // namespace

const Json& Json::operator[](const std::string& key) const {
    for (const auto& member : members) {
        if (member.first == key) return member.second;
    }
    return kNull;
}

const Json& Json::operator[](size_t index) const {
    return index < items.size() ? items[index] : kNull;
}

Json ParseJson(const std::string& text) {
    Parser parser{text};
    Json value = parser.Value();
    return parser.failed ? Json{} : value;
}

#include "platform/platform.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/tree_folders.h"

#include <filesystem>

ScratchGameDir::ScratchGameDir() {
    namespace fs = std::filesystem;
    previous_ = fs::current_path().string();
    path_ = MakeScratchFolder("gulpkin-test");
    if (path_.empty()) return;  // the test runs where it is, and says why it fails
    // the text face lies in the game directory only where the system has no
    // shared copy (Windows)
    for (const char* name : {"graph", "font", "wav", "music", "DejaVuSans-Bold.ttf"}) {
        fs::path source = fs::path(kGameDir) / name;
        if (fs::exists(source)) ShowPathAt(source.string(), (fs::path(path_) / name).string());
    }
    fs::current_path(path_);
    platform::UseAssetDirectory(path_);
}

ScratchGameDir::~ScratchGameDir() {
    namespace fs = std::filesystem;
    std::error_code ignored;
    fs::current_path(previous_, ignored);
    if (!path_.empty()) fs::remove_all(path_, ignored);
    platform::UseAssetDirectory(kGameDir);
}
