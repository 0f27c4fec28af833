// The frame loop: presents the previous frame, reads the keyboard and, while
// the game owns the screen, runs every game procedure once in a fixed order.
#include "board/actor_drawing.h"
#include "board/contacts.h"
#include "board/dots.h"
#include "board/maze.h"
#include "board/player.h"
#include "core/game_state.h"
#include "core/sprite_numbers.h"
#include "ghosts/ghosts.h"
#include "pictures/drawing.h"
#include "input/input.h"
#include "platform/platform.h"
#include "pictures/screen.h"
#include "sound/sound.h"
#include "core/values.h"
#include "presentation/font_text.h"
#include "shell/frame_loop.h"
#include "shell/program_flow.h"
#include "shell/screens.h"

namespace {

// The level's background copied into the working background and drawn whole,
// so the screen never needs clearing.
void DrawBackground() {
    if (game.level >= 1 && game.level <= 30) CopySpriteImage(MazeBackground(LayoutForLevel(game.level)), kWorkingBackground);
    DrawSpriteOpaque(kWorkingBackground, 0, 0);
}

// Along the bottom edge, shrinking one pixel per 6 ms of frightened time while
// turning from green to red. The colour is deliberately not clamped: early
// eaten ghosts make the elapsed time negative and the components spill.
void DrawFrightenedBar() {
    if (game.frightened != 1) {
        game.frightBarShrink = 0;
        return;
    }
    BeginDrawing(ScreenDrawTarget());
    game.frightBarShrink = static_cast<int16_t>(RoundToInt(static_cast<float>(game.frightElapsed / 6.0)));
    int32_t s = RoundToInt(static_cast<float>(game.frightBarShrink / 5.0));
    int32_t colour = MixColour(s + 35, 255 - s, 50);
    FillRect(0, 748, 1024 - game.frightBarShrink, 12, colour);
    EndDrawing();
}

// The screen has just come back: two beeps around a reload of every picture.
void RestoreScreen() {
    Pause(20);
    Beep(800, 20);
    LoadSprites();
    Pause(20);
    Beep(800, 120);
    game.screenLostFlag = 0;
}

}  // namespace

// The order is the game's: movement first, then the drawing from the
// background up, each step over the earlier ones, the status line last.
void PlayOneFrame() {
    AnimatePlayer();
    AnimateGhosts();
    DecideGhostAims();
    ControlPlayer();
    MoveGhosts();
    DrawBackground();
    DrawFrightenedBar();
    CheckLevelCleared();
    DrawDots();
    UpdateBonusItems();
    EatDots();
    GhostContact();
    EatGhosts();
    UpdateFrightenedMode();
    LocateActors();
    LoadCellWalls();
    DrawActors();
    DrawStatusLine();
}

void RunFrameLoop() {
    platform::ShowingScreen(platform::ShownScreen::Play);
    while (game.quitRequested == 0) {
        game.screen = Screen::Play;
        PresentFrame();
        PollKeyboard();
        if (ScreenHasFocus() != 0 && game.screenLostFlag == 0) {
            PlayOneFrame();
        } else if (ScreenHasFocus() != 0 && game.screenLostFlag == 1) {
            RestoreScreen();
        } else {
            game.screenLostFlag = 1;
            Pause(10);
        }
    }
}
