// Locating actors on the grid lines and loading the walls of their crossing.
#include "board/maze.h"
#include "core/game_state.h"

#include <gtest/gtest.h>

namespace {

class Grid : public ::testing::Test {
protected:
    void SetUp() override {
        ResetGameState();
        game.level = 1;
        LoadMazeLayout();
    }
    Actor& Player() { return game.actors[kPlayer]; }
    GridState& PlayerGrid() { return game.grid[kPlayerSlot]; }
};

}  // namespace

TEST_F(Grid, LevelPicksItsLayout) {
    game.level = 16;  // layout 6: the start crossing opens only downwards
    LoadMazeLayout();
    const MazeCell& start = game.maze[8][6];
    EXPECT_EQ(start.right, 1);
    EXPECT_EQ(start.left, 1);
    EXPECT_EQ(start.top, 1);
    EXPECT_EQ(start.bottom, 0);
}

TEST_F(Grid, WrapsOnlyBeyondTheEdges) {
    Player().x = -2;
    LocateActors();
    EXPECT_EQ(Player().x, 1024);
    LocateActors();
    EXPECT_EQ(Player().x, 1024);  // 1024 itself stays
    Player().x = 1024 + 3;
    LocateActors();
    EXPECT_EQ(Player().x, 0);
    Player().y = -5;  // y never wraps
    LocateActors();
    EXPECT_EQ(Player().y, -5);
}

TEST_F(Grid, MarksOnlyExactCentres) {
    Player().x = 540;
    Player().y = 540;
    Actor& ghost = game.actors[GhostActor(2)];
    ghost.x = 588;
    ghost.y = 300;  // between rows 3 and 4
    LocateActors();
    EXPECT_EQ(PlayerGrid().column, 6);
    EXPECT_EQ(PlayerGrid().row, 8);
    EXPECT_EQ(game.playerAtCellCentre, 1);
    EXPECT_EQ(game.grid[GhostSlot(2)].column, 7);
    EXPECT_EQ(game.grid[GhostSlot(2)].row, 0);
    Player().x = 541;
    LocateActors();
    EXPECT_EQ(PlayerGrid().column, 0);
    EXPECT_EQ(game.playerAtCellCentre, 0);
}

TEST_F(Grid, WallsLoadOnCrossingsAndStayBetweenThem) {
    Actor& ghost = game.actors[GhostActor(1)];
    ghost.x = 540;
    ghost.y = 468;  // the ghost start: only a bottom wall
    LocateActors();
    LoadCellWalls();
    GridState& g = game.grid[GhostSlot(1)];
    EXPECT_EQ(g.row, 6);
    EXPECT_EQ(g.column, 6);
    EXPECT_EQ(g.wallBottom, 1);
    EXPECT_EQ(g.wallTop + g.wallLeft + g.wallRight, 0);
    ghost.y = 466;  // off the row: the flags keep the crossing's walls
    g.wallRight = 1;
    LocateActors();
    LoadCellWalls();
    EXPECT_EQ(g.wallBottom, 1);
    EXPECT_EQ(g.wallRight, 1);
}

TEST_F(Grid, ResetDotsRestoresEveryDotAndEnergizer) {
    ResetDots();
    game.dotX[5] = -1050;
    game.energizerX[3] = -100;
    ResetDots();
    EXPECT_EQ(game.dotX[5], kDotX[5]);
    EXPECT_EQ(game.energizerX[3], 84);
    EXPECT_EQ(game.energizerY[3], 696);
    EXPECT_EQ(game.energizerX[2], 936);
}
