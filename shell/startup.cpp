// The program entry: start-up in its fixed order, the title screen, game
// set-up and the frame loop; and the one end sequence.
#include "board/maze.h"
#include "core/game_state.h"
#include "media/capture.h"
#include "media/drawing.h"
#include "media/input.h"
#include "media/picture_decoding.h"
#include "media/platform/platform.h"
#include "media/random.h"
#include "media/screen.h"
#include "media/settings_file.h"
#include "media/sound.h"
#include "media/values.h"
#include "presentation/fireworks.h"
#include "shell/program_flow.h"
#include "shell/screens.h"

#include <cmath>

namespace {

bool programEnding = false;
int directStartLevel = 0;

void StartServices() {
    InitDrawing();
    InitImageDecoders();
    InitRandom();
    InitSettings();
    InitScreen();
    InitKeyboard();
    InitSound();
    InitMusic();
    UseJpegDecoder();
    InitMouse();
    RandomSeed(static_cast<uint32_t>(RandomUpTo(999999999)));
    game.joystickPresent = InitJoystick() != 0 ? 1 : 0;
}

void PrepareParticles() {
    game.particleCount = 2000;
    game.particleGravity = 0.6f;
    game.particleSpread = 2.0f;
    for (int i = 1; i <= game.particleCount; ++i) ResetParticle(i);
}

void ReadBestScore() {
    OpenSettingsFile("Hit Score.ini");
    game.highScore = ReadSettingInt("HitScore", 0);
    CloseSettingsFile();
}

void StartTimers() {
    int32_t now = GetTickCount();
    game.playerFrameTick = now;
    game.ghostFrameTick = now;
    game.contactStartTick = now;
    game.levelStartTick = now;
    for (int g = 1; g <= kGhostCount; ++g) {
        game.seesAbove[g] = game.seesBelow[g] = game.seesLeft[g] = game.seesRight[g] = game.seesPlayer[g] = 0;
        game.aimRollTick[g] = static_cast<int16_t>(GetTickCount() & 0xFFFF);
        game.aimRollElapsed[g] = 0;
    }
    game.frightStartTick = GetTickCount();
    game.frightElapsed = 0;
    game.bonusRollTick = GetTickCount();
}

// The 75 Hz mode first; if the display refuses it, its default rate with the
// frame limiter. The second attempt's result is not tested.
void OpenScreen() {
    SetScreenRefresh(75);
    if (OpenFullScreen(1024, 768, 16, "Gulpkin") == 0) {
        SetScreenRefresh(0);
        OpenFullScreen(1024, 768, 16, "Test");
        SetFrameCap(75);
    }
}

}  // namespace

void StartUp() {
    programEnding = false;
    game.screen = Screen::Startup;
    StartServices();
    PrepareParticles();
    Pause(1000);
    game.titleWavePhase = 0.7f;
    ReadBestScore();
    LoadSoundsAndMusic();
    StartTimers();
    game.titleGhostX = 540.0f;
    game.titleGhostStep = 1;
    OpenScreen();
    LoadSprites();
}

namespace {

void ResetGrid() {
    for (int slot = 1; slot <= 6; ++slot) game.grid[slot] = GridState{};
    game.grid[kPlayerSlot].column = 6;
    game.grid[kPlayerSlot].row = 8;
}

void ResetGhostWishes() {
    for (int g = 1; g <= kGhostCount; ++g) {
        game.ghostMovingLeft[g] = 1;
        game.ghostMovingRight[g] = game.ghostMovingDown[g] = game.ghostMovingUp[g] = 0;
        game.aimX[g] = 0;
        game.aimY[g] = 0;
    }
}

void ResetCounters() {
    game.studioX = 256;
    game.studioY = 610;
    game.studioStepX = 1;
    game.studioStepY = 1;
    game.pulseStep = 1;
    game.frightCharges = 1;
    game.bonusRollKind = 0;
    game.bonusRollSide = 0;
    game.bonusOffsetX = 0;
    game.bonusOffsetY = 0;
    game.speedItems = 0;
    game.score = 0;
    game.extraLifeMark = 0;
    game.eatenCount = 0;
    game.lives = 3;
    game.ghostsEaten = 0;
}

void PlaceActors() {
    for (Actor& actor : game.actors) actor = Actor{};
    game.frightDuration = 6500;
    Actor& player = game.actors[kPlayer];
    player.x = static_cast<int16_t>(540 & ~1);
    player.y = static_cast<int16_t>(540 & ~1);
    player.step = 2;
    GridState& grid = game.grid[kPlayerSlot];
    grid.wallRight = 0;
    grid.wallBottom = 1;
    grid.wallTop = 1;
    grid.wallLeft = 0;
    for (int g = 1; g <= kGhostCount; ++g) {
        game.actors[GhostActor(g)].x = 540;
        game.actors[GhostActor(g)].y = 468;
    }
}

// From the title screen (or the options screen's title choice) to the end.
void PlayFrom(RestartPoint point) {
    if (point == RestartPoint::TitleScreen) {
        Pause(2000);
        StartMusic(0);
        game.level = 1;
        TitleScreen();
    }
    Pause(1000);
    GameSetUp();
    StartMusic(1);
    RunFrameLoop();
    EndProgram();
}

}  // namespace

void GameSetUp() {
    ResetGrid();
    for (int g = 1; g <= kGhostCount; ++g) {
        GridState& grid = game.grid[GhostSlot(g)];
        grid.wallRight = grid.wallLeft = grid.wallTop = grid.wallBottom = 0;
    }
    for (auto& row : game.maze) {
        for (MazeCell& cell : row) cell = MazeCell{};
    }
    ResetGhostWishes();
    ResetCounters();
    for (int k = 1; k <= kEnergizerCount; ++k) {
        game.energizerX[k] = kEnergizerHomeX[k];
        game.energizerY[k] = kEnergizerHomeY[k];
    }
    game.playerAtCellCentre = 1;
    LoadMazeLayout();
    LoadLevelTable();
    ResetDots();
    PlaceActors();
    // The flags above are those of layout 1's start crossing; a new game on
    // another layout (the options screen's "play again") takes the real walls
    // at once, or its first step could pass through one. Only the player has
    // marks yet, so the ghosts keep theirs cleared.
    LoadCellWalls();
    game.wish = Direction::None;
    game.lastStepHorizontal = 1;
    game.lastStepVertical = 1;
    game.creditsX1 = 180;
    game.creditsX2 = 1124;
    for (int kind = kBonusLife; kind <= kBonusApple; ++kind) game.bonusItems[kind] = BonusItem{};
    game.spiralAngle = 0.0f;
    game.contactSoundPlayed = 0;
}

float SinDegrees(float angle) {
    return std::sin(angle * 0.017453292f);
}

int RunGame() {
    ResetGameState();
    platform::SetEndHandler(EndProgram);  // the window closed, or a signal: the same end as Escape
    try {
        StartUp();
        RestartPoint point = RestartPoint::TitleScreen;
        if (directStartLevel > 0) {
            game.level = static_cast<int16_t>(directStartLevel);
            point = RestartPoint::NewGameAtLevel;
        }
        for (;;) {
            try {
                PlayFrom(point);
            } catch (const RestartGame& restart) {
                point = restart.point;
            }
        }
    } catch (const ProgramEnded&) {
    }
    return 0;
}

void SetDirectStart(int level) {
    directStartLevel = level;
}

void EndProgram() {
    if (!programEnding) {
        programEnding = true;
        EndSettings();
        EndMouse();
        EndMusic();
        EndSound();
        EndKeyboard();
        EndScreen();
        EndJoystick();
    }
    throw ProgramEnded{};
}

void RestartAtCurrentLevel() {
    throw RestartGame{RestartPoint::NewGameAtLevel};
}

void RestartAtTitle() {
    throw RestartGame{RestartPoint::TitleScreen};
}
