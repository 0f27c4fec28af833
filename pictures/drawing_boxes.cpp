// Boxes and pixels on the open drawing.
#include "pictures/drawing.h"

#include "pictures/drawing_state.h"
#include "pictures/pixel_format.h"

#include <algorithm>

namespace {

// One pixel of a box: inverted in inverting mode, else painted.
inline void Paint(uint16_t& pixel, uint16_t colour, bool invert) {
    pixel = invert ? static_cast<uint16_t>(~pixel) : colour;
}

// Paints columns left .. right - 1 of one row, clipped to the surface.
void PaintSpan(const Surface& surface, int64_t y, int64_t left, int64_t right, uint16_t colour, bool invert) {
    if (y < 0 || y >= surface.height) return;
    left = std::max<int64_t>(left, 0);
    right = std::min<int64_t>(right, surface.width);
    uint16_t* row = surface.Row(static_cast<int>(y));
    for (int64_t x = left; x < right; ++x) Paint(row[x], colour, invert);
}

// A box is its one-pixel edge in the pen's colour and, unless in outline
// mode, its inside in the brush's colour; every pixel is touched once.
void DrawBox(const Surface& surface, int64_t x, int64_t y, int64_t width, int64_t height) {
    const DrawingState& drawing = TheDrawing();
    uint16_t pen = ColourTo565(drawing.penColour), brush = ColourTo565(drawing.brushColour);
    int64_t right = x + width, bottom = y + height;
    PaintSpan(surface, y, x, right, pen, drawing.invert);
    if (height > 1) PaintSpan(surface, bottom - 1, x, right, pen, drawing.invert);
    int64_t top = std::max<int64_t>(y + 1, 0), last = std::min<int64_t>(bottom - 1, surface.height);
    for (int64_t row = top; row < last; ++row) {
        PaintSpan(surface, row, x, x + 1, pen, drawing.invert);
        if (width > 1) PaintSpan(surface, row, right - 1, right, pen, drawing.invert);
        if (!drawing.outline) PaintSpan(surface, row, x + 1, right - 1, brush, drawing.invert);
    }
}

}  // namespace

void FillRect(int x, int y, int width, int height, int32_t colour) {
    Surface surface;
    if (!DrawingSurface(surface)) return;
    SetPenColour(colour & 255, (colour >> 8) & 255, (colour >> 16) & 255);
    if (width < 1 || height < 1) return;
    DrawBox(surface, x, y, width, height);
}

void PutPixel(int x, int y, int32_t colour) {
    Surface surface;
    if (!DrawingSurface(surface) || x < 0 || y < 0 || x >= surface.width || y >= surface.height) return;
    surface.Row(y)[x] = ColourTo565(colour);
}
