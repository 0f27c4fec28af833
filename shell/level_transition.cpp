// The effect between two levels: the finished board spins out along a
// widening spiral, or, before levels 11 and 21, an interlude plays instead.
// Either way the new level's background ends up in sprite 110.
#include "board/maze.h"
#include "core/game_state.h"
#include "core/sprite_numbers.h"
#include "core/steady_trig.h"
#include "pictures/screen.h"
#include "core/values.h"
#include "shell/screens.h"

namespace {

constexpr int kSpiralFrames = 181;

// The radius grows by 10 pixels a frame across and 3 down (after the
// doubling) while the angle turns 0.03 radians a frame, accumulated in single
// precision: the board leaves to the left, sweeps back and leaves to the right.
void PlaySpiral() {
    for (game.spiralStep = 0; game.spiralStep < kSpiralFrames; ++game.spiralStep) {
        game.spiralAngle += 0.03f;
        float step = static_cast<float>(game.spiralStep);
        game.spiralX = (1.0f + 5.0f * step) * SteadyCos(game.spiralAngle) + 1.0f * SteadySin(game.spiralAngle);
        game.spiralY = (1.0f + 1.5f * step) * SteadySin(game.spiralAngle) - 1.0f * SteadyCos(game.spiralAngle);
        DrawSpriteOpaque(kWorkingBackground, NearestInt(2.0f * game.spiralX), NearestInt(2.0f * game.spiralY));
        PresentFrame();
        FillScreen(0, 0, 0);
    }
    game.spiralX = 1.0f;
    game.spiralY = 1.0f;
    game.spiralAngle = 0.0f;
}

}  // namespace

void PlayLevelTransition() {
    if (game.level == 11) {
        PlayChaseInterlude();
    } else if (game.level == 21) {
        PlayFleeInterlude();
    } else {
        PlaySpiral();
    }
    if (game.level >= 1 && game.level <= kLevels) CopySpriteImage(MazeBackground(LayoutForLevel(game.level)), kWorkingBackground);
}
