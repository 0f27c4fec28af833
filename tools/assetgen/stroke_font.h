// The game's lettering: digits and capitals drawn as thick strokes on a grid
// six units high, in one bold arcade style. The same strokes make the glyph
// pictures (font\600..635), the captions on the backgrounds, the points
// labels and the title lettering.
#pragma once

#include <string>
#include <vector>

#include "tools/assetgen/canvas.h"

struct GlyphStrokes {
    char character;
    float width;                            // in grid units
    std::vector<std::vector<float>> lines;  // polylines, x y pairs, y down 0..6
};

// the strokes of a digit or capital, nullptr for any other character
const GlyphStrokes* FindGlyphStrokes(char character);

struct TextStyle {
    float capHeight = 16;    // pixels between the top and bottom stroke centres
    float strokeRadius = 2.5f;
    float outline = 1.5f;    // outline thickness around the strokes
    float spacing = 1;       // pixels between glyph boxes
    float spaceWidth = 10;   // advance of a space
    Colour top{255, 244, 140};
    Colour middle{255, 204, 0};
    Colour bottom{255, 112, 0};
    Colour outlineColour{120, 24, 8};
};

// pixel width of a glyph's picture (strokes plus outline on both sides)
int GlyphPixelWidth(char character, const TextStyle& style);
// pixel height of every glyph's picture
int GlyphPixelHeight(const TextStyle& style);
// the glyph alone on a transparent canvas of its own size
Canvas RenderGlyph(char character, const TextStyle& style);
// width in pixels of a text set glyph after glyph
int TextPixelWidth(const std::string& text, const TextStyle& style);
// paints a text with its top-left corner at (x, y); returns its width
int DrawText(Canvas& canvas, const std::string& text, float x, float y, const TextStyle& style);
