// A prepared board for direct tests of the game's procedures.
#include "tests/support/board_fixture.h"

#include "board/maze.h"
#include "core/game_state.h"
#include "input/input.h"
#include "platform/headless/headless.h"
#include "pictures/screen.h"
#include "core/values.h"
#include "board/new_game.h"
#include "tests/support/sound_files.h"

#include <algorithm>

void PrepareBoard(int level, const std::string& script) {
    std::vector<headless::Command> commands;
    std::string error;
    headless::ParseScript(script, commands, error);
    headless::Configure(headless::Options{}, commands);
    InitKeyboard();  // the waits of the game read it
    PrepareSounds();
    ResetGameState();
    game.level = static_cast<int16_t>(level);
    SetUpNewGame();
    for (int g = 1; g <= kGhostCount; ++g) {
        if (level >= 1 && level <= kLevels) game.actors[GhostActor(g)].step = game.levelTable[level][g];
        HoldRoll(g);
    }
    LocateActors();
    LoadCellWalls();
}

void PlaceActor(int actor, int x, int y) {
    game.actors[actor].x = static_cast<int16_t>(x);
    game.actors[actor].y = static_cast<int16_t>(y);
    LocateActors();
    LoadCellWalls();
}

void HoldRoll(int g) {
    game.aimRollTick[g] = static_cast<int16_t>(GetTickCount() & 0xFFFF);
}

void AdvanceClock(int32_t ms) {
    Pause(ms);
}

void MakeSolidSprite(int id, int width, int height, int r, int g, int b) {
    MakeBlankSprite(id, width, height);
    SetBlitTarget(id);
    FillScreen(r, g, b);
    SetBlitTarget(-1);
}

namespace {

bool SamePixels(int a, int b) {
    SpriteView va, vb;
    if (!ViewSprite(a, va) || !ViewSprite(b, vb)) return false;
    if (va.imageWidth != vb.imageWidth || va.imageHeight != vb.imageHeight) return false;
    size_t count = static_cast<size_t>(va.imageWidth) * va.imageHeight;
    return std::equal(va.pixels, va.pixels + count, vb.pixels);
}

}  // namespace

void PrepareSolidPictures() {
    InitScreen();
    SetScreenRefresh(75);
    OpenFullScreen(1024, 768, 16, "Gulpkin");
    MakeSolidSprite(10, 320, 64, 0, 0, 160);
    const int colours[5][3] = {{255, 255, 0}, {255, 255, 255}, {0, 128, 255}, {255, 0, 0}, {0, 255, 0}};
    for (int g = 1; g <= kGhostCount; ++g) {
        MakeSolidSprite(14 + g, 320, 64, colours[g - 1][0], colours[g - 1][1], colours[g - 1][2]);
        CopySpriteImage(14 + g, GhostActor(g));
    }
    MakeSolidSprite(0, 320, 32, 255, 200, 0);
    CopySpriteImage(0, kPlayer);
    SetSpriteFrame(kPlayer, 0, 0, 32, 32);
    MakeSolidSprite(110, 1024, 768, 0, 0, 64);
    MakeSolidSprite(500, 320, 32, 200, 0, 200);
    for (int label = 501; label <= 505; ++label) MakeSolidSprite(label, 40, 20, 40 * (label - 500), 255, 128);
    MakeSolidSprite(511, 32, 32, 255, 128, 64);
    MakeSolidSprite(512, 32, 32, 128, 0, 0);
}

int PictureSource(int id) {
    if (SamePixels(id, 10)) return 10;
    for (int source = 15; source <= 19; ++source) {
        if (SamePixels(id, source)) return source;
    }
    return 0;
}

bool SpriteServiceReady() {
    InitScreen();
    SetScreenRefresh(75);
    OpenFullScreen(1024, 768, 16, "Gulpkin");
    SpriteView view;
    return MakeBlankSprite(49, 1, 1) != 0 && ViewSprite(49, view);
}
