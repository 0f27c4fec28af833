// The full-screen backgrounds of the ten maze layouts, each in its own
// colour theme: dark corridors exactly where the layout is open, neon-rimmed
// walls where it is closed, doors on the one-way steps, recessed panels and
// small captions for the status texts.
#pragma once

#include "tools/assetgen/canvas.h"

struct MazeTheme {
    Colour floor;        // corridor colour
    Colour rim;          // bright line along every wall edge
    Colour fillTop;      // wall interior at the top of the screen
    Colour fillBottom;   // and at the bottom
    Colour panel;        // the status panels
    Colour caption;      // caption lettering
};

// the theme of layout 1..10
const MazeTheme& ThemeOfLayout(int layout);
// the 1024 x 768 background of a layout
Canvas MazeBackground(int layout);
