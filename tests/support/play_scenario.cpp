// Helpers for scenario tests of play.
#include "tests/support/play_scenario.h"

#include "board/maze.h"

void PlacePlayer(int x, int y) {
    game.actors[kPlayer].x = static_cast<int16_t>(x);
    game.actors[kPlayer].y = static_cast<int16_t>(y);
    LocateActors();
    LoadCellWalls();
}

void ParkGhosts() {
    for (int g = 1; g <= kGhostCount; ++g) {
        game.actors[GhostActor(g)].x = 936;
        game.actors[GhostActor(g)].y = 696;
    }
}

std::string CallEveryFrame(int first, int last, const std::string& name) {
    std::string script;
    for (int frame = first; frame <= last; ++frame) script += std::to_string(frame) + " call " + name + "\n";
    return script;
}

// The hook of frame f runs before played frame f, so it sees the state after
// played frame f - 1; frame 1's hook stores the start as sample 0.
PlayerWatch::PlayerWatch(HeadlessRun& options) {
    options.calls["watch"] = [this] {
        const Actor& player = game.actors[kPlayer];
        const GridState& grid = game.grid[kPlayerSlot];
        samples_.push_back({player.x, player.y, player.step, grid.column, grid.row, game.direction});
        ParkGhosts();
    };
}
