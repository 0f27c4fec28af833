// The death sequence of a lost life.
#include "board/death_sequence.h"

#include "board/home.h"
#include "board/player.h"

#include "core/board_outcomes.h"
#include "core/game_state.h"
#include "core/sprite_numbers.h"
#include "input/input.h"
#include "platform/platform.h"
#include "pictures/screen.h"
#include "sound/sound.h"
#include "core/values.h"

namespace {

constexpr int kDeathStrip = 500;

// Ten frames of 150 ms on the bare background: no dots, items, ghosts or
// status line; two seconds with the first pause.
void AnimateDeath() {
    Pause(500);
    StartSound(2, 0);
    CopySpriteImage(kDeathStrip, kPlayer);
    const Actor& player = game.actors[kPlayer];
    for (int f = 1; f <= 10; ++f) {
        SetSpriteFrame(kPlayer, (f - 1) * 32, 0, 32, 32);
        DrawSpriteOpaque(kWorkingBackground, 0, 0);
        DrawSpriteKeyed(kPlayer, player.x - 16, player.y - 16);
        Pause(150);
        PresentFrame();
    }
}

// Everyone back at the start; maze, dots, items, score, charges and the level
// stay as they are.
void ResetForNextLife() {
    PutPlayerAtStart();
    game.grid[kPlayerSlot].column = 6;
    game.grid[kPlayerSlot].row = 8;
    SendGhostsHome();
}

// Nothing is drawn meanwhile; a key still held from play ends it at once.
// Between reads the machine takes its window events, so that closing the
// window or a signal ends the program at once, and rests.
void WaitForKeyOrButton() {
    for (;;) {
        PollKeyboard();
        if (IsKeyHeld(kAnyKey) != 0) return;
        if (game.joystickPresent == 1) {
            PollJoystick();
            if (JoystickButton(2) != 0) return;
        }
        RestBetweenReads();
    }
}

}  // namespace

void PlayDeathSequence() {
    game.screen = Screen::Death;
    AnimateDeath();
    game.lives = static_cast<int8_t>(game.lives - 1);
    if (game.lives < 0) EndLostGame();
    ResetForNextLife();
    platform::ShowingScreen(platform::ShownScreen::LostLifeWait);
    WaitForKeyOrButton();
    game.screen = Screen::Play;
}
