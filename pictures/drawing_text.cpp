// Text on the open drawing, in the default face, at the text cursor.
#include "pictures/drawing.h"

#include "pictures/drawing_state.h"
#include "pictures/pixel_format.h"
#include "platform/platform.h"

#include <algorithm>

namespace {

constexpr uint16_t kTextBackground = 0xFFFF;  // a filled background is white

// ink over `under` by the glyph's coverage (0 = under, 255 = ink)
uint16_t Blend(uint16_t under, uint16_t ink, uint32_t coverage) {
    if (coverage == 0) return under;
    if (coverage >= 255) return ink;
    auto mix = [&](int shift, uint32_t mask) {
        uint32_t a = (under >> shift) & mask, b = (ink >> shift) & mask;
        return ((a * (255 - coverage) + b * coverage + 127) / 255) << shift;
    };
    return static_cast<uint16_t>(mix(11, 31) | mix(5, 63) | mix(0, 31));
}

void PaintText(const Surface& surface, const platform::TextBitmap& text, int64_t left, int64_t top) {
    const DrawingState& drawing = TheDrawing();
    uint16_t ink = ColourTo565(drawing.textColour);
    for (int y = 0; y < text.height; ++y) {
        if (top + y < 0 || top + y >= surface.height) continue;
        uint16_t* row = surface.Row(static_cast<int>(top + y));
        const uint8_t* coverage = text.coverage.data() + static_cast<size_t>(y) * text.width;
        int64_t from = std::max<int64_t>(0, -left), to = std::min<int64_t>(text.width, surface.width - left);
        for (int64_t x = from; x < to; ++x) {
            uint16_t& pixel = row[left + x];
            pixel = Blend(drawing.transparentText ? pixel : kTextBackground, ink, coverage[x]);
        }
    }
}

// Keeps its storage from one text to the next.
platform::TextBitmap& TextScratch() {
    static platform::TextBitmap bitmap;
    return bitmap;
}

}  // namespace

// The cursor moves to the right end of the text. Without a usable face
// nothing is drawn.
void PrintText(const std::string& text) {
    Surface surface;
    if (!DrawingSurface(surface)) return;
    platform::TextBitmap& bitmap = TextScratch();
    if (!platform::RasterizeText(text, bitmap)) return;
    DrawingState& drawing = TheDrawing();
    PaintText(surface, bitmap, drawing.cursorX, drawing.cursorY);
    drawing.cursorX += bitmap.width;
}
