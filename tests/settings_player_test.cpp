// The player's settings.ini: what each line sets, damaged lines skipped
// with a warning while the rest applies, and a changed setting written
// back without losing any other line or comment.
#include "media/platform/platform.h"
#include "media/player_settings.h"
#include "tests/support/pictures.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

PlayerSettings ParseText(const std::string& text, std::string& warnings) {
    PlayerSettings settings;
    std::ostringstream out;
    ParsePlayerSettings(text, "settings.ini", settings, out);
    warnings = out.str();
    return settings;
}

TEST(PlayerSettingsFile, EachLineSetsItsSetting) {
    std::string warnings;
    PlayerSettings s = ParseText(
        "# mine\n; also a comment\n\ndisplay = window\r\nscale=integer\n  music_volume = 0 \n"
        "effects_volume = 100\nsound = off",
        warnings);
    EXPECT_EQ(warnings, "");
    EXPECT_TRUE(s.windowed);
    EXPECT_TRUE(s.wholeMultiples);
    EXPECT_EQ(s.musicVolume, 0);
    EXPECT_EQ(s.effectsVolume, 100);
    EXPECT_FALSE(s.sound);
    PlayerSettings defaults = ParseText("", warnings);
    EXPECT_FALSE(defaults.windowed);
    EXPECT_FALSE(defaults.wholeMultiples);
    EXPECT_EQ(defaults.musicVolume, 100);
    EXPECT_TRUE(defaults.sound);
}

TEST(PlayerSettingsFile, ADamagedLineIsSkippedWithAWarningAndTheRestApplies) {
    std::string warnings;
    PlayerSettings s = ParseText(
        "music_volume = 101\ndisplay = window\nscale = huge\neffects_volume = 5x\nloud\nvolume = 3\n"
        "effects_volume = 30\n",
        warnings);
    EXPECT_TRUE(s.windowed);
    EXPECT_FALSE(s.wholeMultiples);
    EXPECT_EQ(s.musicVolume, 100);
    EXPECT_EQ(s.effectsVolume, 30);
    EXPECT_EQ(warnings,
              "gulpkin: settings.ini line 1 skipped: music_volume is a whole number from 0 to 100\n"
              "gulpkin: settings.ini line 3 skipped: scale is fit or integer\n"
              "gulpkin: settings.ini line 4 skipped: effects_volume is a whole number from 0 to 100\n"
              "gulpkin: settings.ini line 5 skipped: not a 'key = value' line\n"
              "gulpkin: settings.ini line 6 skipped: unknown setting 'volume'\n");
}

TEST(PlayerSettingsFile, ASettingIsChangedInPlaceOrAdded) {
    const struct {
        const char* before;
        const char* after;
    } cases[] = {
        {"", "display = window\n"},
        {"# mine\nsound = off\n", "# mine\nsound = off\ndisplay = window\n"},
        {"# display = fullscreen\ndisplay=fullscreen\nscale = fit\n",
         "# display = fullscreen\ndisplay = window\nscale = fit\n"},
        {"display = x\ndisplay = fullscreen", "display = window\ndisplay = fullscreen\n"},
    };
    for (const auto& c : cases) EXPECT_EQ(SetPlayerSetting(c.before, "display", "window"), c.after) << c.before;
}

// The file is found in the XDG settings folder, else under ~/.config.
TEST(PlayerSettingsFile, TheFileLivesInTheSettingsFolder) {
    TempDir home;
    std::string oldHome = std::getenv("HOME") ? std::getenv("HOME") : "";
    setenv("HOME", home.File("").c_str(), 1);
    unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(PlayerSettingsPath(), home.File("") + "/.config/gulpkin/settings.ini");
    setenv("XDG_CONFIG_HOME", home.File("config").c_str(), 1);
    EXPECT_EQ(PlayerSettingsPath(), home.File("config") + "/gulpkin/settings.ini");
    std::ostringstream warnings;
    EXPECT_FALSE(LoadPlayerSettings(warnings).windowed) << "no file: the defaults";
    std::filesystem::create_directories(home.File("config/gulpkin"));
    std::ofstream(home.File("config/gulpkin/settings.ini")) << "display = window\nbroken\n";
    EXPECT_TRUE(LoadPlayerSettings(warnings).windowed);
    EXPECT_NE(warnings.str().find("settings.ini line 2 skipped"), std::string::npos);
    unsetenv("XDG_CONFIG_HOME");
    setenv("HOME", oldHome.c_str(), 1);
}

}  // namespace
