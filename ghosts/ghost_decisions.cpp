// Ghost decisions: each ghost re-rolls its two aims at its own interval,
// pursues the player it sees exactly in line within its sight range, and
// while frightened turns away from a player on its line at any distance.
// Ghost 1 is the most restless and short-sighted, ghost 5 the steadiest and
// far-sighted.
#include "core/game_state.h"
#include "core/tick_arithmetic.h"
#include "ghosts/ghosts.h"
#include "core/random.h"

namespace {

constexpr int kRollInterval[kGhostCount + 1] = {0, 200, 500, 1000, 2000, 3000};
constexpr int kSightRange[kGhostCount + 1] = {0, 150, 200, 250, 300, 500};

constexpr int8_t kAimRight = 0, kAimLeft = 1, kNoAim = 2;
constexpr int8_t kAimDown = 0, kAimUp = 1;

// The roll timer is a 16-bit word: after a long pause the difference reads
// negative and the ghost rolls again only once it has wrapped past the
// interval.
void RollAims(int g) {
    int16_t nowWord = LowWord(GetTickCount());
    game.aimRollElapsed[g] = LowWord(nowWord - game.aimRollTick[g]);
    if (game.aimRollElapsed[g] <= kRollInterval[g]) return;
    game.aimX[g] = static_cast<int8_t>(RandomUpTo(1));
    game.aimY[g] = static_cast<int8_t>(RandomUpTo(1));
    game.aimRollTick[g] = nowWord;
}

void SetAims(int g, int8_t aimX, int8_t aimY) {
    game.aimX[g] = aimX;
    game.aimY[g] = aimY;
}

// In line means an exactly equal coordinate; walls in between do not matter.
// The other axis gets no wish, so the ghost keeps to the line.
void LookForPlayer(int g) {
    const Actor& ghost = game.actors[GhostActor(g)];
    const Actor& player = game.actors[kPlayer];
    const int range = kSightRange[g];
    game.seesAbove[g] = ghost.x == player.x && player.y < ghost.y && ghost.y - player.y < range;
    game.seesBelow[g] = ghost.x == player.x && ghost.y < player.y && player.y - ghost.y < range;
    game.seesLeft[g] = ghost.y == player.y && player.x < ghost.x && ghost.x - player.x < range;
    game.seesRight[g] = ghost.y == player.y && ghost.x < player.x && player.x - ghost.x < range;
    if (game.seesAbove[g]) SetAims(g, kNoAim, kAimUp);
    if (game.seesBelow[g]) SetAims(g, kNoAim, kAimDown);
    if (game.seesLeft[g]) SetAims(g, kAimLeft, kNoAim);
    if (game.seesRight[g]) SetAims(g, kAimRight, kNoAim);
    bool sees = game.seesAbove[g] || game.seesBelow[g] || game.seesLeft[g] || game.seesRight[g];
    game.seesPlayer[g] = sees ? 1 : 0;
}

// Flight reverses only the aim along the shared line, whatever the distance.
void FleePlayer(int g) {
    const Actor& ghost = game.actors[GhostActor(g)];
    const Actor& player = game.actors[kPlayer];
    if (ghost.x == player.x && player.y < ghost.y) game.aimY[g] = kAimDown;
    if (ghost.x == player.x && ghost.y < player.y) game.aimY[g] = kAimUp;
    if (ghost.y == player.y && player.x < ghost.x) game.aimX[g] = kAimRight;
    if (ghost.y == player.y && ghost.x < player.x) game.aimX[g] = kAimLeft;
}

}  // namespace

void DecideGhostAims() {
    for (int g = 1; g <= kGhostCount; ++g) {
        RollAims(g);
        LookForPlayer(g);
        if (game.frightened == 1) FleePlayer(g);
    }
}
