// Ghost animation and movement. Placeholder.
#include "ghosts/ghosts.h"

void AnimateGhosts() {}
bool AdvanceGhostFrame(int) { return false; }
void MoveGhosts() {}
void StepGhostRight(int) {}
void StepGhostLeft(int) {}
void StepGhostDown(int) {}
void StepGhostUp(int) {}
