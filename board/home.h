// The actors' homes: the player starts every life and level at its crossing,
// the ghosts start in the pen and go back there when eaten.
#pragma once

#include "board/maze.h"

// the player's start, crossing (6, 8) of every maze
constexpr int kPlayerHomeX = kColumnX[6];
constexpr int kPlayerHomeY = kRowY[8];
// the ghosts' pen, crossing (6, 6) of every maze
constexpr int kPenX = kColumnX[6];
constexpr int kPenY = kRowY[6];
static_assert(kPlayerHomeX == 540 && kPlayerHomeY == 540 && kPenX == 540 && kPenY == 468);

// every ghost in the pen (positions only)
void SendGhostsHome();
// the player at its start and every ghost in the pen (positions only)
void SendActorsHome();
