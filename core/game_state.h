// The game's global state: every variable of the game in one place, with the
// width the game gives it. Procedures of the game take no arguments and read
// and write `game` directly. Arrays are indexed from 1, as the game counts
// (ghost 1..5, dot 1..106, row 1..10, column 1..14); index 0 is unused.
//
// Widths: int8_t = byte, int16_t = word, int32_t = long, float = single.
// A tick is a GetTickCount value in milliseconds held in an int32_t.
#pragma once

#include <cstdint>

// Actor numbers: 4 is the player, 5..9 are ghosts 1..5. An actor's number is
// also the sprite number of its current picture.
constexpr int kPlayer = 4;
constexpr int kGhostCount = 5;
constexpr int GhostActor(int ghost) { return ghost + 4; }
// Grid slots: 1 is the player, ghost g is slot g + 1.
constexpr int kPlayerSlot = 1;
constexpr int GhostSlot(int ghost) { return ghost + 1; }

constexpr int kRows = 10;
constexpr int kColumns = 14;
constexpr int kDotCount = 106;
constexpr int kEnergizerCount = 4;
constexpr int kLevels = 30;
constexpr int kParticleRoom = 2000;

enum class Direction : int8_t { None, Left, Right, Up, Down };

// Which screen the program is showing; for the headless driver's reports.
enum class Screen : int8_t { Startup, Title, Play, Death, Transition, Congratulation, Options };

struct Actor {
    int16_t x = 0;     // pixel centre of the 32 x 32 picture
    int16_t y = 0;
    int8_t step = 0;   // pixels per movement step
};

struct MazeCell {
    int8_t right = 0;   // 1 = wall towards larger x
    int8_t left = 0;
    int8_t top = 0;
    int8_t bottom = 0;
};

// Column and row mark (0 = none) and the walls of the crossing last stood on.
struct GridState {
    int8_t column = 0;
    int8_t row = 0;
    int8_t wallRight = 0;
    int8_t wallLeft = 0;
    int8_t wallTop = 0;
    int8_t wallBottom = 0;
};

// The four bonus items, in the order the game shows and takes them.
enum BonusKind { kBonusLife = 1, kBonusCharge = 2, kBonusSpeed = 3, kBonusApple = 4 };

struct BonusItem {
    int8_t active = 0;
    int16_t x = 234;
    int16_t y = -100;
};

struct Particle {
    float x = 0, y = 0;
    float lift = 0;
    float vy = 0;
    float vx = 0;
    int32_t colour = 0;
};

struct GameState {
    // flow
    int16_t level = 0;
    int8_t quitRequested = 0;
    int8_t screenLostFlag = 0;
    Screen screen = Screen::Startup;

    // score and lives
    int32_t highScore = 0;
    int32_t score = 0;
    int16_t eatenCount = 0;
    int8_t lives = 0;
    int8_t frightCharges = 0;
    int8_t speedItems = 0;
    // Held wider than a word: a 16-bit mark would wrap past 32767 points and
    // then hand out a life every frame.
    int32_t extraLifeMark = 0;

    // bonus items
    BonusItem bonusItems[5];         // 1..4 by BonusKind
    int16_t bonusOffsetX = 0;
    int16_t bonusOffsetY = 0;
    int8_t bonusRollKind = 0;
    int8_t bonusRollSide = 0;
    int32_t bonusRollTick = 0;

    // the board
    MazeCell maze[kRows + 1][kColumns + 1];        // [row][column]
    int8_t levelTable[kLevels + 1][kGhostCount + 1];  // [level][ghost]
    int16_t dotX[kDotCount + 1] = {};
    int16_t dotY[kDotCount + 1] = {};
    int16_t energizerX[kEnergizerCount + 1] = {};
    int16_t energizerY[kEnergizerCount + 1] = {};
    Actor actors[10];
    GridState grid[7];                             // slots 1..6
    int16_t playerAtCellCentre = 0;

    // the player
    Direction wish = Direction::None;
    Direction direction = Direction::None;
    int32_t wishTick = 0;
    int8_t lastStepHorizontal = 0;
    int8_t lastStepVertical = 0;
    int8_t playerFrame = 0;
    int32_t playerFrameTick = 0;
    int8_t joystickPresent = 0;

    // contacts
    int32_t contactStartTick = 0;
    int8_t contactSoundPlayed = 0;
    int8_t ghostsEaten = 0;
    int32_t levelStartTick = 0;

    // ghosts
    int8_t aimX[kGhostCount + 1] = {};
    int8_t aimY[kGhostCount + 1] = {};
    int8_t ghostMovingLeft[kGhostCount + 1] = {};
    int8_t ghostMovingRight[kGhostCount + 1] = {};
    int8_t ghostMovingDown[kGhostCount + 1] = {};
    int8_t ghostMovingUp[kGhostCount + 1] = {};
    int32_t ghostFrame = 0;
    int32_t ghostFrameRow = 0;
    int32_t ghostFrameTick = 0;
    int8_t ghostFrameDelay = 0;
    int16_t aimRollTick[kGhostCount + 1] = {};
    int16_t aimRollElapsed[kGhostCount + 1] = {};
    int16_t seesAbove[kGhostCount + 1] = {};
    int16_t seesBelow[kGhostCount + 1] = {};
    int16_t seesLeft[kGhostCount + 1] = {};
    int16_t seesRight[kGhostCount + 1] = {};
    int16_t seesPlayer[kGhostCount + 1] = {};

    // frightened mode
    int8_t frightened = 0;
    int32_t frightStartTick = 0;
    int32_t frightElapsed = 0;
    int16_t frightDuration = 0;
    int16_t frightBarShrink = 0;

    // transitions and title
    float spiralAngle = 0;
    float spiralX = 0;
    float spiralY = 0;
    int32_t spiralStep = 0;
    float interludeX = 0;
    float interludeBackX = 0;

    // fireworks
    int16_t particleCount = 0;
    float particleGravity = 0;
    float particleSpread = 0;
    Particle particles[kParticleRoom + 1];         // 1..particleCount

    int32_t titleFrame = 0;
    float titleWavePhase = 0;
    float titleGhostX = 0;
    int16_t titleGhostStep = 0;

    // options screen
    int16_t studioX = 0;
    int16_t studioY = 0;
    int8_t studioStepX = 0;
    int8_t studioStepY = 0;
    int32_t pulseStep = 0;
    int16_t creditsX1 = 0;
    int16_t creditsX2 = 0;
};

extern GameState game;

// Back to the program's first moment: every variable at its start value.
void ResetGameState();
