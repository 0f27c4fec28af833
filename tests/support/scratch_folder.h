// Scratch files and folders for the tests, made the way each system allows:
// the POSIX and Windows variants are scratch_folder_posix.cpp and
// scratch_folder_windows.cpp.
#pragma once

#include <string>

// Makes a new folder that only this user can reach, under the system's folder
// for temporary files, named NAME-<something unique>; gives its path, or an
// empty string when none could be made.
std::string MakeScratchFolder(const std::string& name);

// Makes the file or folder TARGET appear at LINK: a link where any user may
// make one, a copy where links need special rights.
void ShowPathAt(const std::string& target, const std::string& link);

// A path for a short-lived file of this process, ending in SUFFIX, in a
// folder of its own that only this user can reach, where such files are
// written fastest (memory, where the system offers it); the folder goes when
// the process ends. Empty when no folder could be made.
std::string QuickScratchFile(const std::string& suffix);
