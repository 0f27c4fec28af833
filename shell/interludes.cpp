// The two interludes: the music fades, a jingle plays, and on a black screen
// a ghost chases the player (before level 11) or the player chases a
// frightened ghost (before level 21).
#include "core/game_state.h"
#include "input/input.h"
#include "pictures/screen.h"
#include "sound/sound.h"
#include "core/values.h"
#include "shell/screen_steps.h"
#include "shell/screens.h"

namespace {

// Fades the play music out; false (with the screen marked lost) when the
// screen goes away meanwhile, leaving the music at the volume reached.
bool FadePlayMusic() {
    for (int volume = 100; volume >= 0; --volume) {
        PollKeyboard();
        if (ScreenIsLost()) {
            game.screenLostFlag = 1;
            return false;
        }
        Pause(20);
        SetMusicVolume(1, volume);
    }
    return true;
}

// false when the screen went away: the frame loop handles the lost screen
// once the play music is back after a long pause
bool StartChaseFrame() {
    PollKeyboard();
    if (ScreenIsLost()) {
        game.screenLostFlag = 1;
        Pause(5000);
        StartMusic(1);
        return false;
    }
    FillScreen(0, 0, 0);
    SetBlitTarget(-1);
    AnimateScreenPlayer();
    AnimateScreenGhosts(6, 6);
    return true;
}

// The common opening; false if the screen was lost during the fade.
bool OpenInterlude(int ghostPicture, int playerPicture) {
    FillScreen(0, 0, 0);
    PresentFrame();
    if (!FadePlayMusic()) return false;
    HaltMusic();
    StartSound(8, 0);
    CopySpriteImage(ghostPicture, 6);
    CopySpriteImage(playerPicture, kPlayer);
    return true;
}

void CloseInterlude() {
    Pause(2500);
    StartMusic(1);
}

}  // namespace

// The player runs right from x = -46 to 1102 in 288 frames, the ghost with
// its teeth 103 pixels behind at first and 31 at the end.
void PlayChaseInterlude() {
    game.interludeX = -50.0f;
    if (!OpenInterlude(16, 0)) return;
    while (game.interludeX < 1100.0f) {
        if (!StartChaseFrame()) return;
        game.interludeX += 4.0f;
        int ghostX = NearestInt(game.interludeX / 16.0f + game.interludeX - 100.0f);
        DrawSpriteKeyed(6, ghostX, 445);
        DrawSpriteKeyed(511, ghostX, 445);
        DrawSpriteKeyed(kPlayer, NearestInt(game.interludeX), 445);
        PresentFrame();
    }
    CloseInterlude();
}

// The frightened ghost runs left from x = 1056 to -90 in 288 frames, the
// player closing on it from 314 to 28 pixels behind.
void PlayFleeInterlude() {
    game.interludeBackX = 1100.0f;
    if (!OpenInterlude(20, 2)) return;
    while (game.interludeBackX > -50.0f) {
        if (!StartChaseFrame()) return;
        game.interludeBackX -= 4.0f;
        DrawSpriteKeyed(kPlayer, NearestInt(game.interludeBackX / 4.0f + game.interludeBackX), 445);
        DrawSpriteKeyed(6, NearestInt(game.interludeBackX - 40.0f), 445);
        PresentFrame();
    }
    CloseInterlude();
}
