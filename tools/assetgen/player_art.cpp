// The player: a round yellow figure lit from the upper left, with an eye
// above its mouth; its strips face right, down, left and up.
#include <algorithm>
#include <cmath>

#include "tools/assetgen/sprite_art.h"

namespace {

constexpr float kPi = 3.14159265f;
constexpr float kRadius = 13.5f;
const Colour kOutline{150, 62, 0};

struct Pose {
    float cx, cy;      // centre in the canvas
    float fx, fy;      // facing direction
    float mouth;       // half-angle of the mouth, radians
    float radius;
};

void PaintFigure(Canvas& canvas, const Pose& pose, bool withEye) {
    Box box = {int(pose.cx) - 17, int(pose.cy) - 17, int(pose.cx) + 17, int(pose.cy) + 17};
    auto body = [&](float x, float y) {
        return PieDistance(x, y, pose.cx, pose.cy, pose.radius, pose.fx, pose.fy, pose.mouth);
    };
    PaintShape(canvas, box, [&](float x, float y) { return body(x, y) - 1.2f; },
               [](float, float, float) { return kOutline; });
    PaintShape(canvas, box, body, [&](float x, float y, float) {
        float hx = pose.cx - pose.radius * 0.4f, hy = pose.cy - pose.radius * 0.45f;
        float t = std::clamp(std::hypot(x - hx, y - hy) / (pose.radius * 1.5f), 0.0f, 1.0f);
        Colour lit = t < 0.25f ? Mix(Colour{255, 255, 210}, Colour{255, 236, 60}, t * 4)
                               : Mix(Colour{255, 236, 60}, Colour{238, 150, 0}, (t - 0.25f) / 0.75f);
        return lit;
    });
    if (!withEye) return;
    // the eye sits a little behind the mouth, on the upper side of the face
    float sx = pose.fy != 0 ? -1.0f : 0.0f, sy = pose.fy != 0 ? 0.0f : -1.0f;
    float ex = pose.cx + pose.fx * 1.5f + sx * 7.5f, ey = pose.cy + pose.fy * 1.5f + sy * 7.5f;
    PaintShape(canvas, box, [&](float x, float y) { return EllipseDistance(x, y, ex, ey, 2.0f, 2.4f); },
               [](float, float, float) { return Colour{60, 24, 12}; });
    PaintShape(canvas, box, [&](float x, float y) { return CircleDistance(x, y, ex - 0.7f, ey - 0.9f, 0.8f); },
               [](float, float, float) { return Colour{255, 255, 255}; });
}

}  // namespace

float PieDistance(float x, float y, float cx, float cy, float radius, float fx, float fy, float mouth) {
    float px = x - cx, py = y - cy;
    float u = px * fx + py * fy, v = -px * fy + py * fx;  // along and across the facing
    float circle = std::hypot(px, py) - radius;
    if (mouth <= 0) return circle;
    float angle = std::atan2(std::fabs(v), u);
    float ca = std::cos(mouth), sa = std::sin(mouth);
    float along = u * ca + std::fabs(v) * sa;
    float ray = along > 0 ? std::fabs(-u * sa + std::fabs(v) * ca) : std::hypot(u, v);
    float wedge = angle < mouth ? -ray : ray;  // negative inside the mouth
    return std::max(circle, -wedge);
}

Canvas PlayerStrip(Facing facing) {
    static const float directions[4][2] = {{1, 0}, {0, 1}, {-1, 0}, {0, -1}};
    const float* f = directions[int(facing)];
    Canvas strip = MakeCanvas(320, 32);
    for (int frame = 0; frame < 10; ++frame) {
        float open = std::fabs(std::sin(kPi * (frame + 0.5f) / 10));
        Pose pose = {frame * 32 + 16.0f, 16.0f, f[0], f[1], (4 + 44 * open) * kPi / 180, kRadius};
        PaintFigure(strip, pose, true);
    }
    return strip;
}

Canvas DeathStrip() {
    Canvas strip = MakeCanvas(320, 32);
    for (int frame = 0; frame < 7; ++frame) {
        float mouth = (25 + 25.0f * frame) * kPi / 180;
        Pose pose = {frame * 32 + 16.0f, 17.0f + frame * 0.5f, 0, -1, mouth, kRadius - frame * 0.6f};
        PaintFigure(strip, pose, frame < 3);
    }
    // the last spark of the figure: short rays flying apart and fading
    for (int frame = 7; frame < 10; ++frame) {
        float cx = frame * 32 + 16.0f, cy = 18.0f;
        float inner = 3.0f + (frame - 7) * 4.0f, outer = inner + 5.0f - (frame - 7);
        Colour colour = Mix(Colour{255, 240, 120}, Colour{240, 120, 0}, (frame - 7) / 2.0f);
        for (int ray = 0; ray < 8; ++ray) {
            float a = ray * kPi / 4 + kPi / 8;
            float ax = cx + std::cos(a) * inner, ay = cy + std::sin(a) * inner;
            float bx = cx + std::cos(a) * outer, by = cy + std::sin(a) * outer;
            PaintShape(strip, {frame * 32, 0, frame * 32 + 32, 32},
                       [&](float x, float y) { return CapsuleDistance(x, y, ax, ay, bx, by, 1.1f); },
                       [&](float, float, float) { return colour; });
        }
    }
    return strip;
}
