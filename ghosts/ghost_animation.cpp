// The one animation frame that all ghost pictures share: frames 1..10 of the
// first strip, then frames 1..7 of the second, one frame per period.
#include "core/game_state.h"
#include "core/tick_arithmetic.h"
#include "ghosts/ghosts.h"

bool AdvanceGhostFrame(int periodMs) {
    int32_t now = GetTickCount();
    if (TickDifference(now, game.ghostFrameTick) <= periodMs) return false;
    game.ghostFrame += 1;
    // The second strip has only seven frames; the first has ten.
    if (game.ghostFrame > 7 && game.ghostFrameRow == 32) {
        game.ghostFrame = 1;
        game.ghostFrameRow = 0;
    }
    if (game.ghostFrame > 10) {
        game.ghostFrame = 1;
        game.ghostFrameRow = 32;
    }
    game.ghostFrameTick = now;
    return true;
}

void AnimateGhosts() {
    AdvanceGhostFrame(game.ghostFrameDelay + 40);
}
