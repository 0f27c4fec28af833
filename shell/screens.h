// The screens around play and the frame loop that runs play.
#pragma once

// the end-of-game options screen; never returns (new game, title or end)
[[noreturn]] void OptionsScreen();

// runs play, one pass per frame, until Escape; the caller then ends the program
void RunFrameLoop();
// intro, difficulty menu, confirmation and music fade; leaves `level` at 1, 11 or 21
void TitleScreen();
// per frame: the next level once the board is cleared, then the bonus roll and extra lives
void CheckLevelCleared();
// the effect between two levels; leaves the new level's background in sprite 110
void PlayLevelTransition();
// the chase before level 11
void PlayChaseInterlude();
// the flee before level 21
void PlayFleeInterlude();
