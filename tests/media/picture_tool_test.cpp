// gulpkin-picture: a picture in, the game's own 24-bit BMP of it out.
#include "pictures/picture_decoding.h"
#include "tests/support/pictures.h"
#include "tests/support/tree_folders.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <sys/wait.h>

namespace {

int RunTool(const std::string& arguments) {
    std::string command = GameFile("gulpkin-picture") + " " + arguments + " 2>/dev/null";
    int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(PictureTool, JpegComesOutAsTheSameTwentyFourBitPicture) {
    TempDir dir;
    TestJpeg jpeg;
    jpeg.width = 30;
    jpeg.height = 20;
    jpeg.colours = TestPattern(30, 20);
    std::vector<uint8_t> file = EncodeTestJpeg(jpeg);
    ASSERT_TRUE(WriteBytes(dir.File("in.jpg"), file));
    ASSERT_EQ(RunTool(dir.File("in.jpg") + " " + dir.File("out.bmp")), 0);

    InitImageDecoders();
    UseJpegDecoder();
    DecodedPicture original, written;
    ASSERT_TRUE(DecodePicture(file.data(), file.size(), original));
    std::vector<uint8_t> out = ReadBytes(dir.File("out.bmp"));
    ASSERT_EQ(out.size(), 54u + 20 * (3 * 30 + 2));
    EXPECT_EQ(out[28], 24);
    ASSERT_TRUE(DecodePicture(out.data(), out.size(), written));
    EXPECT_EQ(written.pixels, original.pixels);
}

TEST(PictureTool, FileThatIsNoPictureGivesExitCodeOne) {
    TempDir dir;
    ASSERT_TRUE(WriteBytes(dir.File("notes.txt"), {'n', 'o', 'p', 'e'}));
    EXPECT_EQ(RunTool(dir.File("notes.txt") + " " + dir.File("out.bmp")), 1);
    EXPECT_EQ(RunTool(dir.File("missing.bmp") + " " + dir.File("out.bmp")), 1);
    EXPECT_EQ(RunTool(dir.File("notes.txt")), 2);
}

}  // namespace
