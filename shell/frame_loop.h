// One played frame on its own, for measuring its cost: the game procedures
// in the frame loop's fixed order, drawing the next frame on the back buffer.
// The frame loop (RunFrameLoop, shell/screens.h) is the only caller in play.
#pragma once

// runs every game procedure once and draws the frame; presents nothing
void PlayOneFrame();
