// Where the maze pictures put their corridors, walls, doors and captions,
// worked out from the game's own layout tables (board/maze.h). A corridor
// is a band 2 x kCorridorHalfWidth wide centred on every open segment
// between two neighbouring crossings, so a 32 x 32 figure on the grid line
// fits inside it. Rectangles are half-open: x0 <= x < x1, y0 <= y < y1.
#pragma once

#include <string>
#include <vector>

constexpr int kScreenWidth = 1024;
constexpr int kScreenHeight = 768;
constexpr int kCorridorHalfWidth = 18;

struct PixelRect {
    int x0, y0, x1, y1;
};

enum Side { kRightSide = 1, kLeftSide = 2, kTopSide = 4, kBottomSide = 8 };

// the wall digit of a cell (row 1..10, column 1..14) of a layout (1..10)
int CellWalls(int layout, int row, int column);
// whether the side of that cell is open (the outer sides of the tunnel row too)
bool SideOpen(int layout, int row, int column, Side side);
// the corridor bands of a layout: one per segment open from either end,
// plus the tunnel's ends out to the screen edges
std::vector<PixelRect> CorridorRects(int layout);
// the doors of one-way steps (open from one crossing only), drawn across the
// corridor right beyond the crossing it opens from
std::vector<PixelRect> DoorRects(int layout);

struct Caption {
    std::string text;
    PixelRect area;  // where the caption's letters go, centred across it
};
// the small French captions beside the status texts (the same on every layout)
std::vector<Caption> StatusCaptions();
// the recessed panels the game's status texts are drawn on, each with its
// caption along the top
std::vector<PixelRect> StatusPanels();
