// The program entry: start-up in its fixed order, the title screen, game
// set-up and the frame loop; and the one end sequence.
#include "board/new_game.h"
#include "core/board_outcomes.h"
#include "core/game_state.h"
#include "core/steady_trig.h"
#include "ghosts/ghosts.h"
#include "pictures/capture.h"
#include "pictures/drawing.h"
#include "input/input.h"
#include "pictures/picture_decoding.h"
#include "platform/platform.h"
#include "core/random.h"
#include "pictures/screen.h"
#include "settings/settings_file.h"
#include "sound/sound.h"
#include "core/values.h"
#include "presentation/fireworks.h"
#include "shell/program_flow.h"
#include "shell/screens.h"

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
    SetBoardOutcomes({.frightenGhosts = StartFrightenedMode, .endLostGame = OptionsScreen});
    SetUpNewGame();
}

float SinDegrees(float angle) {
    return SteadySin(angle * 0.017453292f);
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
