// Drawing, synthesizing and composing every file of the pack, and writing it.
#include "tools/assetgen/asset_pack.h"

#include <cstdio>
#include <filesystem>

#include "tools/assetgen/maze_art.h"
#include "tools/assetgen/picture_files.h"
#include "tools/assetgen/songs.h"
#include "tools/assetgen/sound_effects.h"
#include "tools/assetgen/sound_overview.h"
#include "tools/assetgen/sprite_art.h"
#include "tools/assetgen/stroke_font.h"
#include "tools/assetgen/title_art.h"

namespace {

void AddSprite(std::vector<PackPicture>& pictures, const std::string& name, Canvas canvas) {
    pictures.push_back({"graph/" + name, PictureFormat::KeyedBmp, std::move(canvas)});
}

void AddSprites(std::vector<PackPicture>& pictures) {
    AddSprite(pictures, "gulpdroite1.bmp", PlayerStrip(Facing::Right));
    AddSprite(pictures, "gulpbas1.bmp", PlayerStrip(Facing::Down));
    AddSprite(pictures, "gulpgauche1.bmp", PlayerStrip(Facing::Left));
    AddSprite(pictures, "gulphaut1.bmp", PlayerStrip(Facing::Up));
    AddSprite(pictures, "gulpnaze.bmp", DeathStrip());
    AddSprite(pictures, "ghost-jaune.bmp", GhostSheet({{255, 206, 40}, false}));
    AddSprite(pictures, "ghost-blanc.bmp", GhostSheet({{226, 230, 244}, false}));
    AddSprite(pictures, "ghost-bleu.bmp", GhostSheet({{60, 150, 255}, false}));
    AddSprite(pictures, "ghost-rouge.bmp", GhostSheet({{240, 44, 44}, false}));
    AddSprite(pictures, "ghost-vert.bmp", GhostSheet({{50, 210, 90}, false}));
    AddSprite(pictures, "ghost-b-fonce3.bmp", GhostSheet({{44, 56, 200}, true}));
    AddSprite(pictures, "dents4.bmp", TeethOverlay(false));
    AddSprite(pictures, "dents2.bmp", TeethOverlay(true));
    AddSprite(pictures, "ball2.bmp", DotPicture());
    AddSprite(pictures, "ball3.bmp", EnergizerPicture());
    AddSprite(pictures, "bonusjaune.bmp", BonusPicture(BonusKind::ExtraLife));
    AddSprite(pictures, "bonusvert.bmp", BonusPicture(BonusKind::Speed));
    AddSprite(pictures, "bonusrouge.bmp", BonusPicture(BonusKind::ExtraCharge));
    AddSprite(pictures, "bonuspomme.bmp", BonusPicture(BonusKind::Apple));
    for (int points : {100, 200, 300, 400, 1000}) AddSprite(pictures, std::to_string(points) + "p.bmp", PointsLabel(points));
}

void AddBackgrounds(std::vector<PackPicture>& pictures) {
    pictures.push_back({"graph/gulpmaze.jpg", PictureFormat::Jpeg, TitleBackground()});
    pictures.push_back({"graph/gulpkin6.jpg", PictureFormat::KeyedJpeg, TitleBanner()});
    pictures.push_back({"graph/gulpkin2.jpg", PictureFormat::KeyedJpeg, TitleLogo()});
    for (int layout = 1; layout <= 10; ++layout)
        pictures.push_back({"graph/gulpmaze" + std::to_string(layout) + ".jpg", PictureFormat::Jpeg, MazeBackground(layout)});
}

void AddGlyphs(std::vector<PackPicture>& pictures) {
    const std::string characters = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    for (size_t i = 0; i < characters.size(); ++i) {
        pictures.push_back({"font/" + std::to_string(600 + i) + ".bmp", PictureFormat::KeyedBmp,
                            RenderGlyph(characters[i], GlyphStyle())});
    }
}

bool WritePicture(const std::string& directory, const PackPicture& picture) {
    std::string path = directory + "/" + picture.path;
    switch (picture.format) {
        case PictureFormat::KeyedBmp: return WriteBmp(path, picture.canvas);
        case PictureFormat::Jpeg: return WriteJpeg(path, picture.canvas, 90);
        case PictureFormat::KeyedJpeg: return WriteJpeg(path, picture.canvas, 100, true);
    }
    return false;
}

// writes every effect and keeps it for the review sheet
bool WriteSounds(const std::string& directory, std::vector<ReviewSound>& review) {
    bool ok = true;
    for (const SoundEffect& effect : SoundEffects()) {
        Sound sound = effect.make();
        ok = WriteWav(directory + "/wav/" + effect.file, sound) && ok;
        review.push_back({std::string("wav/") + effect.file, sound.rate, std::move(sound.samples)});
    }
    return ok;
}

// writes every module and renders it for the review sheet
bool WriteMusic(const std::string& directory, std::vector<ReviewSound>& review) {
    const std::pair<const char*, std::vector<unsigned char>> modules[] = {
        {"music/14.mod", ModFileBytes(TitleSong())},
        {"music/5.xm", XmFileBytes(PlaySong())},
        {"music/4.xm", XmFileBytes(EndSong())},
    };
    bool ok = true;
    for (const auto& [path, bytes] : modules) {
        ok = WriteFileBytes(directory + "/" + path, bytes) && ok;
        review.push_back(RenderModule(path, bytes, 120));
    }
    return ok;
}

}  // namespace

TextStyle GlyphStyle() {
    TextStyle style;
    style.capHeight = 16;
    style.strokeRadius = 2.6f;
    style.outline = 1.4f;
    return style;
}

std::vector<PackPicture> PackPictures() {
    std::vector<PackPicture> pictures;
    AddSprites(pictures);
    AddGlyphs(pictures);
    AddBackgrounds(pictures);
    return pictures;
}

bool WriteAssetPack(const std::string& gameDirectory) {
    for (const char* sub : {"graph", "font", "wav", "music"}) std::filesystem::create_directories(gameDirectory + "/" + sub);
    std::vector<PackPicture> pictures = PackPictures();
    bool ok = true;
    for (const PackPicture& picture : pictures) {
        if (!WritePicture(gameDirectory, picture)) {
            std::fprintf(stderr, "assetgen: cannot write %s\n", picture.path.c_str());
            ok = false;
        }
    }
    std::vector<ReviewSound> effects, modules;
    bool soundsWritten = WriteSounds(gameDirectory, effects);
    if (!WriteMusic(gameDirectory, modules) || !soundsWritten) {
        std::fprintf(stderr, "assetgen: cannot write the sounds or the music\n");
        ok = false;
    }
    ok = WritePng(gameDirectory + "/gulpkin.png", IconPicture(256), true) && ok;
    ok = WriteIco(gameDirectory + "/gulpkin.ico", {IconPicture(16), IconPicture(32), IconPicture(48), IconPicture(256)}) &&
         ok;
    // the web site's icons, for a phone's home screen
    std::filesystem::create_directories(gameDirectory + "/icons");
    for (int size : {192, 512}) {
        ok = WritePng(gameDirectory + "/icons/gulpkin-" + std::to_string(size) + ".png", IconPicture(size), true) && ok;
    }
    ok = WritePng(gameDirectory + "/sound-overview.png", SoundOverviewSheet(effects, modules)) && ok;
    return WritePng(gameDirectory + "/asset-overview.png", OverviewSheet(pictures)) && ok;
}
