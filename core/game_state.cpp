// The one instance of the game's state.
#include "core/game_state.h"

GameState game;

void ResetGameState() {
    game = GameState{};
}
