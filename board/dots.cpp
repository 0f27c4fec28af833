// Drawing and eating the dots and energizers.
#include "board/dots.h"

#include "core/board_outcomes.h"
#include "core/game_state.h"
#include "pictures/screen.h"
#include "sound/sound.h"

namespace {

constexpr int16_t kEatenDotX = -1050;
constexpr int16_t kEatenEnergizerX = -100;

int DotSprite(int i) {
    return 999 + i;
}
int EnergizerSprite(int k) {
    return 29 + k;
}

bool PlayerTouches(int sprite, int x, int y) {
    const Actor& player = game.actors[kPlayer];
    return SpritesOverlap(kPlayer, player.x - 16, player.y - 16, sprite, x, y) != 0;
}

void EatDot(int i) {
    game.dotX[i] = kEatenDotX;
    StartSound(0, 0);
    game.score += 10;
    game.eatenCount += 1;
}

// Starts the frightened mode, or starts it again from 0 if it runs already.
void EatEnergizer(int k) {
    game.energizerX[k] = kEatenEnergizerX;
    game.score += 100;
    game.eatenCount += 1;
    FrightenGhosts();
}

}  // namespace

void DrawDots() {
    for (int k = 1; k <= kEnergizerCount; ++k) {
        DrawSpriteKeyed(EnergizerSprite(k), game.energizerX[k] - 8, game.energizerY[k] - 8);
    }
    for (int i = 1; i <= kDotCount; ++i) DrawSpriteKeyed(DotSprite(i), game.dotX[i] - 8, game.dotY[i] - 8);
}

void EatDots() {
    for (int i = 1; i <= kDotCount; ++i) {
        if (PlayerTouches(DotSprite(i), game.dotX[i] - 8, game.dotY[i] - 8)) EatDot(i);
    }
    for (int k = 1; k <= kEnergizerCount; ++k) {
        if (PlayerTouches(EnergizerSprite(k), game.energizerX[k] - 8, game.energizerY[k] - 8)) EatEnergizer(k);
    }
}
