// The five ghosts: their shared animation frame, their decisions, their
// movement along the grid lines and the frightened mode.
//
// Ghost g (1..5) is actor g + 4 with sprite g + 4 and grid slot g + 1. Each
// frame the frame loop calls AnimateGhosts, DecideGhostAims (before the
// player moves), MoveGhosts (after it) and, after the contacts,
// UpdateFrightenedMode. The aims (aimX 0 right / 1 left / 2 none, aimY 0 down
// / 1 up / 2 none) are written by the decisions and the corner waypoints and
// read by the movement. Times are GetTickCount milliseconds; positions are
// pixels of the actors' centres; steps are pixels per frame.
#pragma once

// starts (or restarts from 0) the frightened period, plays sound 1 and
// applies the frightened steps at once (the board's FrightenGhosts)
void StartFrightenedMode();

// once per frame: advances the shared ghost frame when more than
// ghostFrameDelay + 40 ms have passed
void AnimateGhosts();
// advances ghostFrame / ghostFrameRow by the strip rule (10 frames of the
// first strip, 7 of the second) when more than periodMs have passed since
// ghostFrameTick, and sets the tick; true when it advanced
bool AdvanceGhostFrame(int periodMs);
// once per frame: rolls, line-of-sight pursuit and flight
void DecideGhostAims();
// once per frame: corner waypoints, direction choice and one step per ghost
void MoveGhosts();
// one step of ghost g (1..5) if its wall flag on that side is 0 and it
// stands on a row line (sideways) or a column line (up and down)
void StepGhostRight(int g);
void StepGhostLeft(int g);
void StepGhostDown(int g);
void StepGhostUp(int g);
// once per frame: pictures, steps and snapping of every actor, the
// frightened timer, and the shared frame applied to sprites 5..9
void UpdateFrightenedMode();
