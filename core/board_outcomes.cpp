// The board's outcomes, handed over by the shell; see board_outcomes.h.
#include "core/board_outcomes.h"

#include <cstdio>
#include <cstdlib>

namespace {

BoardOutcomes outcomes;

[[noreturn]] void Missing(const char* name) {
    std::fprintf(stderr, "gulpkin: the board's outcome %s was never set\n", name);
    std::abort();
}

}  // namespace

void SetBoardOutcomes(const BoardOutcomes& given) {
    outcomes = given;
}

void FrightenGhosts() {
    if (outcomes.frightenGhosts == nullptr) Missing("frightenGhosts");
    outcomes.frightenGhosts();
}

void EndLostGame() {
    if (outcomes.endLostGame == nullptr) Missing("endLostGame");
    outcomes.endLostGame();
    Missing("endLostGame (it returned)");
}
