// A prepared board for tests that call the game's procedures directly: a
// fresh headless machine (virtual clock at 1000000 ms, no script), a new game
// set up at a level, and helpers to place actors exactly where a test wants
// them with their marks and walls up to date.
#pragma once

#include <cstdint>
#include <string>

// fresh machine (running `script`, in the headless script language, with a
// click loaded under every sound number: see PrepareSounds) and game
// state, then the game set-up for `level`; the ghosts' steps come from that
// level's row and their roll timers are set to now
void PrepareBoard(int level, const std::string& script = "");
// puts actor 4..9 at (x, y) and refreshes every actor's marks and walls
void PlaceActor(int actor, int x, int y);
// puts ghost g's roll timer at now, so that it makes no roll for its interval
void HoldRoll(int g);
// the virtual clock moves on by ms (as a pause of the game would)
void AdvanceClock(int32_t ms);

// opens the headless screen and makes plain pictures of distinct colours:
// 10 (frightened) and 15..19 (the ghosts' own) as 320 x 64 sheets, 5..9 as
// copies; 0 (the player's strip) and 4 as its copy; 110 (background), 500
// (death strip), 501..505 (score labels), 511 and 512 (teeth). Every pixel
// is solid, so any two pictures whose frames meet overlap.
void PrepareSolidPictures();
// a solid sprite of that size and colour
void MakeSolidSprite(int id, int width, int height, int r, int g, int b);
// the sprite whose pixels sprite id shows now (10 or 15..19), 0 if none
int PictureSource(int id);
// true once the sprite service keeps pictures; the tests that look at
// pictures fail without them, so that a broken loader cannot hide
bool SpriteServiceReady();
#define REQUIRE_SPRITES() \
    if (!SpriteServiceReady()) FAIL() << "the game's pictures did not load"
