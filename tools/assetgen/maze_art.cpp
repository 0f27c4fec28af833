// Painting a maze background: corridor mask from the layout, walls opened
// slightly so that their corners are round, then every pixel shaded from
// its distance to the nearest wall edge.
#include "tools/assetgen/maze_art.h"

#include <algorithm>
#include <cmath>

#include "tools/assetgen/distance_map.h"
#include "tools/assetgen/maze_geometry.h"
#include "tools/assetgen/stroke_font.h"

namespace {

constexpr float kCornerRadius = 4.5f;

using Mask = std::vector<uint8_t>;

void FillRect(Mask& mask, PixelRect r, uint8_t value) {
    for (int y = std::max(r.y0, 0); y < std::min(r.y1, kScreenHeight); ++y)
        for (int x = std::max(r.x0, 0); x < std::min(r.x1, kScreenWidth); ++x) mask[size_t(y) * kScreenWidth + x] = value;
}

// 1 where the picture shows wall: the complement of the corridors, with the
// corners that jut into a corridor rounded off
Mask WallMask(int layout) {
    Mask floor(size_t(kScreenWidth) * kScreenHeight, 0);
    for (PixelRect r : CorridorRects(layout)) FillRect(floor, r, 1);
    std::vector<float> intoWall = DistanceToSet(floor, kScreenWidth, kScreenHeight);
    Mask core(floor.size());
    for (size_t i = 0; i < core.size(); ++i) core[i] = intoWall[i] > kCornerRadius;
    std::vector<float> fromCore = DistanceToSet(core, kScreenWidth, kScreenHeight);
    Mask wall(floor.size());
    for (size_t i = 0; i < wall.size(); ++i) wall[i] = fromCore[i] <= kCornerRadius;
    return wall;
}

Colour FloorColour(const MazeTheme& theme, int y, float toWall) {
    Colour base = Scale(theme.floor, 0.85f + 0.3f * y / kScreenHeight);
    float glow = toWall < 12 ? 0.32f * std::exp(-(toWall - 1) / 2.6f) : 0;
    return Mix(base, theme.rim, glow);
}

Colour WallColour(const MazeTheme& theme, int x, int y, float depth) {
    Colour fill = Mix(theme.fillTop, theme.fillBottom, float(y) / kScreenHeight);
    if ((x + y) % 12 < 3) fill = Scale(fill, 1.18f);             // diagonal hatching
    if (std::fabs(depth - 8) < 1.1f) fill = Mix(fill, theme.rim, 0.45f);  // inner line
    if (depth < 4.5f) {
        float t = std::clamp((4.5f - depth) / 3.5f, 0.0f, 1.0f);
        Colour rim = depth <= 2.01f ? Mix(theme.rim, Colour{255, 255, 255}, 0.3f) : theme.rim;
        fill = Mix(fill, rim, t);
    }
    return fill;
}

void PaintPanels(Canvas& canvas, const MazeTheme& theme) {
    for (PixelRect r : StatusPanels()) {
        float cx = (r.x0 + r.x1) / 2.0f, cy = (r.y0 + r.y1) / 2.0f;
        float hx = (r.x1 - r.x0) / 2.0f, hy = (r.y1 - r.y0) / 2.0f;
        PaintShape(canvas, {r.x0, r.y0, r.x1, r.y1},
                   [&](float x, float y) { return RoundBoxDistance(x, y, cx, cy, hx, hy, 6); },
                   [&](float x, float y, float d) {
                       // recessed: shadow along the top and left, light along the bottom and right
                       Colour c = theme.panel;
                       if (d > -2.5f) c = (x - cx) / hx + (y - cy) / hy < 0 ? Scale(c, 0.72f) : Mix(c, theme.rim, 0.5f);
                       return c;
                   });
    }
}

void PaintDoors(Canvas& canvas, int layout) {
    for (PixelRect r : DoorRects(layout)) {
        float cx = (r.x0 + r.x1) / 2.0f, cy = (r.y0 + r.y1) / 2.0f;
        PaintShape(canvas, {r.x0 - 2, r.y0, r.x1 + 2, r.y1},
                   [&](float x, float y) { return RoundBoxDistance(x, y, cx, cy, (r.x1 - r.x0) / 2.0f + 2, 3, 1.5f); },
                   [](float, float y, float) { return Mix(Colour{255, 210, 235}, Colour{255, 110, 190}, std::fmod(y, 6) / 6); });
    }
}

void PaintCaptions(Canvas& canvas, const MazeTheme& theme) {
    TextStyle style;
    style.capHeight = 6.5f;
    style.strokeRadius = 1.15f;
    style.outline = 0;
    style.spacing = 1;
    style.top = style.middle = theme.caption;
    style.bottom = Scale(theme.caption, 0.8f);
    style.outlineColour = Scale(theme.fillBottom, 0.5f);
    for (const Caption& caption : StatusCaptions()) {
        int width = TextPixelWidth(caption.text, style);
        float x = caption.area.x0 + (caption.area.x1 - caption.area.x0 - width) / 2.0f;
        DrawText(canvas, caption.text, std::round(x), caption.area.y0, style);
    }
}

}  // namespace

Canvas MazeBackground(int layout) {
    const MazeTheme& theme = ThemeOfLayout(layout);
    Mask wall = WallMask(layout);
    Mask floor(wall.size());
    for (size_t i = 0; i < wall.size(); ++i) floor[i] = !wall[i];
    std::vector<float> depth = DistanceToSet(floor, kScreenWidth, kScreenHeight);
    std::vector<float> toWall = DistanceToSet(wall, kScreenWidth, kScreenHeight);
    Canvas canvas = MakeCanvas(kScreenWidth, kScreenHeight, {}, 1);
    for (int y = 0; y < kScreenHeight; ++y) {
        for (int x = 0; x < kScreenWidth; ++x) {
            size_t i = size_t(y) * kScreenWidth + x;
            Colour c = wall[i] ? WallColour(theme, x, y, depth[i]) : FloorColour(theme, y, toWall[i]);
            canvas.rgb[i * 3] = c.r;
            canvas.rgb[i * 3 + 1] = c.g;
            canvas.rgb[i * 3 + 2] = c.b;
        }
    }
    PaintDoors(canvas, layout);
    PaintPanels(canvas, theme);
    PaintCaptions(canvas, theme);
    return canvas;
}
