// The board: the ten stored maze layouts, the ghosts' steps per level, the
// dot and energizer positions, and the two routines that turn an actor's
// pixel position into maze terms.
//
// Actors move only along 14 column lines and 10 row lines and consult walls
// only when they stand exactly on a crossing. After every single step of any
// actor, LocateActors then LoadCellWalls bring the marks and walls up to date.
#pragma once

#include <cstdint>

constexpr int kColumnX[15] = {0, 84, 180, 288, 384, 480, 540, 588, 636, 684, 732, 780, 840, 888, 936};
constexpr int kRowY[11] = {0, 84, 180, 288, 312, 384, 468, 516, 540, 612, 696};

constexpr int kLayoutCount = 10;
// one hexadecimal digit per cell (1 right, 2 left, 4 top, 8 bottom wall),
// one string per row, column 1 first
extern const char* const kMazeLayouts[kLayoutCount + 1][11];
// ghost steps per level 1..30 and ghost 1..5
extern const int8_t kLevelSteps[31][6];
// the 106 dot crossings, dot 1 first
extern const int16_t kDotX[107];
extern const int16_t kDotY[107];
constexpr int16_t kEnergizerHomeX[5] = {0, 84, 936, 84, 936};
constexpr int16_t kEnergizerHomeY[5] = {0, 84, 84, 696, 696};

// the layout (1..10) a level plays on
int LayoutForLevel(int level);
// the four wall bits of a cell of a layout, as the hexadecimal digit
int LayoutCellDigit(int layout, int row, int column);

// copies the current level's layout into the maze
void LoadMazeLayout();
// copies the level table into the game
void LoadLevelTable();
// puts every dot and energizer back on the board
void ResetDots();
// wrap-around and column/row marks of the player and the ghosts
void LocateActors();
// the walls of the crossing each actor stands on exactly
void LoadCellWalls();
