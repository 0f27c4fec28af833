// The program's icon for desktop menus: the player's yellow face, mouth open
// to the right towards a dot, on a dark rounded square. The same shapes as
// the scalable icon installed beside it, drawn at any size.
#include <algorithm>
#include <cmath>

#include "tools/assetgen/asset_pack.h"

namespace {

constexpr Colour kNight{16, 16, 48};
constexpr Colour kYellow{255, 210, 31};
constexpr Colour kWhite{255, 255, 255};
constexpr float kMouthHalfAngle = 0.49f;  // radians, about 28 degrees

Shader Flat(Colour c) {
    return [c](float, float, float) { return c; };
}

}  // namespace

Canvas IconPicture(int size) {
    const float u = size / 64.0f;  // the icon is laid out on a 64-unit square
    Canvas icon = MakeCanvas(size, size);
    Box all{0, 0, size, size};
    PaintShape(icon, all, [=](float x, float y) { return RoundBoxDistance(x, y, 32 * u, 32 * u, 32 * u, 32 * u, 10 * u); },
               Flat(kNight));
    const float cx = 32 * u, cy = 32 * u, radius = 28 * u, reach = 40 * u;
    const std::vector<float> mouth = {cx, cy, cx + reach * std::cos(kMouthHalfAngle), cy - reach * std::sin(kMouthHalfAngle),
                                      cx + reach * std::cos(kMouthHalfAngle), cy + reach * std::sin(kMouthHalfAngle)};
    PaintShape(icon, all,
               [=](float x, float y) {
                   return std::max(CircleDistance(x, y, cx, cy, radius), -PolygonDistance(x, y, mouth));
               },
               Flat(kYellow));
    PaintShape(icon, all, [=](float x, float y) { return CircleDistance(x, y, 30 * u, 17 * u, 3.5f * u); }, Flat(kNight));
    PaintShape(icon, all, [=](float x, float y) { return CircleDistance(x, y, 56 * u, 32 * u, 3 * u); }, Flat(kWhite));
    return icon;
}
