// The loss of a life: the death animation over the bare background, the
// hand-over to the end-of-game screen when no life is left, otherwise the
// board reset for the next life and the wait for a key. Blocks the frame
// loop's pass and presents its own frames; returns into the same pass.
#pragma once

// plays the death sequence and either opens the end-of-game screen (never
// returns) or puts everyone back and waits for a key or joystick button 2
void PlayDeathSequence();
