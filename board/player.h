// The player: keys or joystick to a wish, the wish to a direction at the
// crossings, one step per frame, the mouth animation and the step rule.
//
// Order within a played frame: AnimatePlayer first, ControlPlayer after the
// ghosts' decisions (it takes at most one step, each step followed by
// LocateActors and LoadCellWalls), and ApplyPlayerStepRule from the
// frightened-mode update once per frame and whenever that mode starts.
// The player is actor 4; its picture is sprite 4, a copy of one of the strips
// 0..3 (right, down, left, up) clipped to the current 32 x 32 frame.
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
// the player back at its start crossing for a new life or a new game: facing
// right on its tenth frame, no direction, no speed items, walled above and
// below (the walls of that crossing in the first layout)
void PutPlayerAtStart();
