// Ghost movement: the corner waypoints, the choice of one direction from the
// two aims and the walls carried, and at most one step per ghost and frame.
// There is no path finding: a vertical opening always wins over a
// horizontal one.
#include "board/maze.h"
#include "core/game_state.h"
#include "ghosts/ghosts.h"
#include "pictures/screen.h"

namespace {

constexpr int kAimRight = 0, kAimLeft = 1;
constexpr int kAimDown = 0, kAimUp = 1;

bool At(int g, int x, int y) {
    const Actor& ghost = game.actors[GhostActor(g)];
    return ghost.x == x && ghost.y == y;
}

// A right-hand corner turns the horizontal wish left, a left-hand corner
// right; a bottom corner turns the vertical wish up, a top corner down. Each
// test sees what the previous one left; an aim of 2 is never touched.
void ApplyCornerWaypoints(int g) {
    int8_t& aimX = game.aimX[g];
    if (aimX == kAimRight && At(g, 936, 84)) aimX = kAimLeft;
    if (aimX == kAimRight && At(g, 936, 696)) aimX = kAimLeft;
    if (aimX == kAimLeft && At(g, 84, 84)) aimX = kAimRight;
    if (aimX == kAimLeft && At(g, 84, 696)) aimX = kAimRight;
    int8_t& aimY = game.aimY[g];
    if (aimY == kAimDown && At(g, 84, 696)) aimY = kAimUp;
    if (aimY == kAimDown && At(g, 936, 696)) aimY = kAimUp;
    if (aimY == kAimUp && At(g, 84, 84)) aimY = kAimDown;
    if (aimY == kAimUp && At(g, 936, 84)) aimY = kAimDown;
}

void SetDirection(int g, Direction direction) {
    game.ghostMovingRight[g] = direction == Direction::Right ? 1 : 0;
    game.ghostMovingLeft[g] = direction == Direction::Left ? 1 : 0;
    game.ghostMovingDown[g] = direction == Direction::Down ? 1 : 0;
    game.ghostMovingUp[g] = direction == Direction::Up ? 1 : 0;
}

// Later rules override earlier ones; when none holds the old direction stays,
// even if it now points into a wall.
void ChooseDirection(int g) {
    const GridState& grid = game.grid[GhostSlot(g)];
    if (grid.wallRight == 0 && game.aimX[g] == kAimRight) SetDirection(g, Direction::Right);
    if (grid.wallBottom == 0 && game.aimY[g] == kAimDown) SetDirection(g, Direction::Down);
    if (grid.wallLeft == 0 && game.aimX[g] == kAimLeft) SetDirection(g, Direction::Left);
    if (grid.wallTop == 0 && game.aimY[g] == kAimUp) SetDirection(g, Direction::Up);
}

// Moves the ghost by (dx, dy) steps, brings every actor's marks and walls up
// to date and clears the wall behind, so that the ghost can always turn back.
void TakeStep(int g, int dx, int dy, int8_t GridState::*wallBehind) {
    Actor& ghost = game.actors[GhostActor(g)];
    ghost.x = static_cast<int16_t>(ghost.x + dx * ghost.step);
    ghost.y = static_cast<int16_t>(ghost.y + dy * ghost.step);
    SetSpriteFrame(GhostActor(g), (game.ghostFrame - 1) * 32, game.ghostFrameRow, 32, 32);
    LocateActors();
    LoadCellWalls();
    game.grid[GhostSlot(g)].*wallBehind = 0;
}

}  // namespace

void StepGhostRight(int g) {
    const GridState& grid = game.grid[GhostSlot(g)];
    if (grid.wallRight == 0 && grid.row != 0) TakeStep(g, 1, 0, &GridState::wallLeft);
}

void StepGhostLeft(int g) {
    const GridState& grid = game.grid[GhostSlot(g)];
    if (grid.wallLeft == 0 && grid.row != 0) TakeStep(g, -1, 0, &GridState::wallRight);
}

void StepGhostDown(int g) {
    const GridState& grid = game.grid[GhostSlot(g)];
    if (grid.wallBottom == 0 && grid.column != 0) TakeStep(g, 0, 1, &GridState::wallTop);
}

void StepGhostUp(int g) {
    const GridState& grid = game.grid[GhostSlot(g)];
    if (grid.wallTop == 0 && grid.column != 0) TakeStep(g, 0, -1, &GridState::wallBottom);
}

void MoveGhosts() {
    for (int g = 1; g <= kGhostCount; ++g) {
        ApplyCornerWaypoints(g);
        ChooseDirection(g);
        // Only one flag is set; the order of the tests is the game's own.
        if (game.ghostMovingRight[g] == 1) StepGhostRight(g);
        if (game.ghostMovingLeft[g] == 1) StepGhostLeft(g);
        if (game.ghostMovingDown[g] == 1) StepGhostDown(g);
        if (game.ghostMovingUp[g] == 1) StepGhostUp(g);
    }
}
