// The frightened mode: 6.5 s (plus 1.2 s per ghost eaten) during which the
// ghosts are dark blue, step 2 pixels and can be eaten, flashing back to
// their own colours in short bursts towards the end.
//
// UpdateFrightenedMode runs every frame, frightened or not: it is also where
// every ghost's step comes from the level table, where all actors snap to a
// multiple of their step, and where the ghost pictures and their shared
// animation frame are applied.
#include "board/player.h"
#include "core/game_state.h"
#include "core/tick_arithmetic.h"
#include "ghosts/ghosts.h"
#include "pictures/screen.h"
#include "sound/sound.h"

#include <algorithm>

namespace {

constexpr int kOwnPictures = 15;    // 15..19: the ghosts' own colours, untouched
constexpr int kFrightPicture = 10;  // the dark-blue picture

// The moments (ms since the start of the period) at which the ghosts show
// their own colours; from 6401 on they keep them until the period ends.
bool ShowsOwnColours(int32_t elapsed) {
    struct Window {
        int32_t from, to;
    };
    static constexpr Window kWindows[] = {
        {4501, 4599}, {5501, 5549}, {6001, 6049}, {6201, 6249}, {6301, 6349}};
    for (const Window& window : kWindows) {
        if (elapsed >= window.from && elapsed <= window.to) return true;
    }
    return elapsed >= 6401;
}

void ShowOwnPictures() {
    for (int g = 1; g <= kGhostCount; ++g) CopySpriteImage(kOwnPictures + g - 1, GhostActor(g));
}

void ShowFrightPictures() {
    for (int g = 1; g <= kGhostCount; ++g) CopySpriteImage(kFrightPicture, GhostActor(g));
}

// Frightened ghosts all step 2: down to the even value not above.
void SnapGhostsToFrightStep() {
    for (int g = 1; g <= kGhostCount; ++g) {
        Actor& ghost = game.actors[GhostActor(g)];
        ghost.x = static_cast<int16_t>((ghost.x >> 1) * 2);
        ghost.y = static_cast<int16_t>((ghost.y >> 1) * 2);
        ghost.step = 2;
    }
}

// The level table covers levels 1..30; a level beyond (31 after the last
// board) keeps the nearest row rather than reading past the table.
int LevelStep(int g) {
    int row = std::clamp<int>(game.level, 1, kLevels);
    return game.levelTable[row][g];
}

// Each ghost steps by its level's step, snapped towards zero to a multiple of
// it. A step of 0 (no table loaded) leaves the ghost as it is.
void SnapGhostsToLevelSteps() {
    for (int g = 1; g <= kGhostCount; ++g) {
        int s = LevelStep(g);
        if (s <= 0) continue;
        Actor& ghost = game.actors[GhostActor(g)];
        ghost.x = static_cast<int16_t>(ghost.x / s * s);
        ghost.y = static_cast<int16_t>(ghost.y / s * s);
        ghost.step = static_cast<int8_t>(s);
    }
}

// Only the low word of the elapsed time is compared: a period whose elapsed
// time has wrapped in 16 bits ends at the next such wrap past the duration.
void EndPeriodWhenOver(int32_t now) {
    game.frightElapsed = TickDifference(now, game.frightStartTick);
    if (LowWord(game.frightElapsed) > game.frightDuration) {
        game.frightStartTick = now;
        game.frightened = 0;
    }
}

}  // namespace

void StartFrightenedMode() {
    game.frightened = 1;
    game.frightStartTick = GetTickCount();
    game.frightElapsed = 0;
    StartSound(1, 0);
    UpdateFrightenedMode();
}

void UpdateFrightenedMode() {
    if (game.frightened == 1) {
        game.ghostFrameDelay = 100;
        if (ShowsOwnColours(game.frightElapsed)) {
            ShowOwnPictures();
        } else {
            ShowFrightPictures();
        }
        SnapGhostsToFrightStep();
    } else {
        game.ghostFrameDelay = 0;
        ShowOwnPictures();
        SnapGhostsToLevelSteps();
    }
    ApplyPlayerStepRule();
    EndPeriodWhenOver(GetTickCount());
    // The copies select the whole picture again: choose the frame after them.
    for (int id = GhostActor(1); id <= GhostActor(kGhostCount); ++id) {
        SetSpriteFrame(id, (game.ghostFrame - 1) * 32, game.ghostFrameRow, 32, 32);
    }
}
