// The player's settings.ini: each setting read, a damaged line skipped with
// a warning while the rest applies, and a setting written back in place.
#include "settings/player_settings.h"
#include "settings/settings_table.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

TEST(PlayerSettingsFile, DamagedLinesAreSkippedWithAWarningAndTheRestApplies) {
    PlayerSettings s;
    std::ostringstream warnings;
    ParsePlayerSettings("# mine\ndisplay = window\r\nscale=integer\nmusic_volume = 101\n effects_volume = 30\n"
                        "sound = off\nloud\nvolume = 3\nrefresh = desktop\nrefresh = 60\n"
                        "\x1b]0;owned\x07 = 1\n\xc2\x9b" "2J\xff = 1\n",
                        "C:\\Jeux\\Zo\xc3\xa9\x1b[2J.ini", s, warnings);
    EXPECT_TRUE(s.windowed && s.wholeMultiples && !s.sound && s.keepDesktopMode);
    EXPECT_EQ(s.musicVolume, 100);
    EXPECT_EQ(s.effectsVolume, 30);
    // control codes and bytes that are no UTF-8 in the file's name and keys
    // are escaped; a backslash and a letter beyond ASCII are not
    const std::string file = "gulpkin: C:\\Jeux\\Zo\xc3\xa9\\x1B[2J.ini line ";
    EXPECT_EQ(warnings.str(),
              file + "4 skipped: music_volume is a whole number from 0 to 100\n" +
              file + "7 skipped: not a 'key = value' line\n" +
              file + "8 skipped: unknown setting 'volume'\n" +
              file + "10 skipped: refresh is 75 or desktop\n" +
              file + "11 skipped: unknown setting '\\x1B]0;owned\\x07'\n" +
              file + "12 skipped: unknown setting '\\xC2\\x9B2J\\xFF'\n");
}

TEST(PlayerSettingsFile, ASettingIsChangedInPlaceOrAddedKeepingEveryOtherLine) {
    EXPECT_EQ(SetPlayerSetting("", "display", "window"), "display = window\n");
    EXPECT_EQ(SetPlayerSetting("# display = x\nsound = off", "display", "window"),
              "# display = x\nsound = off\ndisplay = window\n");
    EXPECT_EQ(SetPlayerSetting("; mine\ndisplay=fullscreen\nscale = fit\n", "display", "window"),
              "; mine\ndisplay = window\nscale = fit\n");
}

}  // namespace

// The setting table's defaults are the settings of a missing file, and each
// is a value its setting takes.
TEST(PlayerSettingsFile, TheTablesDefaultsAreTheSettingsOfAMissingFile) {
    std::string text;
    for (const SettingRow& row : SettingTable()) text += std::string(row.key) + " = " + row.defaultValue + "\n";
    PlayerSettings parsed{true, true, true, 1, 1, false};
    std::ostringstream warnings;
    ParsePlayerSettings(text, "settings.ini", parsed, warnings);
    EXPECT_EQ(warnings.str(), "");
    PlayerSettings missing;
    EXPECT_TRUE(parsed.windowed == missing.windowed && parsed.wholeMultiples == missing.wholeMultiples &&
                parsed.keepDesktopMode == missing.keepDesktopMode && parsed.musicVolume == missing.musicVolume &&
                parsed.effectsVolume == missing.effectsVolume && parsed.sound == missing.sound);
}
