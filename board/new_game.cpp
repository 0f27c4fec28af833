// Every game variable at its value for a new game; see new_game.h.
#include "board/new_game.h"

#include "board/home.h"
#include "board/maze.h"
#include "core/game_state.h"

namespace {

void ResetGrid() {
    for (int slot = 1; slot <= 6; ++slot) game.grid[slot] = GridState{};
    game.grid[kPlayerSlot].column = 6;
    game.grid[kPlayerSlot].row = 8;
}

void ResetGhostWishes() {
    for (int g = 1; g <= kGhostCount; ++g) {
        game.ghostMovingLeft[g] = 1;
        game.ghostMovingRight[g] = game.ghostMovingDown[g] = game.ghostMovingUp[g] = 0;
        game.aimX[g] = 0;
        game.aimY[g] = 0;
    }
}

void ResetCounters() {
    game.studioX = 256;
    game.studioY = 610;
    game.studioStepX = 1;
    game.studioStepY = 1;
    game.pulseStep = 1;
    game.frightCharges = 1;
    game.bonusRollKind = 0;
    game.bonusRollSide = 0;
    game.bonusOffsetX = 0;
    game.bonusOffsetY = 0;
    game.speedItems = 0;
    game.score = 0;
    game.extraLifeMark = 0;
    game.eatenCount = 0;
    game.lives = 3;
    game.ghostsEaten = 0;
}

void PlaceActors() {
    for (Actor& actor : game.actors) actor = Actor{};
    game.frightDuration = 6500;
    SendActorsHome();
    Actor& player = game.actors[kPlayer];
    player.step = 2;
    GridState& grid = game.grid[kPlayerSlot];
    grid.wallRight = 0;
    grid.wallBottom = 1;
    grid.wallTop = 1;
    grid.wallLeft = 0;
}

}  // namespace

void SetUpNewGame() {
    ResetGrid();
    for (int g = 1; g <= kGhostCount; ++g) {
        GridState& grid = game.grid[GhostSlot(g)];
        grid.wallRight = grid.wallLeft = grid.wallTop = grid.wallBottom = 0;
    }
    for (auto& row : game.maze) {
        for (MazeCell& cell : row) cell = MazeCell{};
    }
    ResetGhostWishes();
    ResetCounters();
    for (int k = 1; k <= kEnergizerCount; ++k) {
        game.energizerX[k] = kEnergizerHomeX[k];
        game.energizerY[k] = kEnergizerHomeY[k];
    }
    game.playerAtCellCentre = 1;
    LoadMazeLayout();
    LoadLevelTable();
    ResetDots();
    PlaceActors();
    // The flags above are those of layout 1's start crossing; a new game on
    // another layout (the options screen's "play again") takes the real walls
    // at once, or its first step could pass through one. Only the player has
    // marks yet, so the ghosts keep theirs cleared.
    LoadCellWalls();
    game.wish = Direction::None;
    game.lastStepHorizontal = 1;
    game.lastStepVertical = 1;
    game.creditsX1 = 180;
    game.creditsX2 = 1124;
    for (int kind = kBonusLife; kind <= kBonusApple; ++kind) game.bonusItems[kind] = BonusItem{};
    game.spiralAngle = 0.0f;
    game.contactSoundPlayed = 0;
}
