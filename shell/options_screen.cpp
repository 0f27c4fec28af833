// The end-of-game options screen: the final and best scores, the moving
// credits, and the four keys. It never returns to the game that opened it:
// F10 and F11 abandon that game (unwinding to the shell, which starts the
// next one), Escape and a lost screen end the program.
#include "board/player.h"
#include "core/game_state.h"
#include "core/sprite_numbers.h"
#include "pictures/capture.h"
#include "input/input.h"
#include "platform/platform.h"
#include "pictures/screen.h"
#include "settings/settings_file.h"
#include "sound/sound.h"
#include "core/values.h"
#include "presentation/font_text.h"
#include "shell/options_texts.h"
#include "shell/program_flow.h"
#include "shell/screen_steps.h"
#include "shell/screens.h"

namespace {

// A new best score is saved in the first pass that finds it beaten; later
// passes find it equal and write nothing.
void SaveBestScore() {
    if (game.score <= game.highScore) return;
    game.highScore = game.score;
    CreateSettingsFile("Hit Score.ini");
    WriteSettingInt("HitScore", game.highScore);
    CloseSettingsFile();
}

// The two copies of the credits line scroll left and come back at the right.
void DrawCredits() {
    game.creditsX1 = static_cast<int16_t>(game.creditsX1 - 1);
    game.creditsX2 = static_cast<int16_t>(game.creditsX2 - 1);
    if (game.creditsX1 < -900) game.creditsX1 = 1024;
    if (game.creditsX2 < -900) game.creditsX2 = 1024;
    std::string credits = "GULPKIN  VELMORA  QUILLCODE " + IntToText(game.score);
    DrawFontText(credits, game.creditsX1, 378);
    DrawFontText(credits, game.creditsX2, 378);
}

// The ghost bares its teeth while the studio name passes its right end.
void DrawOptionsGhost() {
    AnimateScreenGhosts(6, 6);
    DrawSpriteKeyed(6, 340, 232);
    if (game.studioX > 358) DrawSpriteKeyed(511, 340, 232);
    if (game.studioX > 376) DrawSpriteKeyed(512, 340, 232);
}

void DrawOptionsPass(int& pulse) {
    DrawOptionsTexts(pulse);
    DrawSpriteOpaque(kWorkingBackground, 0, 0);
    DrawFontText(IntToText(game.score), 467, 125);
    SaveBestScore();
    DrawFontText("HIT " + IntToText(game.highScore), 430, 530);
    DrawFontText("0", 113, 475);
    DrawFontText(IntToText(game.level), 900, 437);
    DrawCredits();
    DrawOptionsGhost();
}

void SaveCapture() {
    GrabScreenToSprite(888, 0, 0, 1024, 768);
    SaveSpriteBitmap(888, "Capture_Gulpkin.bmp");
}

// F10 (not after the last level) wins over F11, F11 over Escape.
void ReadOptionKeys() {
    if (IsKeyHeld(kKeyF12)) SaveCapture();
    if (IsKeyHeld(kKeyF10) && game.level != 31) {
        HaltMusic();
        game.score = 0;
        game.eatenCount = 0;
        game.lives = 3;
        game.ghostsEaten = 0;
        PutPlayerAtStart();
        RestartAtCurrentLevel();
    } else if (IsKeyHeld(kKeyF11)) {
        HaltMusic();
        game.contactSoundPlayed = 0;
        PutPlayerAtStart();
        RestartAtTitle();
    } else if (IsKeyHeld(kKeyEscape)) {
        EndProgram();
    }
}

}  // namespace

// On a pad, A plays again (F10), B goes to the title (F11), Back quits.
void OptionsScreen() {
    static constexpr PadPress kOptionsPad[] = {{kPadA, kKeyF10}, {kPadB, kKeyF11}, {kPadBack, kKeyEscape}};
    PadPresses pad(kOptionsPad);
    game.screen = Screen::Options;
    platform::ShowingScreen(platform::ShownScreen::EndScreen);
    Pause(1000);
    CopySpriteImage(16, 6);
    StartMusic(2);
    int pulse = 0;
    for (;;) {
        PollKeyboard();
        EndProgramIfScreenLost();
        DrawOptionsPass(pulse);
        PresentFrame();
        PollKeyboard();
        ReadOptionKeys();
    }
}
