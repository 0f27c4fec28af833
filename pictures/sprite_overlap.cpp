// Pixel-exact overlap of two sprite frames.
#include "pictures/screen.h"

#include "pictures/sprite_table.h"

#include <algorithm>

namespace {

// The overlap of two spans along one axis: where it starts in each frame and
// how long it is.
struct Span {
    int start1, start2, length;
};

Span Intersect(int p1, int size1, int p2, int size2) {
    if (p1 < p2) return Span{p2 - p1, 0, std::min(size1 - (p2 - p1), size2)};
    return Span{0, p1 - p2, std::min(size2 - (p1 - p2), size1)};
}

const uint16_t* FramePixel(const Sprite& sprite, int column, int row) {
    return sprite.image.data() + static_cast<size_t>(sprite.frameY + row) * sprite.imageWidth + sprite.frameX + column;
}

}  // namespace

// The boxes are tested first; touching edges do not overlap. The scan stops
// at the first position where neither pixel is 0.
int SpritesOverlap(int id1, int x1, int y1, int id2, int x2, int y2) {
    const Sprite* a = FindSprite(id1);
    const Sprite* b = FindSprite(id2);
    if (a == nullptr || b == nullptr) return 0;
    int64_t ax = x1, ay = y1, bx = x2, by = y2;
    if (!(bx < ax + a->frameWidth && ax < bx + b->frameWidth && ay < by + b->frameHeight && by < ay + a->frameHeight)) {
        return 0;
    }
    Span across = Intersect(x1, a->frameWidth, x2, b->frameWidth);
    Span down = Intersect(y1, a->frameHeight, y2, b->frameHeight);
    for (int row = 0; row < down.length; ++row) {
        const uint16_t* pa = FramePixel(*a, across.start1, down.start1 + row);
        const uint16_t* pb = FramePixel(*b, across.start2, down.start2 + row);
        for (int column = 0; column < across.length; ++column) {
            if (pa[column] != 0 && pb[column] != 0) return 1;
        }
    }
    return 0;
}
