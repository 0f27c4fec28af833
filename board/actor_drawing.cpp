// Drawing the player and the five ghosts, with the teeth a ghost bares when
// it has the player in sight.
#include "board/actor_drawing.h"

#include "core/game_state.h"
#include "core/tick_arithmetic.h"
#include "pictures/screen.h"

namespace {

constexpr int kTeeth = 511;
constexpr int kBigTeeth = 512;

// Within 99 pixels on both axes.
bool PlayerIsNear(const Actor& ghost, const Actor& player) {
    return ghost.y - player.y < 100 && player.y - ghost.y < 100 && ghost.x - player.x < 100 &&
           player.x - ghost.x < 100;
}

void DrawGhost(int g) {
    const Actor& ghost = game.actors[GhostActor(g)];
    DrawSpriteKeyed(GhostActor(g), ghost.x - 16, ghost.y - 16);
    if (game.seesPlayer[g] != 1 || game.frightened != 0) return;
    DrawSpriteKeyed(kTeeth, ghost.x - 16, ghost.y - 16);
    if (PlayerIsNear(ghost, game.actors[kPlayer])) DrawSpriteKeyed(kBigTeeth, ghost.x - 16, ghost.y - 16);
}

}  // namespace

void DrawActors() {
    // Hidden for the first second of a level; it still moves and can be caught.
    const Actor& player = game.actors[kPlayer];
    if (TicksSince(game.levelStartTick) > 1000) DrawSpriteKeyed(kPlayer, player.x - 16, player.y - 16);
    // Later ghosts cover earlier ones, and all cover the player.
    for (int g = 1; g <= kGhostCount; ++g) DrawGhost(g);
}
