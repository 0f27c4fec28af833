// Level completion: once the 110 dots and energizers of a board are eaten,
// the ghosts go home, the transition plays, the next maze is loaded and the
// next level starts; after the thirtieth comes the congratulation sequence.
#include "board/actor_drawing.h"
#include "board/dots.h"
#include "board/home.h"
#include "board/maze.h"
#include "core/game_state.h"
#include "core/sprite_numbers.h"
#include "pictures/screen.h"
#include "core/values.h"
#include "shell/congratulation.h"
#include "shell/screens.h"

namespace {

constexpr int kBoardItems = kDotCount + kEnergizerCount;

// Everyone back to the start, the player hidden for the level's first second.
void SendEveryoneHome() {
    game.levelStartTick = GetTickCount();
    SendActorsHome();
    game.eatenCount = 0;
    game.level = static_cast<int16_t>(game.level + 1);
    Actor& player = game.actors[kPlayer];
    player.step = 2;
    game.direction = Direction::None;
}

// The last picture of the finished board: its background with the ghosts at
// home, without dots, items or status line (the player is hidden).
void ShowEmptiedBoard() {
    DrawSpriteOpaque(kWorkingBackground, 0, 0);
    DrawActors();
    PresentFrame();
}

void StartNewBoard() {
    for (int g = 1; g <= kGhostCount; ++g) game.actors[GhostActor(g)].step = game.levelTable[game.level][g];
    CopySpriteImage(0, kPlayer);
    SetSpriteFrame(kPlayer, 32, 0, 32, 32);
}

void StartNextLevel() {
    game.screen = Screen::Transition;
    SendEveryoneHome();
    ShowEmptiedBoard();
    PlayLevelTransition();
    LoadMazeLayout();
    ResetDots();
    if (game.level < 31) {
        StartNewBoard();
    } else {
        PlayCongratulation();
    }
    game.screen = Screen::Play;
    game.frightened = 0;
    game.speedItems = 0;
}

}  // namespace

void CheckLevelCleared() {
    if (game.eatenCount == kBoardItems) StartNextLevel();
    RollBonusItem();
    AwardExtraLives();
}
