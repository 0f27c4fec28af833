// The system-font texts of the options screen, printed into sprite 110.
#include "shell/options_texts.h"

#include "core/game_state.h"
#include "core/sprite_numbers.h"
#include "core/tick_arithmetic.h"
#include "core/date_text.h"
#include "pictures/drawing.h"
#include "pictures/screen.h"
#include "core/values.h"

#include <string>

namespace {

constexpr const char* kAuthorWebAddress = "www.gulpkin.example";
constexpr const char* kAuthorMail = "contact@gulpkin.example";
constexpr const char* kToolWebAddress = "www.quillcode.example";

void PrintAt(int x, int y, const std::string& text) {
    SetTextCursor(x, y);
    PrintText(text);
}

// Hidden for one second, shown for the next: the blink timer is the bonus
// roll's tick, which play no longer needs.
void DrawEscapeLine() {
    SetPenColour(220, 199, 35);
    int32_t now = GetTickCount();
    int32_t elapsed = TickDifference(now, game.bonusRollTick);
    if (elapsed > 1000) {
        PrintAt(100, 75, "Echap pour Quitter !");
        if (elapsed > 2000) game.bonusRollTick = now;
    }
}

// "F10 Continuer" is left out after the last level, where F10 does nothing.
void DrawKeysAndClock() {
    SetPenColour(255, 0, 0);
    PrintAt(800, 78, "F11      Titre");
    SetPenColour(255, 255, 0);
    if (game.level != 31) PrintAt(800, 178, "F10 Continuer");
    SetPenColour(0, 255, 0);
    PrintAt(100, 178, "F12 Capture Ecran");
    PrintAt(500, 450, FormatDateText("%dd/%mm/%yyyy", CurrentDate()));
    PrintAt(500, 465, FormatDateText("  %hh:%ii:%ss", CurrentDate()));
}

// The studio name drifts between x = 189 and 381 and bobs between y = 603
// and 617.
void MoveStudioName() {
    game.studioX = static_cast<int16_t>(game.studioX + game.studioStepX);
    if (game.studioX > 380 || game.studioX < 190) game.studioStepX = static_cast<int8_t>(-game.studioStepX);
    game.studioY = static_cast<int16_t>(game.studioY + game.studioStepY);
    if (game.studioY > 616 || game.studioY < 604) game.studioStepY = static_cast<int8_t>(-game.studioStepY);
}

// p sweeps 0..255 and back.
void StepPulse(int& pulse) {
    pulse += game.pulseStep;
    if (pulse > 254 || pulse < 1) game.pulseStep = -game.pulseStep;
}

}  // namespace

void DrawOptionsTexts(int& pulse) {
    CopySpriteImage(MazeBackground(1), kWorkingBackground);
    BeginDrawing(SpriteDrawTarget(kWorkingBackground));
    SetTextMode(1);
    DrawEscapeLine();
    DrawKeysAndClock();
    SetPenColour(pulse, 255, pulse);
    PrintAt(610, 610, kAuthorWebAddress);
    MoveStudioName();
    SetPenColour(pulse, pulse, 255);
    PrintAt(game.studioX, game.studioY, "VELMORA ");
    StepPulse(pulse);
    SetPenColour(pulse, pulse, pulse);
    PrintAt(640, 230, "QUILLCODE");
    PrintAt(660, 250, "v 3.92");
    SetPenColour(255, pulse, pulse);
    PrintAt(225, 685, kAuthorMail);
    PrintAt(750, 685, kToolWebAddress);
    EndDrawing();
}
