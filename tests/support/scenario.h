// Scenario helpers: run the whole game on the headless backend from a script
// and read what the dumps report.
#pragma once

#include "shell/headless/driver.h"

#include <string>
#include <vector>

struct ScenarioResult {
    int exitCode = -1;
    std::vector<std::string> dumps;  // one JSON line per "dump" command
    std::string errors;
};

// Runs the game with this script and these options in the current directory.
ScenarioResult RunScenario(const std::string& script, HeadlessRun options = {});

// A parsed JSON value; enough for the dump lines.
struct Json {
    enum class Kind { Null, Number, String, Array, Object } kind = Kind::Null;
    double number = 0;
    std::string text;
    std::vector<Json> items;                              // array items
    std::vector<std::pair<std::string, Json>> members;    // object members

    // member by key, or a null value
    const Json& operator[](const std::string& key) const;
    // array item by index, or a null value
    const Json& operator[](size_t index) const;
    long long Int() const { return static_cast<long long>(number); }
};

// Parses one JSON text; a malformed text gives a null value.
Json ParseJson(const std::string& text);

// A scratch working directory for one test: the asset pack of the built game
// (and the text face, where the game carries it) linked or copied in, nothing
// else ("Hit Score.ini" and captures land here). The test runs inside it,
// with the asset pack taken from it, until the object goes away.
class ScratchGameDir {
public:
    ScratchGameDir();
    ~ScratchGameDir();
    ScratchGameDir(const ScratchGameDir&) = delete;
    ScratchGameDir& operator=(const ScratchGameDir&) = delete;
    const std::string& Path() const { return path_; }

private:
    std::string path_;
    std::string previous_;
};
