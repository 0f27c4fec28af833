// The five ghosts: their shared animation, decisions, movement and the
// frightened mode.
#pragma once

// once per frame: advances the shared ghost frame when its period has passed
void AnimateGhosts();
// the title, options and interlude screens' 80 ms variant of the frame advance;
// returns true when the frame advanced
bool AdvanceGhostFrame(int periodMs);
// once per frame: rolls, line-of-sight pursuit and flight
void DecideGhostAims();
// once per frame: corner waypoints, direction choice and one step per ghost
void MoveGhosts();
// one step of ghost g (1..5) if the maze allows it
void StepGhostRight(int g);
void StepGhostLeft(int g);
void StepGhostDown(int g);
void StepGhostUp(int g);
// starts (or restarts from 0) the frightened period
void StartFrightenedMode();
// once per frame: pictures, steps, snapping and the frightened timer
void UpdateFrightenedMode();
