// A minimal reader and writer of "key = value" settings files. One file is
// open at a time, for reading (held in memory and searched per key) or for
// writing (lines appended). Values are integers. Lines before the first
// "[group]" header are searched; ';' starts a comment line.
#pragma once

#include <cstdint>
#include <string>

// start-up: no file open, comment character ';'
void InitSettings();
// closes any open file, opens an existing one for reading; non-zero on success
int OpenSettingsFile(const std::string& path);
// the value of key in the file open for reading, or fallback
int32_t ReadSettingInt(const std::string& key, int32_t fallback);
// closes any open file, starts a new one for writing; non-zero on success.
// The old file stays intact until CloseSettingsFile puts the new one in place.
int CreateSettingsFile(const std::string& path);
// appends the line: key, " = ", the decimal value, CR LF
void WriteSettingInt(const std::string& key, int32_t value);
// closes the file (a written one replaces the old file whole); harmless if none
void CloseSettingsFile();
// shut-down: CloseSettingsFile
void EndSettings();
