// The congratulation sequence: the title music, the fireworks, "FIN DU JEU"
// and "FELICITATION" with the cast in a row, for a fixed 2501 frames that no
// key shortens; then the options screen.
#include "shell/congratulation.h"

#include "core/game_state.h"
#include "input/input.h"
#include "pictures/screen.h"
#include "sound/sound.h"
#include "core/values.h"
#include "presentation/font_text.h"
#include "shell/screen_steps.h"
#include "shell/screens.h"

namespace {

constexpr int kCongratulationFrames = 2501;

// Every ghost in its own colour and the player facing right.
void RestoreCastPictures() {
    for (int g = 1; g <= kGhostCount; ++g) CopySpriteImage(GhostActor(g) + 10, GhostActor(g));
    CopySpriteImage(0, kPlayer);
}

void DrawCongratulationFrame() {
    FillScreen(0, 0, 0);
    DrawFireworks();
    DrawSpriteKeyed(27, 100, 80);
    DrawFontText("FIN DU JEU", 550, 450);
    DrawFontText("FELICITATION", 600, 500);
    AnimateScreenPlayer();
    DrawSpriteKeyed(kPlayer, 100, 460);
    for (int g = 1; g <= kGhostCount; ++g) DrawSpriteKeyed(GhostActor(g), 100 + 50 * g, 460);
}

}  // namespace

void PlayCongratulation() {
    game.screen = Screen::Congratulation;
    StartMusic(0);
    FillScreen(0, 0, 0);
    PresentFrame();
    RestoreCastPictures();
    for (int n = 0; n < kCongratulationFrames; ++n) {
        PollKeyboard();
        EndProgramIfScreenLost();
        AnimateScreenGhosts(GhostActor(1), GhostActor(kGhostCount));
        DrawCongratulationFrame();
        PresentFrame();
    }
    Pause(1000);
    OptionsScreen();
}
