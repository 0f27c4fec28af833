// The stored board data against the properties the game relies on. A typo in
// one hexadecimal digit of a layout is what these tests exist to catch.
#include "board/maze.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <utility>

namespace {

bool Wall(int layout, int row, int column, int bit) {
    return (LayoutCellDigit(layout, row, column) & bit) != 0;
}

constexpr int kRight = 1, kLeft = 2, kTop = 4, kBottom = 8;

bool HasTunnel(int layout) {
    return layout != 3 && layout != 8;
}

}  // namespace

TEST(MazeData, EveryLayoutIsTenRowsOfFourteenHexDigits) {
    for (int layout = 1; layout <= kLayoutCount; ++layout) {
        for (int row = 1; row <= 10; ++row) {
            const char* text = kMazeLayouts[layout][row];
            ASSERT_EQ(std::strlen(text), 14u) << "layout " << layout << " row " << row;
            for (int i = 0; i < 14; ++i) EXPECT_TRUE(std::isxdigit(text[i])) << layout << "/" << row;
        }
    }
}

TEST(MazeData, NeighbouringCellsAgreeExceptTheOneWaySteps) {
    for (int layout = 1; layout <= kLayoutCount; ++layout) {
        for (int row = 1; row <= 10; ++row) {
            for (int column = 1; column < 14; ++column) {
                EXPECT_EQ(Wall(layout, row, column, kRight), Wall(layout, row, column + 1, kLeft))
                    << "layout " << layout << " row " << row << " column " << column;
            }
        }
        for (int row = 1; row < 10; ++row) {
            for (int column = 1; column <= 14; ++column) {
                bool pen = row == 5 && column == 6;
                bool oneWay = (layout == 2 || layout == 8) && row == 1 && column == 10;
                bool agree = Wall(layout, row, column, kBottom) == Wall(layout, row + 1, column, kTop);
                EXPECT_EQ(agree, !(pen || oneWay)) << "layout " << layout << " row " << row << " column " << column;
            }
        }
    }
}

TEST(MazeData, OuterEdgesAreClosedBesideTheTunnel) {
    for (int layout = 1; layout <= kLayoutCount; ++layout) {
        for (int column = 1; column <= 14; ++column) {
            EXPECT_TRUE(Wall(layout, 1, column, kTop)) << layout;
            EXPECT_TRUE(Wall(layout, 10, column, kBottom)) << layout;
        }
        for (int row = 1; row <= 10; ++row) {
            bool open = row == 5 && HasTunnel(layout);
            EXPECT_EQ(Wall(layout, row, 1, kLeft), !open) << "layout " << layout << " row " << row;
            EXPECT_EQ(Wall(layout, row, 14, kRight), !open) << "layout " << layout << " row " << row;
        }
    }
}

TEST(MazeData, PenAndStartCrossings) {
    for (int layout = 1; layout <= kLayoutCount; ++layout) {
        EXPECT_EQ(LayoutCellDigit(layout, 6, 6), 0x8) << layout;  // ghosts leave upwards only
        EXPECT_TRUE(Wall(layout, 5, 6, kBottom)) << layout;        // nothing enters from above
        EXPECT_TRUE(Wall(layout, 6, 5, kLeft)) << layout;          // the pen is closed at its ends
        EXPECT_TRUE(Wall(layout, 6, 7, kRight)) << layout;
    }
    EXPECT_EQ(LayoutCellDigit(1, 8, 6), 0xC);
    EXPECT_EQ(LayoutCellDigit(6, 8, 6), 0x7);
}

TEST(MazeData, LevelsCycleThroughTheTenLayouts) {
    EXPECT_EQ(LayoutForLevel(1), 1);
    EXPECT_EQ(LayoutForLevel(11), 1);
    EXPECT_EQ(LayoutForLevel(21), 1);
    EXPECT_EQ(LayoutForLevel(10), 10);
    EXPECT_EQ(LayoutForLevel(20), 10);
    EXPECT_EQ(LayoutForLevel(30), 10);
    EXPECT_EQ(LayoutForLevel(31), 1);
}

TEST(MazeData, DotsSitOnOpenCrossingsOncePerPlace) {
    std::set<std::pair<int, int>> places;
    for (int i = 1; i <= 106; ++i) {
        int column = 0, row = 0;
        for (int c = 1; c <= 14; ++c) column = kColumnX[c] == kDotX[i] ? c : column;
        for (int r = 1; r <= 10; ++r) row = kRowY[r] == kDotY[i] ? r : row;
        ASSERT_TRUE(column && row) << "dot " << i << " is off the grid";
        EXPECT_TRUE(places.insert({column, row}).second) << "dot " << i << " repeats a place";
        EXPECT_FALSE(row == 6 && column >= 5 && column <= 7) << "dot " << i << " in the pen";
        EXPECT_FALSE(row == 8 && column == 6) << "dot " << i << " on the player's start";
        for (int layout = 1; layout <= kLayoutCount; ++layout) {
            EXPECT_NE(LayoutCellDigit(layout, row, column), 0xF) << "dot " << i << " on a block of " << layout;
        }
    }
    for (int k = 1; k <= 4; ++k) EXPECT_EQ(places.count({kEnergizerHomeX[k] == 84 ? 1 : 14, kEnergizerHomeY[k] == 84 ? 1 : 10}), 0u);
    // column by column, top to bottom
    for (int i = 2; i <= 106; ++i) {
        EXPECT_TRUE(kDotX[i] > kDotX[i - 1] || (kDotX[i] == kDotX[i - 1] && kDotY[i] > kDotY[i - 1])) << i;
    }
}

TEST(MazeData, LevelTableRisesFromTwoToTwelve) {
    for (int g = 1; g <= 5; ++g) {
        EXPECT_EQ(kLevelSteps[1][g], 2);
        EXPECT_EQ(kLevelSteps[30][g], 12);
        for (int level = 2; level <= 30; ++level) EXPECT_GE(kLevelSteps[level][g], kLevelSteps[level - 1][g]);
        for (int level = 1; level <= 30; ++level) EXPECT_EQ(12 % kLevelSteps[level][g], 0);
    }
    const int8_t row22[] = {12, 6, 6, 6, 6};
    const int8_t row16[] = {6, 6, 4, 4, 4};
    const int8_t row8[] = {4, 3, 3, 3, 3};
    for (int g = 1; g <= 5; ++g) {
        EXPECT_EQ(kLevelSteps[22][g], row22[g - 1]);
        EXPECT_EQ(kLevelSteps[16][g], row16[g - 1]);
        EXPECT_EQ(kLevelSteps[8][g], row8[g - 1]);
    }
}
