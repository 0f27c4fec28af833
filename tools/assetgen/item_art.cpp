// Small pictures of the board: the dot, the energizer, the four bonus items
// and the points labels.
#include <algorithm>
#include <cmath>
#include <string>

#include "tools/assetgen/sprite_art.h"
#include "tools/assetgen/stroke_font.h"

namespace {

const Box kSmall = {0, 0, 16, 16};

void PaintBall(Canvas& canvas, float radius, Colour light, Colour dark, Colour rim) {
    PaintShape(canvas, kSmall, [&](float x, float y) { return CircleDistance(x, y, 8, 8, radius + 0.9f); },
               [&](float, float, float) { return rim; });
    PaintShape(canvas, kSmall, [&](float x, float y) { return CircleDistance(x, y, 8, 8, radius); },
               [&](float x, float y, float) {
                   float t = std::clamp(std::hypot(x - 8 + radius * 0.4f, y - 8 + radius * 0.4f) / (radius * 1.6f),
                                        0.0f, 1.0f);
                   return Mix(light, dark, t);
               });
}

void PaintBolt(Canvas& canvas) {
    std::vector<float> bolt = {9.5f, 1, 3.5f, 9, 7.5f, 9, 5.5f, 15, 12.5f, 6.5f, 8.5f, 6.5f, 11, 1};
    PaintShape(canvas, kSmall, [&](float x, float y) { return PolygonDistance(x, y, bolt) - 1.1f; },
               [](float, float, float) { return Colour{0, 80, 20}; });
    PaintShape(canvas, kSmall, [&](float x, float y) { return PolygonDistance(x, y, bolt); },
               [](float, float y, float) { return Mix(Colour{210, 255, 170}, Colour{30, 200, 60}, y / 16); });
}

void PaintGem(Canvas& canvas) {
    std::vector<float> gem = {8, 1.5f, 14, 7, 8, 14.5f, 2, 7};
    PaintShape(canvas, kSmall, [&](float x, float y) { return PolygonDistance(x, y, gem) - 1.0f; },
               [](float, float, float) { return Colour{100, 0, 16}; });
    PaintShape(canvas, kSmall, [&](float x, float y) { return PolygonDistance(x, y, gem); },
               [](float x, float y, float) {
                   // facets: lighter on the upper left, darker on the lower right
                   float facet = (x < 8 ? 0.25f : 0) + (y < 7 ? 0.35f : 0);
                   return Mix(Colour{200, 10, 40}, Colour{255, 190, 200}, facet);
               });
    PaintShape(canvas, kSmall, [](float x, float y) { return CircleDistance(x, y, 6, 5.5f, 1.1f); },
               [](float, float, float) { return Colour{255, 255, 255}; });
}

void PaintApple(Canvas& canvas) {
    auto body = [](float x, float y) {
        return std::min(CircleDistance(x, y, 5.8f, 9.5f, 5.2f), CircleDistance(x, y, 10.2f, 9.5f, 5.2f));
    };
    PaintShape(canvas, kSmall, [&](float x, float y) { return body(x, y) - 0.9f; },
               [](float, float, float) { return Colour{90, 0, 10}; });
    PaintShape(canvas, kSmall, body, [](float x, float y, float) {
        float t = std::clamp(std::hypot(x - 5.5f, y - 7.5f) / 8, 0.0f, 1.0f);
        return Mix(Colour{255, 120, 110}, Colour{190, 10, 20}, t);
    });
    PaintShape(canvas, kSmall, [](float x, float y) { return CapsuleDistance(x, y, 8, 5, 9, 1.2f, 0.8f); },
               [](float, float, float) { return Colour{120, 70, 20}; });
    PaintShape(canvas, kSmall, [](float x, float y) { return EllipseDistance(x, y, 11.5f, 2.8f, 2.8f, 1.5f); },
               [](float, float, float) { return Colour{60, 200, 60}; });
}

void PaintLifeFigure(Canvas& canvas) {
    auto pie = [](float x, float y) { return PieDistance(x, y, 8, 8, 6.3f, 1, 0, 0.6f); };
    PaintShape(canvas, kSmall, [&](float x, float y) { return pie(x, y) - 1.0f; },
               [](float, float, float) { return Colour{150, 62, 0}; });
    PaintShape(canvas, kSmall, pie, [](float x, float y, float) {
        float t = std::clamp(std::hypot(x - 6, y - 6) / 8, 0.0f, 1.0f);
        return Mix(Colour{255, 255, 200}, Colour{240, 160, 0}, t);
    });
    PaintShape(canvas, kSmall, [](float x, float y) { return CircleDistance(x, y, 8.4f, 4.6f, 1.1f); },
               [](float, float, float) { return Colour{60, 24, 12}; });
}

}  // namespace

Canvas DotPicture() {
    Canvas dot = MakeCanvas(16, 16);
    PaintBall(dot, 2.9f, Colour{255, 255, 240}, Colour{255, 190, 140}, Colour{150, 80, 50});
    return dot;
}

Canvas EnergizerPicture() {
    Canvas ball = MakeCanvas(16, 16);
    PaintShape(ball, kSmall, [](float x, float y) { return CircleDistance(x, y, 8, 8, 7.6f); },
               [](float x, float y, float) {
                   float t = std::clamp(std::hypot(x - 8, y - 8) / 7.6f, 0.0f, 1.0f);
                   return Mix(Colour{255, 150, 220}, Colour{140, 20, 120}, t);
               });
    PaintBall(ball, 5.2f, Colour{255, 255, 255}, Colour{255, 120, 200}, Colour{200, 60, 160});
    return ball;
}

Canvas BonusPicture(BonusKind kind) {
    Canvas item = MakeCanvas(16, 16);
    switch (kind) {
        case BonusKind::ExtraLife: PaintLifeFigure(item); break;
        case BonusKind::Speed: PaintBolt(item); break;
        case BonusKind::ExtraCharge: PaintGem(item); break;
        case BonusKind::Apple: PaintApple(item); break;
    }
    return item;
}

Canvas PointsLabel(int points) {
    TextStyle style;
    style.capHeight = 9;
    style.strokeRadius = 1.35f;
    style.outline = 1.2f;
    style.spacing = 0;
    style.top = {255, 255, 255};
    style.middle = {150, 240, 255};
    style.bottom = {40, 170, 255};
    style.outlineColour = {10, 30, 110};
    std::string text = std::to_string(points);
    Canvas label = MakeCanvas(TextPixelWidth(text, style), GlyphPixelHeight(style));
    DrawText(label, text, 0, 0, style);
    return label;
}
