// The title screen: intro, difficulty menu, confirmation and music fade. The
// difficulty is only the starting level: NORMAL 1, DUR 11, HARD 21.
#include "core/game_state.h"
#include "core/sprite_numbers.h"
#include "core/steady_trig.h"
#include "pictures/drawing.h"
#include "input/input.h"
#include "platform/platform.h"
#include "pictures/screen.h"
#include "sound/sound.h"
#include "core/values.h"
#include "shell/program_flow.h"
#include "shell/screen_steps.h"
#include "shell/screens.h"
#include "shell/title_phases.h"

#include <string>

namespace {

constexpr int kTitleBackground = 22;
constexpr int kLogo = 27;

// The background circles about 14 pixels around its place, one turn in
// about 63 passes.
void TurnMenuCircle() {
    game.spiralAngle += 0.1f;
    game.spiralX = 10.0f * SteadyCos(game.spiralAngle) + 10.0f * SteadySin(game.spiralAngle);
    game.spiralY = 10.0f * SteadySin(game.spiralAngle) - 10.0f * SteadyCos(game.spiralAngle);
}

// The choices and the walking ghost go into the working background, so that
// they circle with it.
void DrawMenuBackground() {
    SetBlitTarget(kWorkingBackground);
    BeginDrawing(SpriteDrawTarget(kWorkingBackground));
    SetTextMode(1);
    SetTextCursor(80, 80);
    SetPenColour(255, 0, 35);
    PrintText("F1 Normal      F2 Dur      F3 Hard");
    EndDrawing();
    AnimateScreenGhosts(6, 6);
    game.titleGhostX += static_cast<float>(game.titleGhostStep);
    if (game.titleGhostX > 570.0f || game.titleGhostX < 470.0f) game.titleGhostStep = static_cast<int16_t>(-game.titleGhostStep);
    DrawSpriteKeyed(6, NearestInt(game.titleGhostX), 445);
    SetBlitTarget(-1);
}

// F3 is tested last, so with several held F3 wins over F2 and F2 over F1.
void ReadDifficultyKeys() {
    PollKeyboard();
    if (IsKeyHeld(kKeyEscape)) EndProgram();
    if (IsKeyHeld(kKeyF1)) game.level = 1;
    if (IsKeyHeld(kKeyF2)) game.level = 11;
    if (IsKeyHeld(kKeyF3)) game.level = 21;
}

const char* DifficultyWord() {
    switch (game.level) {
        case 1: return "NORMAL";
        case 11: return "DUR";
        case 21: return "HARD";
        default: return nullptr;
    }
}

void PrintAt(int x, int y, int r, int g, int b, const std::string& text) {
    SetPenColour(r, g, b);
    SetTextCursor(x, y);
    PrintText(text);
}

void DrawConfirmationTexts() {
    BeginDrawing(ScreenDrawTarget());
    SetTextMode(1);
    PrintAt(720, 300, 255, 255, 255, "V 1.1u");
    PrintAt(600, 350, 255, 0, 0, "Ram Video Free  " + std::to_string(FreeVideoMemory()) + " octets");
    SetPenColour(0, 255, 255);
    SetTextCursor(210, 400);
    if (const char* word = DifficultyWord()) PrintText(word);
    EndDrawing();
}

// A pass draws after presenting, so each pass shows the pass before.
void ShowConfirmationPass() {
    PollKeyboard();
    EndProgramIfScreenLost();
    AnimateScreenGhosts(6, 6);
    PresentFrame();
    Pause(10);
    FillScreen(0, 0, 0);
    DrawSpriteKeyed(kLogo, 100, 80);
    DrawSpriteKeyed(6, 225, 300);
    DrawSpriteKeyed(511, 225, 300);
    EndProgramIfScreenLost();
    DrawConfirmationTexts();
}

}  // namespace

// On a pad, Start or A chooses NORMAL, X DUR, Y HARD, and Back quits.
void RunTitleMenu() {
    platform::ShowingScreen(platform::ShownScreen::TitleMenu);
    static constexpr PadPress kMenuPad[] = {
        {kPadStart, kKeyF1}, {kPadA, kKeyF1}, {kPadX, kKeyF2}, {kPadY, kKeyF3}, {kPadBack, kKeyEscape}};
    PadPresses pad(kMenuPad);
    for (;;) {
        PollKeyboard();
        EndProgramIfScreenLost();
        TurnMenuCircle();
        DrawMenuBackground();
        DrawSpriteOpaque(kWorkingBackground, NearestInt(game.spiralX), NearestInt(game.spiralY));
        DrawSpriteKeyed(kLogo, NearestInt(game.spiralY * 5.0f + 100.0f), NearestInt(game.spiralX * 5.0f + 80.0f));
        PresentFrame();
        FillScreen(0, 0, 0);
        CopySpriteImage(kTitleBackground, kWorkingBackground);
        ReadDifficultyKeys();
        if (IsKeyHeld(kAnyKey)) return;
    }
}

void ShowTitleConfirmation() {
    for (int pass = 1; pass <= 100; ++pass) ShowConfirmationPass();
    PresentFrame();
}

void FadeTitleMusic() {
    for (int volume = 100; volume >= 0; --volume) {
        PollKeyboard();
        EndProgramIfScreenLost();
        Pause(20);
        SetMusicVolume(0, volume);
    }
}

void TitleScreen() {
    game.screen = Screen::Title;
    platform::ShowingScreen(platform::ShownScreen::Intro);
    CopySpriteImage(kTitleBackground, kWorkingBackground);
    PlayTitleIntro();
    RunTitleMenu();
    ShowTitleConfirmation();
    FadeTitleMusic();
}
