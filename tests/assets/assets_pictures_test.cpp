// Every picture of the sprite catalogue and every glyph exists under its
// exact name with the size the game relies on, drawn with black as the
// transparent colour; the keyed JPEG pictures stay clear of near-black.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/support/asset_reading.h"

namespace {

struct Expected {
    const char* path;
    int width, height;
};

const Expected kSheets[] = {
    {"graph/gulpdroite1.bmp", 320, 32}, {"graph/gulpbas1.bmp", 320, 32},    {"graph/gulpgauche1.bmp", 320, 32},
    {"graph/gulphaut1.bmp", 320, 32},   {"graph/gulpnaze.bmp", 320, 32},    {"graph/ghost-jaune.bmp", 320, 64},
    {"graph/ghost-blanc.bmp", 320, 64}, {"graph/ghost-bleu.bmp", 320, 64},  {"graph/ghost-rouge.bmp", 320, 64},
    {"graph/ghost-vert.bmp", 320, 64},  {"graph/ghost-b-fonce3.bmp", 320, 64}, {"graph/dents4.bmp", 32, 32},
    {"graph/dents2.bmp", 32, 32},       {"graph/ball2.bmp", 16, 16},        {"graph/ball3.bmp", 16, 16},
    {"graph/bonusjaune.bmp", 16, 16},   {"graph/bonusvert.bmp", 16, 16},    {"graph/bonusrouge.bmp", 16, 16},
    {"graph/bonuspomme.bmp", 16, 16},
};

const char* const kLabels[] = {"graph/100p.bmp", "graph/200p.bmp", "graph/300p.bmp", "graph/400p.bmp", "graph/1000p.bmp"};

// opaque pixels of a frame of a picture
int OpaqueIn(const RgbPicture& picture, int x0, int y0, int width, int height) {
    int count = 0;
    for (int y = y0; y < y0 + height; ++y)
        for (int x = x0; x < x0 + width; ++x) count += !IsKeyedOut(picture.At(x, y));
    return count;
}

bool FramesDiffer(const RgbPicture& picture, int a, int b) {
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            if (picture.At(a * 32 + x, y) != picture.At(b * 32 + x, y)) return true;
    return false;
}

}  // namespace

TEST(PicturePack, SpriteSheetsHaveTheirSizesAndNoEmptyPicture) {
    for (const Expected& e : kSheets) {
        RgbPicture picture;
        ASSERT_TRUE(ReadBmp24(e.path, picture)) << e.path;
        EXPECT_EQ(picture.width, e.width) << e.path;
        EXPECT_EQ(picture.height, e.height) << e.path;
        EXPECT_GT(OpaqueIn(picture, 0, 0, picture.width, picture.height), 20) << e.path;
    }
}

TEST(PicturePack, EveryAnimationFrameIsDrawnAndTheMouthMoves) {
    for (const char* path : {"graph/gulpdroite1.bmp", "graph/gulpbas1.bmp", "graph/gulpgauche1.bmp",
                             "graph/gulphaut1.bmp", "graph/gulpnaze.bmp"}) {
        RgbPicture strip;
        ASSERT_TRUE(ReadBmp24(path, strip));
        for (int f = 0; f < 10; ++f) EXPECT_GT(OpaqueIn(strip, f * 32, 0, 32, 32), 10) << path << " frame " << f + 1;
        EXPECT_TRUE(FramesDiffer(strip, 0, 4)) << path;
        // the corners of a frame stay clear: the figure fits its 32 x 32 cell
        EXPECT_TRUE(IsKeyedOut(strip.At(0, 0)) && IsKeyedOut(strip.At(31, 31))) << path;
    }
}

TEST(PicturePack, GhostSheetsFillTenFramesOnTopAndSevenBelow) {
    for (const char* path : {"graph/ghost-jaune.bmp", "graph/ghost-blanc.bmp", "graph/ghost-bleu.bmp",
                             "graph/ghost-rouge.bmp", "graph/ghost-vert.bmp", "graph/ghost-b-fonce3.bmp"}) {
        RgbPicture sheet;
        ASSERT_TRUE(ReadBmp24(path, sheet));
        for (int f = 0; f < 10; ++f) EXPECT_GT(OpaqueIn(sheet, f * 32, 0, 32, 32), 300) << path << " top " << f + 1;
        for (int f = 0; f < 7; ++f) EXPECT_GT(OpaqueIn(sheet, f * 32, 32, 32, 32), 300) << path << " below " << f + 1;
    }
}

TEST(PicturePack, DotsSitCentredOnTheirCrossing) {
    for (const char* path : {"graph/ball2.bmp", "graph/ball3.bmp"}) {
        RgbPicture ball;
        ASSERT_TRUE(ReadBmp24(path, ball));
        EXPECT_FALSE(IsKeyedOut(ball.At(7, 7)) || IsKeyedOut(ball.At(8, 8))) << path;
        // symmetric about the crossing between pixels 7 and 8
        EXPECT_EQ(OpaqueIn(ball, 0, 0, 8, 16), OpaqueIn(ball, 8, 0, 8, 16)) << path;
        EXPECT_EQ(OpaqueIn(ball, 0, 0, 16, 8), OpaqueIn(ball, 0, 8, 16, 8)) << path;
    }
    // a dot is small enough that a figure passing on a row 24 pixels away cannot touch it
    RgbPicture dot;
    ASSERT_TRUE(ReadBmp24("graph/ball2.bmp", dot));
    EXPECT_EQ(OpaqueIn(dot, 0, 0, 16, 4) + OpaqueIn(dot, 0, 12, 16, 4), 0);
}

TEST(PicturePack, PointsLabelsAreSmallTextPictures) {
    for (const char* path : kLabels) {
        RgbPicture label;
        ASSERT_TRUE(ReadBmp24(path, label)) << path;
        EXPECT_LE(label.width, 48) << path;
        EXPECT_LE(label.height, 20) << path;
        EXPECT_GT(OpaqueIn(label, 0, 0, label.width, label.height), 30) << path;
    }
}

TEST(PicturePack, GlyphsAreDigitsThenCapitalsOfOneHeight) {
    int narrowest = 1000, widest = 0;
    for (int id = 600; id <= 635; ++id) {
        std::string path = "font/" + std::to_string(id) + ".bmp";
        RgbPicture glyph;
        ASSERT_TRUE(ReadBmp24(path.c_str(), glyph)) << path;
        EXPECT_EQ(glyph.height, 24) << path;
        EXPECT_GT(OpaqueIn(glyph, 0, 0, glyph.width, glyph.height), 60) << path;
        narrowest = std::min(narrowest, glyph.width);
        widest = std::max(widest, glyph.width);
    }
    // widths come from the shapes: I is narrow, M and W are wide
    EXPECT_LT(narrowest, 16);
    EXPECT_GT(widest, 20);
    EXPECT_LE(widest, 32);
}

TEST(PicturePack, FullScreenPicturesAreJpegsOfScreenSize) {
    std::vector<std::string> paths = {"graph/gulpmaze.jpg"};
    for (int k = 1; k <= 10; ++k) paths.push_back("graph/gulpmaze" + std::to_string(k) + ".jpg");
    for (const std::string& path : paths) {
        RgbPicture picture;
        ASSERT_TRUE(ReadJpeg(path.c_str(), picture)) << path;
        EXPECT_EQ(picture.width, 1024) << path;
        EXPECT_EQ(picture.height, 768) << path;
    }
}

TEST(PicturePack, KeyedTitlePicturesHaveABlackGroundAndBrightArt) {
    RgbPicture banner, logo;
    ASSERT_TRUE(ReadJpeg("graph/gulpkin6.jpg", banner));
    ASSERT_TRUE(ReadJpeg("graph/gulpkin2.jpg", logo));
    EXPECT_GE(banner.width, 621);
    EXPECT_GE(banner.height, 160);
    EXPECT_LE(logo.height, 220) << "the logo must leave room for the confirmation texts";
    for (const RgbPicture* picture : {&banner, &logo}) {
        EXPECT_TRUE(IsKeyedOut(picture->At(0, 0)));
        EXPECT_TRUE(IsKeyedOut(picture->At(picture->width - 1, picture->height - 1)));
        // dim pixels only as a thin fringe along the art: none inside it, no specks on the ground
        int art = 0, stray = 0;
        for (int y = 2; y < picture->height - 2; ++y) {
            for (int x = 2; x < picture->width - 2; ++x) {
                Rgb p = picture->At(x, y);
                if (IsKeyedOut(p)) continue;
                ++art;
                if (std::max({p.r, p.g, p.b}) >= 48) continue;
                bool nearGround = false, nearArt = false;
                for (int dy = -2; dy <= 2; ++dy) {
                    for (int dx = -2; dx <= 2; ++dx) {
                        Rgb q = picture->At(x + dx, y + dy);
                        nearGround |= IsKeyedOut(q);
                        nearArt |= std::max({q.r, q.g, q.b}) >= 48;
                    }
                }
                stray += !(nearGround && nearArt);
            }
        }
        EXPECT_GT(art, picture->width * picture->height / 10);
        EXPECT_LT(stray, 20) << stray << " dim pixels away from the art's edge";
    }
}
