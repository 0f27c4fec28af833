// The player's four single steps. A step is taken only along a line the
// player stands on exactly and only when the wall flag on its side of travel
// is open; afterwards the flag behind the player is cleared, so that it can
// always turn back, even between crossings.
#include "board/maze.h"
#include "board/player.h"
#include "core/game_state.h"
#include "pictures/screen.h"

namespace {

struct StepMove {
    bool horizontal;            // needs a row mark; else a column mark
    int8_t GridState::*blockedBy;
    int8_t GridState::*behind;  // cleared after the step
    int strip;                  // player strip facing this way
    int dx, dy;                 // -1, 0 or 1 times the step
};

constexpr StepMove kRight{true, &GridState::wallRight, &GridState::wallLeft, 0, 1, 0};
constexpr StepMove kLeft{true, &GridState::wallLeft, &GridState::wallRight, 2, -1, 0};
constexpr StepMove kDown{false, &GridState::wallBottom, &GridState::wallTop, 1, 0, 1};
constexpr StepMove kUp{false, &GridState::wallTop, &GridState::wallBottom, 3, 0, -1};

// Left edge of the current mouth frame in the strip; a frame number out of
// 1..10 shows the first frame rather than pixels beside the strip.
int PlayerFrameX() {
    int frame = game.playerFrame;
    if (frame < 1 || frame > 10) frame = 1;
    return (frame - 1) * 32;
}

void TakeStep(const StepMove& move) {
    GridState& grid = game.grid[kPlayerSlot];
    int8_t line = move.horizontal ? grid.row : grid.column;
    if (line == 0 || grid.*move.blockedBy != 0) return;
    Actor& player = game.actors[kPlayer];
    CopySpriteImage(move.strip, kPlayer);
    player.x = static_cast<int16_t>(player.x + move.dx * player.step);
    player.y = static_cast<int16_t>(player.y + move.dy * player.step);
    SetSpriteFrame(kPlayer, PlayerFrameX(), 0, 32, 32);
    game.lastStepHorizontal = move.horizontal ? 1 : 0;
    game.lastStepVertical = move.horizontal ? 0 : 1;
    LocateActors();
    LoadCellWalls();
    game.grid[kPlayerSlot].*move.behind = 0;
}

}  // namespace

void StepRight() {
    TakeStep(kRight);
}

void StepLeft() {
    TakeStep(kLeft);
}

void StepDown() {
    TakeStep(kDown);
}

void StepUp() {
    TakeStep(kUp);
}
