// Loading the board and locating the actors on its grid lines.
#include "board/maze.h"

#include "core/game_state.h"

namespace {

int HexValue(char digit) {
    if (digit >= '0' && digit <= '9') return digit - '0';
    if (digit >= 'A' && digit <= 'F') return digit - 'A' + 10;
    if (digit >= 'a' && digit <= 'f') return digit - 'a' + 10;
    return 15;  // an unreadable digit is a solid block
}

// The mark of the line whose centre equals `value` exactly, 0 for none.
int8_t MarkFor(int value, const int* centres, int count) {
    for (int i = 1; i <= count; ++i) {
        if (centres[i] == value) return static_cast<int8_t>(i);
    }
    return 0;
}

// Slot of the grid state for actor number 4..9.
int SlotOf(int actor) {
    return actor - 3;
}

}  // namespace

int LayoutForLevel(int level) {
    int layout = (level - 1) % kLayoutCount;
    if (layout < 0) layout += kLayoutCount;
    return layout + 1;
}

int LayoutCellDigit(int layout, int row, int column) {
    return HexValue(kMazeLayouts[layout][row][column - 1]);
}

void LoadMazeLayout() {
    int layout = LayoutForLevel(game.level);
    for (int row = 1; row <= kRows; ++row) {
        for (int column = 1; column <= kColumns; ++column) {
            int digit = LayoutCellDigit(layout, row, column);
            MazeCell& cell = game.maze[row][column];
            cell.right = (digit & 1) ? 1 : 0;
            cell.left = (digit & 2) ? 1 : 0;
            cell.top = (digit & 4) ? 1 : 0;
            cell.bottom = (digit & 8) ? 1 : 0;
        }
    }
}

void LoadLevelTable() {
    for (int level = 1; level <= kLevels; ++level) {
        for (int ghost = 1; ghost <= kGhostCount; ++ghost) game.levelTable[level][ghost] = kLevelSteps[level][ghost];
    }
}

void ResetDots() {
    for (int i = 1; i <= kDotCount; ++i) {
        game.dotX[i] = kDotX[i];
        game.dotY[i] = kDotY[i];
    }
    for (int k = 1; k <= kEnergizerCount; ++k) {
        game.energizerX[k] = kEnergizerHomeX[k];
        game.energizerY[k] = kEnergizerHomeY[k];
    }
}

void LocateActors() {
    for (int actor = kPlayer; actor <= GhostActor(kGhostCount); ++actor) {
        Actor& a = game.actors[actor];
        // x = 1024 itself stays; only beyond either edge wraps.
        if (a.x < 0) a.x = 1024;
        if (a.x > 1024) a.x = 0;
        GridState& grid = game.grid[SlotOf(actor)];
        grid.column = MarkFor(a.x, kColumnX, kColumns);
        grid.row = MarkFor(a.y, kRowY, kRows);
    }
    const GridState& player = game.grid[kPlayerSlot];
    game.playerAtCellCentre = (player.column != 0 && player.row != 0) ? 1 : 0;
}

void LoadCellWalls() {
    for (int slot = kPlayerSlot; slot <= GhostSlot(kGhostCount); ++slot) {
        GridState& grid = game.grid[slot];
        if (grid.row == 0 || grid.column == 0) continue;
        const MazeCell& cell = game.maze[grid.row][grid.column];
        grid.wallRight = cell.right;
        grid.wallLeft = cell.left;
        grid.wallTop = cell.top;
        grid.wallBottom = cell.bottom;
    }
}
