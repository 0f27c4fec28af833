// Drawing the player and the ghosts with the teeth overlays.
#pragma once

// once per frame, after all movement: the player, then ghosts 1..5
void DrawActors();
