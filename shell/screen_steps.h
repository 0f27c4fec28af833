// Small steps shared by the screens around play (title, options, interludes,
// congratulation): the focus check, the 80 ms ghost and 30 ms player
// animation steps, and the fireworks drawn on the back buffer.
#pragma once

// ends the program when the full screen is not (or no longer) the game's
void EndProgramIfScreenLost();
// true when the full screen is not the game's or was lost and not restored
bool ScreenIsLost();
// every 80 ms the shared ghost frame moves on; applied to sprites first..last
void AnimateScreenGhosts(int firstSprite, int lastSprite);
// every 30 ms the player's mouth frame moves on (1..10), applied to sprite 4
void AnimateScreenPlayer();
// one step of the sparks, plotted on the back buffer
void DrawFireworks();
