// The whole sprite catalogue loaded through the game's own loaders, from the
// pack the build wrote: every number holds a picture of the size the game
// relies on, and none is empty.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "media/picture_decoding.h"
#include "media/platform/headless/headless.h"
#include "media/platform/platform.h"
#include "media/screen.h"
#include "shell/program_flow.h"

namespace {

struct ExpectedSprite {
    int first, last;   // a range of numbers with the same size
    int width, height;  // 0 = checked separately
};

const ExpectedSprite kCatalogue[] = {
    {0, 4, 320, 32},      {5, 10, 320, 64},     {15, 20, 320, 64},  {22, 22, 1024, 768}, {25, 25, 640, 260},
    {30, 33, 16, 16},     {100, 110, 1024, 768}, {500, 500, 320, 32}, {506, 509, 16, 16},  {511, 512, 32, 32},
    {1000, 1105, 16, 16},
};

bool Decodable(const std::string& gamePath) {
    std::vector<uint8_t> data;
    DecodedPicture picture;
    return platform::ReadWholeFile(gamePath, data) && DecodePicture(data.data(), data.size(), picture);
}

// any pixel that is not the transparent value
bool HasArt(const SpriteView& view) {
    for (int i = 0; i < view.imageWidth * view.imageHeight; ++i)
        if (view.pixels[i] != 0) return true;
    return false;
}

class Catalogue : public ::testing::Test {
protected:
    void SetUp() override {
        headless::Configure(headless::Options{}, {});
        InitImageDecoders();
        UseJpegDecoder();
        InitScreen();
        OpenFullScreen(1024, 768, 16, "Gulpkin");
        if (!Decodable("graph\\ball2.bmp") || !Decodable("graph\\gulpmaze1.jpg"))
            FAIL() << "the game's picture decoders do not decode the pack";
        LoadSprites();
    }
    void TearDown() override { EndScreen(); }
};

}  // namespace

TEST_F(Catalogue, EveryNumberedPictureLoadsWithItsSize) {
    for (const ExpectedSprite& e : kCatalogue) {
        for (int id = e.first; id <= e.last; ++id) {
            SpriteView view;
            ASSERT_TRUE(ViewSprite(id, view)) << "sprite " << id;
            EXPECT_EQ(view.imageWidth, e.width) << "sprite " << id;
            EXPECT_EQ(view.imageHeight, e.height) << "sprite " << id;
            if (id != 25) {
                EXPECT_TRUE(HasArt(view)) << "sprite " << id << " is empty";
            }
        }
    }
}

TEST_F(Catalogue, TitlePicturesLabelsAndGlyphsLoad) {
    SpriteView banner, logo;
    ASSERT_TRUE(ViewSprite(23, banner));
    EXPECT_GE(banner.imageWidth, 621);
    EXPECT_GE(banner.imageHeight, 160);
    ASSERT_TRUE(ViewSprite(27, logo));
    EXPECT_TRUE(HasArt(logo));
    for (int id = 501; id <= 505; ++id) {
        SpriteView label;
        ASSERT_TRUE(ViewSprite(id, label)) << id;
        EXPECT_TRUE(HasArt(label)) << id;
        EXPECT_LE(label.imageWidth, 48) << id;
    }
    for (int id = 600; id <= 635; ++id) {
        SpriteView glyph;
        ASSERT_TRUE(ViewSprite(id, glyph)) << id;
        EXPECT_EQ(glyph.imageHeight, 24) << id;
        EXPECT_TRUE(HasArt(glyph)) << id;
        EXPECT_EQ(SpriteWidth(id), glyph.imageWidth) << id;
    }
}

TEST_F(Catalogue, BlackIsTransparentAroundEveryFigure) {
    // the corners of the player's and the ghosts' first frames are keyed out
    for (int id : {0, 1, 2, 3, 5, 6, 7, 8, 9, 10, 500, 511, 512}) {
        SpriteView view;
        ASSERT_TRUE(ViewSprite(id, view)) << id;
        EXPECT_EQ(view.pixels[0], 0) << id;
        EXPECT_EQ(view.pixels[31], 0) << id;
        EXPECT_EQ(view.pixels[31 * view.imageWidth], 0) << id;
    }
}
