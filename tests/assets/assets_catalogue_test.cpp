// The whole catalogue loaded through the game's own loaders, from the pack
// the build wrote: every number holds a picture of the size the game relies
// on, none is empty, and each picture, sound and music number holds its own
// file (a swap of two files in a catalogue shows as a number holding another
// file's pixels, samples or song).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sound/audio_output.h"
#include "pictures/picture_decoding.h"
#include "platform/headless/headless.h"
#include "platform/platform.h"
#include "pictures/screen.h"
#include "sound/sound.h"
#include "sound/wav_decoding.h"
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

struct Numbered {
    int first, last;  // the numbers holding the same file
    const char* path;
};

const Numbered kPictures[] = {
    {0, 0, "graph\\gulpdroite1.bmp"},  {4, 4, "graph\\gulpdroite1.bmp"},   {1, 1, "graph\\gulpbas1.bmp"},
    {2, 2, "graph\\gulpgauche1.bmp"},  {3, 3, "graph\\gulphaut1.bmp"},     {5, 5, "graph\\ghost-jaune.bmp"},
    {15, 15, "graph\\ghost-jaune.bmp"}, {6, 6, "graph\\ghost-blanc.bmp"},  {16, 16, "graph\\ghost-blanc.bmp"},
    {7, 7, "graph\\ghost-bleu.bmp"},   {17, 17, "graph\\ghost-bleu.bmp"},  {8, 8, "graph\\ghost-rouge.bmp"},
    {18, 18, "graph\\ghost-rouge.bmp"}, {9, 9, "graph\\ghost-vert.bmp"},   {19, 19, "graph\\ghost-vert.bmp"},
    {10, 10, "graph\\ghost-b-fonce3.bmp"}, {20, 20, "graph\\ghost-b-fonce3.bmp"}, {22, 22, "graph\\gulpmaze.jpg"},
    {23, 23, "graph\\gulpkin6.jpg"},   {27, 27, "graph\\gulpkin2.jpg"},    {30, 33, "graph\\ball3.bmp"},
    {100, 100, "graph\\gulpmaze1.jpg"}, {110, 110, "graph\\gulpmaze1.jpg"}, {101, 101, "graph\\gulpmaze2.jpg"},
    {102, 102, "graph\\gulpmaze3.jpg"}, {103, 103, "graph\\gulpmaze4.jpg"}, {104, 104, "graph\\gulpmaze5.jpg"},
    {105, 105, "graph\\gulpmaze6.jpg"}, {106, 106, "graph\\gulpmaze7.jpg"}, {107, 107, "graph\\gulpmaze8.jpg"},
    {108, 108, "graph\\gulpmaze9.jpg"}, {109, 109, "graph\\gulpmaze10.jpg"}, {500, 500, "graph\\gulpnaze.bmp"},
    {501, 501, "graph\\100p.bmp"},     {502, 502, "graph\\200p.bmp"},      {503, 503, "graph\\300p.bmp"},
    {504, 504, "graph\\400p.bmp"},     {505, 505, "graph\\1000p.bmp"},     {506, 506, "graph\\bonusjaune.bmp"},
    {507, 507, "graph\\bonusvert.bmp"}, {508, 508, "graph\\bonusrouge.bmp"}, {509, 509, "graph\\bonuspomme.bmp"},
    {511, 511, "graph\\dents4.bmp"},   {512, 512, "graph\\dents2.bmp"},    {1000, 1105, "graph\\ball2.bmp"},
};

const Numbered kSounds[] = {
    {0, 0, "wav\\boules.wav"}, {1, 1, "wav\\boulesr.wav"}, {2, 2, "wav\\meur1.wav"},     {4, 4, "wav\\vie1.wav"},
    {5, 5, "wav\\5f.wav"},     {6, 6, "wav\\sprint.wav"},  {7, 7, "wav\\apple.wav"},     {8, 8, "wav\\gulp1.wav"},
    {9, 9, "wav\\bouffe1.wav"}, {10, 10, "wav\\bouffe.wav"}, {11, 11, "wav\\bouffe5.wav"}, {12, 12, "wav\\bouffe6.wav"},
    {13, 13, "wav\\bouffe4.wav"},
};

constexpr int kScratchSprite = 4000;

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
        InitSound();
        InitMusic();
        LoadSoundsAndMusic();
    }
    void TearDown() override {
        EndMusic();
        EndSound();
        EndScreen();
    }
};

std::vector<uint16_t> Pixels(int id) {
    SpriteView view;
    if (!ViewSprite(id, view)) return {};
    return std::vector<uint16_t>(view.pixels, view.pixels + size_t(view.imageWidth) * view.imageHeight);
}

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

TEST_F(Catalogue, EachPictureNumberHoldsItsFile) {
    for (const Numbered& entry : kPictures) {
        ASSERT_NE(LoadSpriteFile(kScratchSprite, entry.path, 0), 0) << entry.path;
        std::vector<uint16_t> file = Pixels(kScratchSprite);
        for (int id = entry.first; id <= entry.last; ++id) EXPECT_TRUE(Pixels(id) == file) << id << " " << entry.path;
    }
    for (int id = 600; id <= 635; ++id) {
        std::string path = "font\\" + std::to_string(id) + ".bmp";
        ASSERT_NE(LoadSpriteFile(kScratchSprite, path, 0), 0) << path;
        EXPECT_TRUE(Pixels(id) == Pixels(kScratchSprite)) << id;
    }
}

TEST_F(Catalogue, EachSoundNumberHoldsItsFile) {
    for (const Numbered& entry : kSounds) {
        std::vector<uint8_t> bytes;
        std::vector<int16_t> samples;
        ASSERT_TRUE(platform::ReadWholeFile(entry.path, bytes) && DecodeWav(bytes, samples)) << entry.path;
        ASSERT_LT(size_t(entry.first), OutputMixer().effects.size());
        EXPECT_TRUE(OutputMixer().effects[entry.first].samples == samples) << entry.first << " " << entry.path;
    }
}

TEST_F(Catalogue, EachMusicNumberHoldsItsSong) {
    EXPECT_EQ(LoadedMusicName(0), "gulpkin title");
    EXPECT_EQ(LoadedMusicName(1), "gulpkin play");
    EXPECT_EQ(LoadedMusicName(2), "gulpkin end");
    EXPECT_EQ(LoadedMusicName(3), "");
}
