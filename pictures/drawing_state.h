// The drawing service's state, shared by its files: which target is open and
// the pen, brush, text and mode settings of the open drawing.
#pragma once

#include "pictures/blit.h"

#include <cstdint>

enum class DrawingKind { None, Screen, Sprite };

struct DrawingState {
    DrawingKind kind = DrawingKind::None;
    int spriteId = -1;          // for sprite drawings
    int32_t penColour = 0;      // 0x00BBGGRR: outlines, pixels of boxes' edges
    int32_t brushColour = 0;    // the colour brush boxes are filled with
    int32_t textColour = 0;
    bool transparentText = false;  // mode bit 0
    bool invert = false;           // mode bit 1
    bool outline = false;          // mode bit 2
    int cursorX = 0, cursorY = 0;
};

DrawingState& TheDrawing();

// the open drawing's pixels; false when none is open or its image is gone
bool DrawingSurface(Surface& out);
