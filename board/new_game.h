// A new game: every game variable at its value for a new game, the maze
// and level table of the game's level loaded, the dots laid and the actors
// at home.
#pragma once

void SetUpNewGame();
