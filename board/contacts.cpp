// Touches between the player and the ghosts. Outside the frightened mode a
// touch that lasts more than 300 ms costs a life; inside it every touched
// ghost is eaten for 100, 200, 300, 400 and then 1000 points and a life.
#include "board/contacts.h"

#include "board/death_sequence.h"
#include "board/home.h"
#include "core/game_state.h"
#include "core/tick_arithmetic.h"
#include "core/random.h"
#include "pictures/screen.h"
#include "sound/sound.h"

namespace {

constexpr int kTouchLimitMs = 300;
constexpr int kFirstScoreLabel = 501;  // 501..505: 100p .. 1000p

// Pixel-exact overlap of the player's picture with ghost g's current frame.
bool Touches(int g) {
    const Actor& player = game.actors[kPlayer];
    const Actor& ghost = game.actors[GhostActor(g)];
    return SpritesOverlap(kPlayer, player.x - 16, player.y - 16, GhostActor(g), ghost.x - 16, ghost.y - 16) == 1;
}

bool AnyGhostTouches() {
    for (int g = 1; g <= kGhostCount; ++g) {
        if (Touches(g)) return true;
    }
    return false;
}

// The label at the ghost's place, the game held still, the ghost sent home.
void EatGhost(int g) {
    StartSoundOnce(11 + RandomUpTo(2));
    game.ghostsEaten = static_cast<int8_t>(game.ghostsEaten + 1);
    Actor& ghost = game.actors[GhostActor(g)];
    DrawSpriteKeyed(kFirstScoreLabel - 1 + game.ghostsEaten, ghost.x - 20, ghost.y - 10);
    PresentFrame();
    game.frightStartTick = TickPlus(game.frightStartTick, 1200);
    Pause(500);
    ghost.x = kPenX;
    ghost.y = kPenY;
    if (game.ghostsEaten == 5) {
        game.score += 1000;
        game.ghostsEaten = 0;
        StartSound(5, 0);
        if (game.lives < 5) game.lives = static_cast<int8_t>(game.lives + 1);
    } else {
        game.score += 100 * game.ghostsEaten;
    }
}

}  // namespace

void GhostContact() {
    if (game.frightened == 1) return;
    if (!AnyGhostTouches()) {
        game.contactStartTick = GetTickCount();
        game.contactSoundPlayed = 0;
        return;
    }
    if (TicksSince(game.contactStartTick) > kTouchLimitMs) PlayDeathSequence();
    if (game.contactSoundPlayed == 0) {
        StartSoundOnce(9 + RandomUpTo(1));
        game.contactSoundPlayed = 1;
    }
}

void EatGhosts() {
    if (game.frightened != 1) {
        game.ghostsEaten = 0;
        return;
    }
    for (int g = 1; g <= kGhostCount; ++g) {
        if (Touches(g)) EatGhost(g);
    }
}
