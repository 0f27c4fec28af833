// The window's icon; see sdl_window_icon.h.
#include "platform/sdl/sdl_window_icon.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kSide = 64;  // the icon is laid out on a 64-unit square
constexpr uint32_t kClear = 0x00000000, kNight = 0xFF101030, kYellow = 0xFFFFD21F, kWhite = 0xFFFFFFFF;
constexpr float kMouthHalfAngle = 0.49f;  // radians, about 28 degrees

bool InRoundedSquare(float x, float y) {
    float dx = std::max(std::abs(x - 32.0f) - 22.0f, 0.0f), dy = std::max(std::abs(y - 32.0f) - 22.0f, 0.0f);
    return dx * dx + dy * dy <= 100.0f;
}

bool InCircle(float x, float y, float cx, float cy, float radius) {
    return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius;
}

// the face: the circle but for the wedge of the mouth opening to the right
bool InFace(float x, float y) {
    bool inMouth = x > 32.0f && std::abs(std::atan2(y - 32.0f, x - 32.0f)) < kMouthHalfAngle;
    return InCircle(x, y, 32.0f, 32.0f, 28.0f) && !inMouth;
}

// one point of the 64-unit square, the last shape painted winning
uint32_t IconColour(float x, float y) {
    if (InCircle(x, y, 56.0f, 32.0f, 3.0f)) return kWhite;
    if (InCircle(x, y, 30.0f, 17.0f, 3.5f)) return kNight;
    if (InFace(x, y)) return kYellow;
    return InRoundedSquare(x, y) ? kNight : kClear;
}

}  // namespace

std::vector<uint32_t> GameIconPixels(int side) {
    std::vector<uint32_t> pixels(static_cast<size_t>(side) * side);
    const float unit = static_cast<float>(kSide) / static_cast<float>(side);
    for (int row = 0; row < side; ++row) {
        for (int column = 0; column < side; ++column) {
            pixels[static_cast<size_t>(row) * side + column] = IconColour((column + 0.5f) * unit, (row + 0.5f) * unit);
        }
    }
    return pixels;
}

// Done once, when the window is made; a failure leaves the window without
// an icon, as before.
void SetGameIcon(SDL_Window* window) {
    if (window == nullptr) return;
    std::vector<uint32_t> pixels = GameIconPixels(kSide);
    SDL_Surface* icon = SDL_CreateRGBSurfaceWithFormatFrom(pixels.data(), kSide, kSide, 32, kSide * 4,
                                                           SDL_PIXELFORMAT_ARGB8888);
    if (icon == nullptr) return;
    SDL_SetWindowIcon(window, icon);
    SDL_FreeSurface(icon);
}
