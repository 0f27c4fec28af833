// The moving texts of the end-of-game options screen, printed into the
// working background sprite 110 over the first board's picture.
#pragma once

// One pass of the texts with the colour level p (0..255) and its step: the
// blinking Escape line, the keys, the date and time, the drifting studio
// name and the pulsing credits. Moves the studio name and p.
void DrawOptionsTexts(int& pulse);
