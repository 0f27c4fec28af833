// Steps shared by the screens around play.
#include "shell/screen_steps.h"

#include "core/game_state.h"
#include "core/tick_arithmetic.h"
#include "ghosts/ghosts.h"
#include "pictures/drawing.h"
#include "pictures/screen.h"
#include "core/values.h"
#include "presentation/fireworks.h"
#include "shell/program_flow.h"

bool ScreenIsLost() {
    return ScreenHasFocus() == 0 || game.screenLostFlag != 0;
}

void EndProgramIfScreenLost() {
    if (ScreenIsLost()) EndProgram();
}

void AnimateScreenGhosts(int firstSprite, int lastSprite) {
    if (!AdvanceGhostFrame(80)) return;
    for (int id = firstSprite; id <= lastSprite; ++id) {
        SetSpriteFrame(id, (game.ghostFrame - 1) * 32, game.ghostFrameRow, 32, 32);
    }
}

void AnimateScreenPlayer() {
    int32_t now = GetTickCount();
    if (TickDifference(now, game.playerFrameTick) <= 30) return;
    game.playerFrame = static_cast<int8_t>(game.playerFrame + 1);
    if (game.playerFrame > 10) game.playerFrame = 1;
    SetSpriteFrame(kPlayer, (game.playerFrame - 1) * 32, 0, 32, 32);
    game.playerFrameTick = now;
}

void DrawFireworks() {
    BeginDrawing(ScreenDrawTarget());
    UpdateParticles();
    PlotParticles();
    EndDrawing();
}
