// The player's pace: its step from the speed items and the frightened mode,
// and the mouth animation, which runs faster with every speed item.
#include "board/home.h"
#include "board/player.h"
#include "core/game_state.h"
#include "pictures/screen.h"
#include "core/values.h"

namespace {

// step by speed items 0..3
constexpr int8_t kStepNormal[4] = {2, 3, 4, 6};
constexpr int8_t kStepFrightened[4] = {3, 4, 6, 6};

int SpeedIndex() {
    if (game.speedItems < 0) return 0;
    return game.speedItems > 3 ? 3 : game.speedItems;
}

// Crossings are multiples of 12, so a position that is a multiple of the step
// meets every crossing exactly; a player between crossings moves back by less
// than one step.
int16_t SnapDown(int16_t value, int step) {
    return static_cast<int16_t>(value - value % step);
}

}  // namespace

void ApplyPlayerStepRule() {
    Actor& player = game.actors[kPlayer];
    int index = SpeedIndex();
    player.step = game.frightened == 1 ? kStepFrightened[index] : kStepNormal[index];
    player.x = SnapDown(player.x, player.step);
    player.y = SnapDown(player.y, player.step);
}

// The period is 30, 24, 18 or 12 ms by speed items; the mouth keeps moving
// while the player stands against a wall.
void AnimatePlayer() {
    int32_t now = GetTickCount();
    if (now - game.playerFrameTick <= 30 - 6 * game.speedItems) return;
    bool wraps = game.playerFrame >= 10 || game.playerFrame < 0;  // after 10 comes 1
    game.playerFrame = static_cast<int8_t>(wraps ? 1 : game.playerFrame + 1);
    SetSpriteFrame(kPlayer, (game.playerFrame - 1) * 32, 0, 32, 32);
    game.playerFrameTick = now;
}

void PutPlayerAtStart() {
    CopySpriteImage(0, kPlayer);
    game.direction = Direction::None;
    SetSpriteFrame(kPlayer, 288, 0, 32, 32);
    game.actors[kPlayer].x = kPlayerHomeX;
    game.actors[kPlayer].y = kPlayerHomeY;
    game.speedItems = 0;
    GridState& grid = game.grid[kPlayerSlot];
    grid.wallRight = 0;
    grid.wallLeft = 0;
    grid.wallTop = 1;
    grid.wallBottom = 1;
}
