// How the program starts, restarts and ends.
//
// RunGame is the whole program: the start-up sequence, the title screen, a
// game and its frame loop, and the end sequence; it returns the exit code 0.
// A game in progress is abandoned by unwinding to RunGame (the options
// screen's "play again" and "title" choices), so the call stack never grows
// however many games are played; EndProgram unwinds the same way after the
// end sequence has run.
#pragma once

// Where a new game starts after the options screen.
enum class RestartPoint { NewGameAtLevel, TitleScreen };

// thrown to abandon the game in progress and start over at `point`
struct RestartGame {
    RestartPoint point;
};
// thrown once the end sequence has run
struct ProgramEnded {};

// the program entry: runs everything and returns the exit code (always 0)
int RunGame();
// for the headless driver: with a level > 0 the next RunGame skips the title
// screen and starts a game at that level at once; 0 restores the normal start
void SetDirectStart(int level);
// the end sequence: shuts every service down and ends the program
[[noreturn]] void EndProgram();
// abandons the game in progress for a new one at the current level
[[noreturn]] void RestartAtCurrentLevel();
// abandons the game in progress for the title screen and a new game
[[noreturn]] void RestartAtTitle();

// the start-up sequence up to the loaded sprites (once per run)
void StartUp();
// hands the board its outcomes and sets every game variable to its value
// for a new game
void GameSetUp();
// loads or makes every sprite of the catalogue (start-up and screen regained)
void LoadSprites();
// loads the sound and music catalogues (once, at start-up)
void LoadSoundsAndMusic();
// sine of an angle in degrees, in single precision
float SinDegrees(float angle);
