// The game's own folder is its program's, never the working folder: started
// in a folder that holds a "graph" (anybody may have made it), the game
// still takes the pack it was given and writes its best score and captures
// to the player's data folder, not there.
#include "platform/platform.h"
#include "tests/support/pictures.h"
#include "tests/support/tree_folders.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

TEST(SdlGameFolder, AGraphFolderInTheWorkingFolderChangesNothing) {
    namespace fs = std::filesystem;
    TempDir dir;
    fs::create_directories(dir.File("foreign/graph"));
    const fs::path previous = fs::current_path();
    fs::current_path(dir.File("foreign"));
    setenv("XDG_DATA_HOME", dir.File("data").c_str(), 1);
    platform::ForgetDataPaths();
    EXPECT_EQ(platform::HostPath("Capture_Gulpkin.bmp"), dir.File("data/gulpkin/Capture_Gulpkin.bmp"));
    EXPECT_EQ(platform::HostPath("graph\\ball2.bmp"), GameFile("graph/ball2.bmp"));
    fs::current_path(previous);
    unsetenv("XDG_DATA_HOME");
    platform::ForgetDataPaths();
}
