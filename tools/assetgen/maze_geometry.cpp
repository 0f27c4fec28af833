// Maze geometry from the layout tables.
#include "tools/assetgen/maze_geometry.h"

#include "board/maze.h"

namespace {

int HexDigit(char c) { return c >= 'A' ? c - 'A' + 10 : c - '0'; }

PixelRect HorizontalBand(int x0, int x1, int y) {
    return {x0 - kCorridorHalfWidth, y - kCorridorHalfWidth, x1 + kCorridorHalfWidth, y + kCorridorHalfWidth};
}

PixelRect VerticalBand(int x, int y0, int y1) {
    return {x - kCorridorHalfWidth, y0 - kCorridorHalfWidth, x + kCorridorHalfWidth, y1 + kCorridorHalfWidth};
}

}  // namespace

int CellWalls(int layout, int row, int column) { return HexDigit(kMazeLayouts[layout][row][column - 1]); }

bool SideOpen(int layout, int row, int column, Side side) { return (CellWalls(layout, row, column) & side) == 0; }

std::vector<PixelRect> CorridorRects(int layout) {
    std::vector<PixelRect> rects;
    for (int row = 1; row <= 10; ++row) {
        for (int column = 1; column <= 14; ++column) {
            int x = kColumnX[column], y = kRowY[row];
            if (column < 14 && (SideOpen(layout, row, column, kRightSide) ||
                                SideOpen(layout, row, column + 1, kLeftSide)))
                rects.push_back(HorizontalBand(x, kColumnX[column + 1], y));
            if (row < 10 && (SideOpen(layout, row, column, kBottomSide) ||
                             SideOpen(layout, row + 1, column, kTopSide)))
                rects.push_back(VerticalBand(x, y, kRowY[row + 1]));
        }
    }
    // the tunnel runs on to the screen edges where the outer sides are open
    for (int row = 1; row <= 10; ++row) {
        if (SideOpen(layout, row, 1, kLeftSide)) rects.push_back(HorizontalBand(-kCorridorHalfWidth, kColumnX[1], kRowY[row]));
        if (SideOpen(layout, row, 14, kRightSide))
            rects.push_back(HorizontalBand(kColumnX[14], kScreenWidth + kCorridorHalfWidth, kRowY[row]));
    }
    return rects;
}

std::vector<PixelRect> DoorRects(int layout) {
    std::vector<PixelRect> doors;
    constexpr int kThickness = 6;
    for (int row = 1; row < 10; ++row) {
        for (int column = 1; column <= 14; ++column) {
            bool down = SideOpen(layout, row, column, kBottomSide);
            bool up = SideOpen(layout, row + 1, column, kTopSide);
            if (down == up) continue;
            int x = kColumnX[column];
            // the door stands just beyond the band of the crossing it opens from
            int y = up ? kRowY[row + 1] - kCorridorHalfWidth - kThickness : kRowY[row] + kCorridorHalfWidth;
            doors.push_back({x - kCorridorHalfWidth, y, x + kCorridorHalfWidth, y + kThickness});
        }
    }
    return doors;
}

std::vector<Caption> StatusCaptions() {
    return {
        {"CHARGES", {352, 216, 428, 226}},
        {"SCORE", {467, 110, 510, 120}},
        {"VIES", {106, 458, 158, 468}},
        {"NIVEAU", {870, 418, 930, 428}},
    };
}

std::vector<PixelRect> StatusPanels() {
    return {
        {352, 212, 428, 264},
        {461, 106, 612, 156},
        {106, 454, 158, 504},
        {862, 413, 1002, 466},
    };
}
