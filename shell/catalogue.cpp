// The asset catalogues: every picture, sound and music module under its
// fixed number, loaded in the game's fixed order.
#include "core/sprite_numbers.h"
#include "pictures/screen.h"
#include "sound/sound.h"
#include "core/values.h"
#include "shell/program_flow.h"

namespace {

void LoadGlyphs() {
    for (int id = 600; id <= 635; ++id) LoadSpriteFile(id, "font\\" + IntToText(id) + ".bmp", 0);
}

void LoadBackgrounds() {
    LoadSpriteFile(MazeBackground(1), "graph\\gulpmaze1.jpg", 0);
    LoadSpriteFile(kWorkingBackground, "graph\\gulpmaze1.jpg", 0);
    for (int k = 2; k <= 10; ++k) LoadSpriteFile(MazeBackground(k), "graph\\gulpmaze" + IntToText(k) + ".jpg", 0);
}

void LoadPlayer() {
    LoadSpriteFile(0, "graph\\gulpdroite1.bmp", 0);
    LoadSpriteFile(4, "graph\\gulpdroite1.bmp", 0);
    LoadSpriteFile(1, "graph\\gulpbas1.bmp", 0);
    LoadSpriteFile(2, "graph\\gulpgauche1.bmp", 0);
    LoadSpriteFile(3, "graph\\gulphaut1.bmp", 0);
}

// Each ghost's master copy and its working copy, then the frightened pair.
void LoadGhosts() {
    LoadSpriteFile(15, "graph\\ghost-jaune.bmp", 0);
    LoadSpriteFile(5, "graph\\ghost-jaune.bmp", 0);
    LoadSpriteFile(17, "graph\\ghost-bleu.bmp", 0);
    LoadSpriteFile(7, "graph\\ghost-bleu.bmp", 0);
    LoadSpriteFile(18, "graph\\ghost-rouge.bmp", 0);
    LoadSpriteFile(8, "graph\\ghost-rouge.bmp", 0);
    LoadSpriteFile(19, "graph\\ghost-vert.bmp", 0);
    LoadSpriteFile(9, "graph\\ghost-vert.bmp", 0);
    LoadSpriteFile(20, "graph\\ghost-b-fonce3.bmp", 0);
    LoadSpriteFile(10, "graph\\ghost-b-fonce3.bmp", 0);
}

void LoadBoardPieces() {
    for (int id = 30; id <= 33; ++id) LoadSpriteFile(id, "graph\\ball3.bmp", 0);
    LoadSpriteFile(500, "graph\\gulpnaze.bmp", 0);
    const char* const labels[] = {"100p", "200p", "300p", "400p", "1000p"};
    for (int i = 0; i < 5; ++i) LoadSpriteFile(501 + i, std::string("graph\\") + labels[i] + ".bmp", 0);
    LoadSpriteFile(506, "graph\\bonusjaune.bmp", 0);
    LoadSpriteFile(507, "graph\\bonusvert.bmp", 0);
    LoadSpriteFile(508, "graph\\bonusrouge.bmp", 0);
    LoadSpriteFile(509, "graph\\bonuspomme.bmp", 0);
    LoadSpriteFile(511, "graph\\dents4.bmp", 0);
    LoadSpriteFile(512, "graph\\dents2.bmp", 0);
    for (int id = 1000; id <= 1105; ++id) LoadSpriteFile(id, "graph\\ball2.bmp", 0);
}

}  // namespace

void LoadSprites() {
    LoadGlyphs();
    LoadSpriteFile(27, "graph\\gulpkin2.jpg", 0);
    LoadSpriteFile(22, "graph\\gulpmaze.jpg", 0);
    LoadSpriteFile(23, "graph\\gulpkin6.jpg", 0);
    MakeBlankSprite(25, 640, 260);
    LoadSpriteFile(16, "graph\\ghost-blanc.bmp", 0);
    LoadSpriteFile(6, "graph\\ghost-blanc.bmp", 0);
    LoadBackgrounds();
    LoadPlayer();
    LoadGhosts();
    LoadBoardPieces();
}

void LoadSoundsAndMusic() {
    LoadMusicFile(0, "music\\14.mod");
    LoadMusicFile(1, "music\\5.xm");
    LoadMusicFile(2, "music\\4.xm");
    struct Entry {
        int id;
        const char* path;
    };
    static const Entry sounds[] = {
        {0, "wav\\boules.wav"},  {1, "wav\\boulesr.wav"}, {2, "wav\\meur1.wav"},   {10, "wav\\bouffe.wav"},
        {4, "wav\\vie1.wav"},    {5, "wav\\5f.wav"},      {6, "wav\\sprint.wav"},  {7, "wav\\apple.wav"},
        {8, "wav\\gulp1.wav"},   {9, "wav\\bouffe1.wav"}, {13, "wav\\bouffe4.wav"}, {11, "wav\\bouffe5.wav"},
        {12, "wav\\bouffe6.wav"},
    };
    for (const Entry& sound : sounds) LoadSoundFile(sound.id, sound.path);
}
