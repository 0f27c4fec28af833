// The player's own settings, kept in settings.ini in the per-user settings
// folder: full screen or window, how the frame is scaled, whether the full
// screen switches the display to 75 Hz, the music and
// effects volumes (0-100, on top of the game's own) and sound on or off.
//
// The file holds one "key = value" a line; '#' and ';' start comments.
// At start-up LoadPlayerSettings reads it (a missing file means the
// defaults; a damaged line is skipped with a warning and the rest applies),
// the command line overrides what it names, and ApplyPlayerSettings hands
// the result to the display and the sound output. The file is written only
// when the player changes a setting inside the game (Alt+Enter), always
// whole and atomically, keeping every other line and comment as it was, its
// mode, and a link in its place (the file it names is replaced).
#pragma once

#include <ostream>
#include <string>

struct PlayerSettings {
    bool windowed = false;
    bool wholeMultiples = false;  // scale by whole multiples instead of to fit
    bool keepDesktopMode = false; // refresh = desktop: full screen never switches to 75 Hz
    int musicVolume = 100;        // percent
    int effectsVolume = 100;      // percent
    bool sound = true;
};

// reads settings from the text of a settings file into `settings`, leaving
// what the text does not name; each damaged line is reported to `warnings`
// as one line naming `fileName` and the line number
void ParsePlayerSettings(const std::string& text, const std::string& fileName, PlayerSettings& settings,
                         std::ostream& warnings);
// the text with `key` set to `value`: the last line of that key (the one that
// counts) changed in place, or a line added at the end; every other line kept
std::string SetPlayerSetting(const std::string& text, const std::string& key, const std::string& value);

// the settings file's path ("" when there is no settings folder)
std::string PlayerSettingsPath();
// the settings in the file, over the defaults; the file's text is kept for
// the writes that follow (the file is read only here)
PlayerSettings LoadPlayerSettings(std::ostream& warnings);
// the display mode, scaling, volumes and sound for the whole run; from then
// on a switch to or from a window (Alt+Enter) is written over the kept text,
// except while a replay runs
void ApplyPlayerSettings(const PlayerSettings& settings);
