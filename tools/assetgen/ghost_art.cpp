// The ghosts: a dome with a waving skirt and wandering eyes, seventeen
// frames (ten in the top row, seven below) that loop seamlessly; the
// frightened ghost is dark blue with a wobbly mouth; the teeth overlays fit
// the same face.
#include <algorithm>
#include <cmath>

#include "tools/assetgen/sprite_art.h"

namespace {

constexpr float kPi = 3.14159265f;
constexpr int kCycle = 17;

// the skirt's lower edge moves three wavelengths per cycle
float SkirtEdge(float x, float phase) { return 27.2f + 2.3f * std::sin((x - 3) * 2 * kPi / 8.7f + phase); }

float GhostDistance(float x, float y, float phase) {
    float dome = CircleDistance(x, y, 16, 14, 13);
    float side = std::fabs(x - 16) - 13;
    float bottom = (y - SkirtEdge(x, phase)) / 1.5f;
    float top = 14 - y;
    float body = std::max(std::max(side, bottom), top);
    return std::min(dome, body);
}

Colour BodyShade(Colour body, float x, float y) {
    float shade = 1.12f - 0.38f * std::clamp((y - 2) / 28, 0.0f, 1.0f);
    Colour c = Scale(body, shade);
    float glow = std::clamp(1 - std::hypot((x - 11) / 6, (y - 6) / 3.5f), 0.0f, 1.0f);
    return Mix(c, Colour{255, 255, 255}, glow * 0.55f);
}

void PaintEyes(Canvas& sheet, Box cell, float ox, float oy, float look) {
    float dx = 1.6f * std::sin(look), dy = 0.8f + 0.6f * std::cos(look * 2);
    for (float ex : {11.0f, 21.0f}) {
        PaintShape(sheet, cell, [&](float x, float y) { return EllipseDistance(x, y, ox + ex, oy + 12, 3.6f, 4.4f); },
                   [](float, float, float) { return Colour{250, 250, 255}; });
        PaintShape(sheet, cell,
                   [&](float x, float y) { return CircleDistance(x, y, ox + ex + dx, oy + 12.5f + dy, 2.1f); },
                   [](float, float, float) { return Colour{24, 36, 150}; });
    }
}

void PaintFrightenedFace(Canvas& sheet, Box cell, float ox, float oy) {
    const Colour pale{255, 196, 170};
    for (float ex : {11.5f, 20.5f}) {
        PaintShape(sheet, cell, [&](float x, float y) { return CircleDistance(x, y, ox + ex, oy + 12.5f, 2.0f); },
                   [&](float, float, float) { return pale; });
    }
    std::vector<float> zigzag;
    for (int i = 0; i <= 6; ++i) zigzag.insert(zigzag.end(), {ox + 7.5f + i * 2.8f, oy + (i % 2 ? 19.0f : 21.5f)});
    PaintShape(sheet, cell,
               [&](float x, float y) {
                   float best = 1e9f;
                   for (size_t i = 2; i < zigzag.size(); i += 2)
                       best = std::min(best, CapsuleDistance(x, y, zigzag[i - 2], zigzag[i - 1], zigzag[i],
                                                             zigzag[i + 1], 0.9f));
                   return best;
               },
               [&](float, float, float) { return pale; });
}

void PaintGhost(Canvas& sheet, int column, int row, int step, const GhostLook& look) {
    float ox = column * 32.0f, oy = row * 32.0f;
    Box cell = {column * 32, row * 32, column * 32 + 32, row * 32 + 32};
    float phase = 2 * kPi * 3 * step / kCycle;
    auto shape = [&](float x, float y) { return GhostDistance(x - ox, y - oy, phase); };
    Colour outline = Scale(look.body, 0.42f);
    PaintShape(sheet, cell, [&](float x, float y) { return shape(x, y) - 1.1f; },
               [&](float, float, float) { return outline; });
    PaintShape(sheet, cell, shape, [&](float x, float y, float) { return BodyShade(look.body, x - ox, y - oy); });
    if (look.frightened) {
        PaintFrightenedFace(sheet, cell, ox, oy);
    } else {
        PaintEyes(sheet, cell, ox, oy, 2 * kPi * step / kCycle);
    }
}

}  // namespace

Canvas GhostSheet(const GhostLook& look) {
    Canvas sheet = MakeCanvas(320, 64);
    for (int step = 0; step < kCycle; ++step) {
        PaintGhost(sheet, step < 10 ? step : step - 10, step < 10 ? 0 : 1, step, look);
    }
    return sheet;
}

Canvas TeethOverlay(bool large) {
    Canvas overlay = MakeCanvas(32, 32);
    Box all = {0, 0, 32, 32};
    const Colour brow{70, 12, 16}, mouth{110, 8, 20}, tooth{255, 255, 240};
    // angry brows over the eyes
    for (int side : {-1, 1}) {
        float ax = 16 + side * 10.5f, bx = 16 + side * 3.0f;
        PaintShape(overlay, all, [&](float x, float y) { return CapsuleDistance(x, y, ax, 5.6f, bx, 8.6f, 1.2f); },
                   [&](float, float, float) { return brow; });
    }
    float hx = large ? 9.0f : 7.0f, hy = large ? 4.6f : 3.2f, cy = large ? 21.5f : 21.0f;
    PaintShape(overlay, all, [&](float x, float y) { return RoundBoxDistance(x, y, 16, cy, hx, hy, 2.5f); },
               [&](float, float, float) { return mouth; });
    int count = large ? 4 : 5;
    float width = 2 * hx / count, length = large ? 4.2f : 2.6f;
    for (int i = 0; i < count; ++i) {
        float left = 16 - hx + i * width;
        float up = large && (i == 0 || i == count - 1) ? length + 1.2f : length;
        std::vector<float> upper = {left, cy - hy, left + width, cy - hy, left + width / 2, cy - hy + up};
        std::vector<float> lower = {left, cy + hy, left + width, cy + hy, left + width / 2, cy + hy - length * 0.8f};
        for (const auto* tri : {&upper, &lower}) {
            PaintShape(overlay, all, [&](float x, float y) { return PolygonDistance(x, y, *tri); },
                       [&](float, float, float) { return tooth; });
        }
    }
    return overlay;
}
