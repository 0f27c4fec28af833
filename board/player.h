// The player: keys or joystick to a wish, the wish to a direction at the
// crossings, one step per frame, and the mouth animation.
#pragma once

// once per frame: input, wish, turns and at most one step
void ControlPlayer();
// one step in that direction if the maze allows it
void StepRight();
void StepLeft();
void StepUp();
void StepDown();
// once per frame, first: the mouth frame when its period has passed
void AnimatePlayer();
// the player's step from the speed items and the frightened mode, with the
// position snapped down to a multiple of the new step
void ApplyPlayerStepRule();
