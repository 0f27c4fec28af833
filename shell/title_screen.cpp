// The title screen. Placeholder: ends the program without a screen.
#include "media/input.h"
#include "media/screen.h"
#include "shell/game_state.h"
#include "shell/program_flow.h"
#include "shell/screens.h"

void TitleScreen() {
    game.screen = Screen::Title;
    PollKeyboard();
    if (ScreenHasFocus() == 0 || game.screenLostFlag != 0) EndProgram();
}
