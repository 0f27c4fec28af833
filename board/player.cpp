// The player's control and movement. Placeholder.
#include "board/player.h"

void ControlPlayer() {}
void StepRight() {}
void StepLeft() {}
void StepUp() {}
void StepDown() {}
void AnimatePlayer() {}
void ApplyPlayerStepRule() {}
