// Touches between the player and the ghosts: a life lost, or a ghost eaten.
#pragma once

// not frightened: a touch of more than 300 ms costs a life
void GhostContact();
// frightened: every touched ghost is eaten; otherwise resets the count
void EatGhosts();
