// Helpers for scenario tests of play.
#include "tests/support/play_scenario.h"

#include "board/maze.h"
#include "pictures/screen.h"

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

bool GamePicturesLoaded() {
    static const bool loaded = [] {
        bool found = false;
        HeadlessRun options;
        options.directLevel = 1;
        options.calls["look"] = [&] { found = SpriteWidth(kPlayer) > 0 && SpriteWidth(600) > 0; };
        RunScenario("1 call look\n1 quit\n", options);
        return found;
    }();
    return loaded;
}

bool SpriteShownAt(const uint16_t* pixels, int sprite, int x, int y) {
    SpriteView view;
    if (pixels == nullptr || !ViewSprite(sprite, view)) return false;
    int matched = 0;
    for (int row = 0; row < view.frameHeight; ++row) {
        for (int column = 0; column < view.frameWidth; ++column) {
            uint16_t ink = view.pixels[(view.frameY + row) * view.imageWidth + view.frameX + column];
            int px = x + column, py = y + row;
            if (ink == 0 || px < 0 || py < 0 || px >= 1024 || py >= 768) continue;
            if (pixels[py * 1024 + px] != ink) return false;
            ++matched;
        }
    }
    return matched > 0;
}

int SpriteInkCount(int sprite) {
    SpriteView view;
    if (!ViewSprite(sprite, view)) return 0;
    int count = 0;
    for (int row = 0; row < view.frameHeight; ++row) {
        for (int column = 0; column < view.frameWidth; ++column) {
            count += view.pixels[(view.frameY + row) * view.imageWidth + view.frameX + column] != 0;
        }
    }
    return count;
}
