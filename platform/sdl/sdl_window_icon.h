// The game's icon on its window (task bars, window lists, the switcher):
// the player's yellow face, mouth open to the right towards a dot, on a dark
// rounded square, the same shapes as the program's icon, drawn here at
// window-icon size.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <vector>

// the icon's pixels, side x side, 0xAARRGGBB, row by row
std::vector<uint32_t> GameIconPixels(int side);
// gives the window the game's icon
void SetGameIcon(SDL_Window* window);
