// Rendering the stroke lettering: an outline band first, then the strokes
// with a warm vertical gradient and a light rim along their upper edges.
#include "tools/assetgen/stroke_font.h"

#include <algorithm>
#include <cmath>

namespace {

float Unit(const TextStyle& style) { return style.capHeight / 6; }
float Margin(const TextStyle& style) { return style.strokeRadius + style.outline; }

float StrokeDistance(const GlyphStrokes& glyph, float u, float x, float y) {
    float best = 1e9f;
    for (const auto& line : glyph.lines) {
        for (size_t i = 2; i + 1 < line.size(); i += 2) {
            best = std::min(best, CapsuleDistance(x, y, line[i - 2] * u, line[i - 1] * u, line[i] * u,
                                                  line[i + 1] * u, 0));
        }
    }
    return best;
}

Colour GradientAt(const TextStyle& style, float t) {
    if (t < 0.5f) return Mix(style.top, style.middle, std::max(t, 0.0f) * 2);
    return Mix(style.middle, style.bottom, std::min(t, 1.0f) * 2 - 1);
}

void PaintGlyph(Canvas& canvas, const GlyphStrokes& glyph, float left, float top, const TextStyle& style) {
    float u = Unit(style), m = Margin(style);
    float ox = left + m, oy = top + m;
    Box box = {int(std::floor(left)), int(std::floor(top)), int(std::ceil(left + glyph.width * u + 2 * m)) + 1,
               int(std::ceil(top + 6 * u + 2 * m)) + 1};
    auto distance = [&](float x, float y) { return StrokeDistance(glyph, u, x - ox, y - oy); };
    if (style.outline > 0) {
        PaintShape(canvas, box, [&](float x, float y) { return distance(x, y) - m; },
                   [&](float, float, float) { return style.outlineColour; });
    }
    PaintShape(
        canvas, box, [&](float x, float y) { return distance(x, y) - style.strokeRadius; },
        [&](float x, float y, float) {
            Colour base = GradientAt(style, (y - oy) / (6 * u));
            // a lighter rim where the stroke's upper edge is near
            float above = distance(x, y - style.strokeRadius * 0.7f) - style.strokeRadius;
            float rim = std::clamp(above + 0.5f, 0.0f, 1.0f) * 0.45f;
            return Mix(base, Colour{255, 255, 235}, rim);
        });
}

}  // namespace

int GlyphPixelWidth(char character, const TextStyle& style) {
    const GlyphStrokes* glyph = FindGlyphStrokes(character);
    if (!glyph) return 0;
    return int(std::ceil(glyph->width * Unit(style) + 2 * Margin(style)));
}

int GlyphPixelHeight(const TextStyle& style) { return int(std::ceil(style.capHeight + 2 * Margin(style))); }

Canvas RenderGlyph(char character, const TextStyle& style) {
    Canvas canvas = MakeCanvas(GlyphPixelWidth(character, style), GlyphPixelHeight(style));
    if (const GlyphStrokes* glyph = FindGlyphStrokes(character)) PaintGlyph(canvas, *glyph, 0, 0, style);
    return canvas;
}

int TextPixelWidth(const std::string& text, const TextStyle& style) {
    int width = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (i > 0) width += int(style.spacing);
        width += text[i] == ' ' ? int(style.spaceWidth) : GlyphPixelWidth(text[i], style);
    }
    return width;
}

int DrawText(Canvas& canvas, const std::string& text, float x, float y, const TextStyle& style) {
    float pen = x;
    for (size_t i = 0; i < text.size(); ++i) {
        if (i > 0) pen += style.spacing;
        if (text[i] == ' ') {
            pen += style.spaceWidth;
            continue;
        }
        if (const GlyphStrokes* glyph = FindGlyphStrokes(text[i])) PaintGlyph(canvas, *glyph, pen, y, style);
        pen += GlyphPixelWidth(text[i], style);
    }
    return int(std::lround(pen - x));
}
