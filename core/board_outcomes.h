// What the board sets off on the floors above it: taking an energizer or
// spending a charge frightens the ghosts, losing the last life ends the game
// at the options screen. The board only calls FrightenGhosts and
// EndLostGame; the shell hands over the ghosts' and the screens' routines
// (SetBoardOutcomes) before a game is set up, so that the board and the
// ghosts link without the screens.
#pragma once

struct BoardOutcomes {
    // starts (or restarts from 0) the frightened period, plays sound 1 and
    // applies the frightened steps at once
    void (*frightenGhosts)() = nullptr;
    // the end-of-game options screen; never returns (new game, title or end)
    void (*endLostGame)() = nullptr;
};

void SetBoardOutcomes(const BoardOutcomes& outcomes);
// the outcomes' routines; a routine that was never set ends the program
// with a message, since the game cannot go on without it
void FrightenGhosts();
[[noreturn]] void EndLostGame();
