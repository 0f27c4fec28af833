#pragma once
// Where the tests find the source tree and the built game. The two folders
// are written into one small file that the build generates: every other test
// file then compiles the same in each clone of the tree, and the compile
// cache shares it between clones.
#include <string>

extern const char kSourceDir[];
extern const char kGameDir[];

inline std::string SourceFile(const std::string& relative) { return std::string(kSourceDir) + "/" + relative; }
inline std::string GameFile(const std::string& relative) { return std::string(kGameDir) + "/" + relative; }
