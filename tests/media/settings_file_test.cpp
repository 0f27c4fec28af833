// The settings reader and writer, on real files in a scratch directory.
#include "settings/settings_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

class SettingsFile : public ::testing::Test {
protected:
    std::filesystem::path dir;
    std::string path;

    void SetUp() override {
        dir = std::filesystem::temp_directory_path() /
              ("gulpkin-settings-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        path = (dir / "Hit Score.ini").string();
        InitSettings();
    }
    void TearDown() override {
        EndSettings();
        std::filesystem::remove_all(dir);
    }
    void Write(const std::string& text) {
        std::ofstream(path, std::ios::binary) << text;
    }
    std::string Read() {
        std::ifstream file(path, std::ios::binary);
        std::ostringstream out;
        out << file.rdbuf();
        return out.str();
    }
    int32_t ReadBack(const std::string& text, int32_t fallback = -99) {
        Write(text);
        EXPECT_NE(OpenSettingsFile(path), 0);
        int32_t value = ReadSettingInt("HitScore", fallback);
        CloseSettingsFile();
        return value;
    }
};

}  // namespace

TEST_F(SettingsFile, ReadsKeysAsTheGameWritesThemAndLooser) {
    EXPECT_EQ(ReadBack("HitScore = 4200\r\n"), 4200);
    EXPECT_EQ(ReadBack("hitscore=7"), 7);
    EXPECT_EQ(ReadBack("   HitScore   =   -15\n"), -15);
    EXPECT_EQ(ReadBack("Other = 1\r\nHitScore = 3\r\n"), 3);
    EXPECT_EQ(ReadBack("HitScore = 1\nHitScore = 2\n"), 1);  // the first occurrence counts
}

TEST_F(SettingsFile, ValuesStopAtTheFirstOtherCharacter) {
    EXPECT_EQ(ReadBack("HitScore = 12abc\n"), 12);
    EXPECT_EQ(ReadBack("HitScore = abc\n"), 0);  // found, so not the default
}

TEST_F(SettingsFile, CommentsGroupsAndOtherKeysGiveTheDefault) {
    EXPECT_EQ(ReadBack("  ;HitScore = 5\n"), -99);
    EXPECT_EQ(ReadBack("[Game]\nHitScore = 5\n"), -99);
    EXPECT_EQ(ReadBack("HitScoreX = 5\n"), -99);
    EXPECT_EQ(ReadBack(""), -99);
    EXPECT_EQ(ReadBack("HitScore"), -99);
}

TEST_F(SettingsFile, MissingFileGivesTheDefault) {
    EXPECT_EQ(OpenSettingsFile(path), 0);
    EXPECT_EQ(ReadSettingInt("HitScore", 0), 0);
    EXPECT_EQ(ReadSettingInt("HitScore", 17), 17);
}

TEST_F(SettingsFile, WritesExactlyOneLineByteForByte) {
    Write("HitScore = 9999999\r\nJunk\r\n");
    ASSERT_NE(CreateSettingsFile(path), 0);
    WriteSettingInt("HitScore", -40);
    CloseSettingsFile();
    EXPECT_EQ(Read(), "HitScore = -40\r\n");
    ASSERT_NE(CreateSettingsFile(path), 0);
    WriteSettingInt("HitScore", 1234);
    WriteSettingInt("", 5);  // an empty key writes nothing
    CloseSettingsFile();
    EXPECT_EQ(Read(), "HitScore = 1234\r\n");
}

TEST_F(SettingsFile, TheOldFileSurvivesUntilTheNewOneIsComplete) {
    Write("HitScore = 500\r\n");
    ASSERT_NE(CreateSettingsFile(path), 0);
    WriteSettingInt("HitScore", 900);
    // Until the file is closed the previous best score is still on disk whole.
    EXPECT_EQ(Read(), "HitScore = 500\r\n");
    CloseSettingsFile();
    EXPECT_EQ(Read(), "HitScore = 900\r\n");
    EXPECT_FALSE(std::filesystem::exists(path + ".new"));
}

TEST_F(SettingsFile, UnwritableDirectoryLosesNothing) {
    Write("HitScore = 500\r\n");
    std::filesystem::permissions(dir, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    bool rootCanWrite = CreateSettingsFile(path) != 0;  // root ignores permissions
    WriteSettingInt("HitScore", 900);
    CloseSettingsFile();
    std::filesystem::permissions(dir, std::filesystem::perms::owner_all);
    if (!rootCanWrite) {
        EXPECT_EQ(Read(), "HitScore = 500\r\n");
    }
}

TEST_F(SettingsFile, WritingToAFileOpenForReadingDoesNothing) {
    Write("HitScore = 5\r\n");
    ASSERT_NE(OpenSettingsFile(path), 0);
    WriteSettingInt("HitScore", 6);
    EXPECT_EQ(ReadSettingInt("HitScore", 0), 5);
    CloseSettingsFile();
    EXPECT_EQ(Read(), "HitScore = 5\r\n");
}
