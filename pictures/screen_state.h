// The display service's own state, shared by its files: the screen, the back
// buffer and the blit target. The game reaches it only through screen.h.
#pragma once

#include "pictures/blit.h"

#include <cstdint>
#include <vector>

constexpr int kBackBufferTarget = -1;

struct ScreenState {
    bool open = false;
    int width = 0, height = 0, depth = 0;
    int requestedRefresh = 0;           // what OpenFullScreen asks the display for
    int reportedRefresh = 0;            // what the display said after opening
    int focus = 0;                      // ScreenHasFocus
    std::vector<uint16_t> backBuffer;   // width x height, top row first
    int blitTarget = kBackBufferTarget; // a sprite number, or the back buffer
};

ScreenState& TheScreen();

// the back buffer as a surface; false while the screen is closed
bool BackBufferSurface(Surface& out);
// the current blit target (back buffer or a sprite's whole image); false if
// it does not exist (screen closed, or the target sprite was freed)
bool BlitTargetSurface(Surface& out);
