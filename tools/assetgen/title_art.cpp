// Title pictures.
#include "tools/assetgen/title_art.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "tools/assetgen/sprite_art.h"
#include "tools/assetgen/stroke_font.h"

namespace {

constexpr float kStageY = 478;  // the menu ghost walks on this line (y 445..477)

// a small deterministic generator for the star field
uint32_t NextRandom(uint32_t& state) {
    state = state * 1664525u + 1013904223u;
    return state >> 8;
}

void PaintSky(Canvas& canvas) {
    for (int y = 0; y < canvas.height; ++y) {
        float t = float(y) / canvas.height;
        Colour c = t < 0.62f ? Mix(Colour{6, 6, 30}, Colour{48, 12, 70}, t / 0.62f)
                             : Mix(Colour{36, 6, 52}, Colour{10, 2, 24}, (t - 0.62f) / 0.38f);
        for (int x = 0; x < canvas.width; ++x) BlendPixel(canvas, x, y, c, 1);
    }
    uint32_t state = 1234567;
    for (int i = 0; i < 260; ++i) {
        float x = NextRandom(state) % 1000 + 12, y = NextRandom(state) % 440 + 12;
        float r = 0.5f + (NextRandom(state) % 100) / 100.0f;
        Colour c = Mix(Colour{160, 170, 255}, Colour{255, 255, 255}, (NextRandom(state) % 100) / 100.0f);
        PaintShape(canvas, {int(x) - 3, int(y) - 3, int(x) + 4, int(y) + 4},
                   [&](float px, float py) { return CircleDistance(px, py, x, y, r); },
                   [&](float, float, float) { return c; });
    }
}

// a perspective grid on the floor below the stage, lines running to the horizon
void PaintFloorGrid(Canvas& canvas) {
    const Colour line{255, 60, 200};
    for (int y = int(kStageY); y < canvas.height; ++y) {
        float depth = (y - kStageY + 1) / (canvas.height - kStageY);
        for (int x = 0; x < canvas.width; ++x) {
            float u = (x - 512) / (depth * 512);     // across, in grid units
            float v = 4 / (depth + 0.05f);           // along, shrinking to the horizon
            float du = std::fabs(u * 6 - std::round(u * 6)) / (6 * depth) * 512 / 6;
            float dv = std::fabs(v - std::round(v)) * (depth + 0.05f) * (depth + 0.05f) * 60;
            float glow = std::max(std::clamp(1.2f - du * 0.9f, 0.0f, 1.0f), std::clamp(1.2f - dv, 0.0f, 1.0f));
            BlendPixel(canvas, x, y, line, glow * (0.25f + 0.6f * depth));
        }
    }
    for (int y = int(kStageY) - 2; y < int(kStageY) + 3; ++y)
        for (int x = 0; x < canvas.width; ++x)
            BlendPixel(canvas, x, y, Colour{255, 200, 250}, 1 - std::fabs(y - kStageY) / 3);
}

// a striped setting sun behind the stage, with a soft glow around it
void PaintSun(Canvas& canvas) {
    const float cx = 536, cy = 350, radius = 128;
    for (int y = int(cy - radius - 60); y < int(kStageY); ++y) {
        for (int x = int(cx - radius - 60); x < int(cx + radius + 60); ++x) {
            float d = std::hypot(x + 0.5f - cx, y + 0.5f - cy);
            float glow = std::clamp(1 - (d - radius) / 60, 0.0f, 1.0f);
            if (d > radius) {
                BlendPixel(canvas, x, y, Colour{255, 80, 160}, glow * glow * 0.25f);
                continue;
            }
            // the lower half is cut by bands that grow towards the horizon
            float below = (y - cy) / radius;
            if (below > 0.05f) {
                float band = std::fmod(y - cy, 22.0f);
                if (band < 2 + below * 9) continue;
            }
            float t = std::clamp((y - (cy - radius)) / (2 * radius), 0.0f, 1.0f);
            Colour c = t < 0.5f ? Mix(Colour{255, 236, 110}, Colour{255, 140, 60}, t * 2)
                                : Mix(Colour{255, 140, 60}, Colour{240, 40, 150}, t * 2 - 1);
            BlendPixel(canvas, x, y, c, std::clamp(radius - d + 0.5f, 0.0f, 1.0f));
        }
    }
}

// distant maze walls on the horizon: neon-rimmed blocks of varied heights
void PaintSkyline(Canvas& canvas) {
    uint32_t state = 777;
    for (int x = 24; x < 1000;) {
        int width = 30 + int(NextRandom(state) % 50), height = 14 + int(NextRandom(state) % 40);
        if (x + width > 380 && x < 700) {
            x = 700;
            continue;
        }
        float cx = x + width / 2.0f, cy = kStageY - height / 2.0f;
        PaintShape(canvas, {x - 2, int(kStageY) - height - 2, x + width + 2, int(kStageY)},
                   [&](float px, float py) { return RoundBoxDistance(px, py, cx, cy, width / 2.0f, height / 2.0f, 5); },
                   [&](float, float, float d) { return d > -2.2f ? Colour{90, 160, 255} : Colour{22, 18, 70}; });
        x += width + 4 + int(NextRandom(state) % 20);
    }
}

void PaintStageDots(Canvas& canvas) {
    for (int x = 60; x < 1000; x += 36) {
        if (x > 440 && x < 640) continue;
        bool big = x == 636 + 36 * 7 || x == 420;
        float r = big ? 7.0f : 3.2f;
        PaintShape(canvas, {x - 9, 452, x + 10, 472}, [&](float px, float py) { return CircleDistance(px, py, x, 462, r); },
                   [&](float, float, float) { return big ? Colour{255, 140, 220} : Colour{255, 235, 200}; });
    }
}

void PaintFrame(Canvas& canvas) {
    Box all = {0, 0, canvas.width, canvas.height};
    auto ring = [](float x, float y, float inset) {
        return std::fabs(RoundBoxDistance(x, y, 512, 384, 512 - inset, 384 - inset, 22)) - 2.2f;
    };
    PaintShape(canvas, all, [&](float x, float y) { return ring(x, y, 10); },
               [](float, float, float) { return Colour{80, 160, 255}; });
    PaintShape(canvas, all, [&](float x, float y) { return ring(x, y, 20); },
               [](float, float, float) { return Colour{255, 80, 200}; });
}

TextStyle BigLetters(float capHeight) {
    TextStyle style;
    style.capHeight = capHeight;
    style.strokeRadius = capHeight * 0.085f;
    style.outline = capHeight * 0.05f;
    style.spacing = capHeight * 0.05f;
    style.top = {255, 250, 170};
    style.middle = {255, 200, 20};
    style.bottom = {250, 70, 10};
    style.outlineColour = {150, 30, 140};
    return style;
}

}  // namespace

Canvas TitleBackground() {
    Canvas canvas = MakeCanvas(1024, 768, {}, 0);
    PaintSky(canvas);
    PaintSun(canvas);
    PaintSkyline(canvas);
    PaintFloorGrid(canvas);
    PaintStageDots(canvas);
    PaintFrame(canvas);
    return canvas;
}

Canvas TitleBanner() {
    Canvas canvas = MakeCanvas(640, 160, {}, 0);
    TextStyle style = BigLetters(104);
    while (TextPixelWidth("GULPKIN", style) > 600) style = BigLetters(style.capHeight - 2);
    int width = TextPixelWidth("GULPKIN", style);
    DrawText(canvas, "GULPKIN", (620 - width) / 2.0f, (160 - GlyphPixelHeight(style)) / 2.0f, style);
    return canvas;
}

// The menu prints its choices at (80, 80) while the logo circles about 72
// pixels around (100, 80) against them: seen from the logo, the line sweeps
// its rows -72 to about 90. The art stays below them, so that the choices
// read whole in every pass; drawn still at (100, 80) it ends above the
// confirmation's ghost at (225, 300).
constexpr int kMenuSweptRows = 96;

Canvas TitleLogo() {
    Canvas canvas = MakeCanvas(600, 220, {}, 0);
    // the gulp figure about to bite the name
    constexpr float cx = 64, cy = 158, r = 54, s = r / 66;
    Box box = {0, kMenuSweptRows, 140, 220};
    auto pie = [](float x, float y) { return PieDistance(x, y, cx, cy, r, 1, 0, 0.62f); };
    PaintShape(canvas, box, [&](float x, float y) { return pie(x, y) - 4; },
               [](float, float, float) { return Colour{150, 40, 10}; });
    PaintShape(canvas, box, pie, [](float x, float y, float) {
        float t = std::clamp(std::hypot(x - (cx - 26 * s), y - (cy - 30 * s)) / (95 * s), 0.0f, 1.0f);
        return t < 0.3f ? Mix(Colour{255, 255, 200}, Colour{255, 230, 40}, t / 0.3f)
                        : Mix(Colour{255, 230, 40}, Colour{235, 130, 0}, (t - 0.3f) / 0.7f);
    });
    PaintShape(canvas, box, [](float x, float y) { return EllipseDistance(x, y, cx + 6 * s, cy - 40 * s, 9 * s, 11 * s); },
               [](float, float, float) { return Colour{70, 26, 14}; });
    PaintShape(canvas, box, [](float x, float y) { return CircleDistance(x, y, cx + 3 * s, cy - 44 * s, 3.5f * s); },
               [](float, float, float) { return Colour{255, 255, 255}; });
    TextStyle style = BigLetters(72);
    while (TextPixelWidth("GULPKIN", style) > 440) style = BigLetters(style.capHeight - 2);
    DrawText(canvas, "GULPKIN", 136, 110, style);
    TextStyle small = BigLetters(13);
    small.top = small.middle = small.bottom = Colour{120, 230, 255};
    small.outlineColour = {30, 60, 160};
    DrawText(canvas, "LE GLOUTON DU LABYRINTHE", 160, 196, small);
    return canvas;
}
