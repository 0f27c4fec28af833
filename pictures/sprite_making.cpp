// Putting pictures under sprite numbers: loading files, blank sprites,
// copies and grabs of the blit target. Each one first frees the number.
#include "pictures/screen.h"

#include "pictures/picture_decoding.h"
#include "platform/platform.h"
#include "pictures/screen_state.h"
#include "pictures/sprite_table.h"

#include <algorithm>

namespace {

// Copies the part of the rectangle (x, y, width, height) that lies on the
// surface into `into` (width pixels a row); the rest stays as it is.
void CopyRectangle(const Surface& from, int x, int y, int width, int height, uint16_t* into) {
    int64_t left = std::max<int64_t>(x, 0), top = std::max<int64_t>(y, 0);
    int64_t right = std::min<int64_t>(int64_t{x} + width, from.width);
    int64_t bottom = std::min<int64_t>(int64_t{y} + height, from.height);
    for (int64_t row = top; row < bottom && left < right; ++row) {
        const uint16_t* source = from.Row(static_cast<int>(row)) + left;
        std::copy(source, source + (right - left), into + (row - y) * width + (left - x));
    }
}

}  // namespace

// A file that cannot be read keeps the old sprite; one that does not decode
// leaves the number empty.
int LoadSpriteFile(int id, const std::string& path, int mode) {
    std::vector<uint8_t> bytes;
    if (id < 0 || id > kMaxSpriteId || !platform::ReadWholeFile(path, bytes)) return 0;
    Sprite* sprite = EmptySpriteSlot(id);
    DecodedPicture picture;
    if (!DecodePicture(bytes.data(), bytes.size(), picture)) return 0;
    sprite->image = std::move(picture.pixels);
    sprite->imageWidth = picture.width;
    sprite->imageHeight = picture.height;
    SelectWholeImage(*sprite);
    sprite->depth = picture.depth;
    sprite->mode = mode;
    sprite->fileName = path;
    return 1;
}

int LoadSpriteFile0(int id, const std::string& path) {
    return LoadSpriteFile(id, path, 0);
}

int MakeBlankSprite(int id, int width, int height) {
    Sprite* sprite = EmptySpriteSlot(id);
    if (sprite == nullptr || !ShapeSprite(*sprite, width, height)) return 0;
    sprite->depth = TheScreen().depth;
    return 1;
}

// `to` reuses its storage when the size allows: the game copies its
// background like this every frame.
int CopySpriteImage(int from, int to) {
    if (from == to) return 0;
    Sprite* target = EmptySpriteSlot(to);
    const Sprite* source = FindSprite(from);  // after the slot: growing the table moves entries
    if (target == nullptr || source == nullptr) return 0;
    target->image.assign(source->image.begin(), source->image.end());
    target->imageWidth = source->imageWidth;
    target->imageHeight = source->imageHeight;
    SelectWholeImage(*target);
    target->depth = source->depth;
    target->mode = source->mode;
    return 1;
}

// Parts of the rectangle outside the blit target come out black.
int GrabScreenToSprite(int id, int x, int y, int width, int height) {
    Surface from;
    if (id < 0 || id > kMaxSpriteId || !BlitTargetSurface(from)) return 0;
    if (!ValidSpriteSize(width, height)) {
        EmptySpriteSlot(id);
        return 0;
    }
    if (id == TheScreen().blitTarget) {  // grabbing a sprite into itself: keep the source alive
        std::vector<uint16_t> pixels(static_cast<size_t>(width) * height, 0);
        CopyRectangle(from, x, y, width, height, pixels.data());
        Sprite* sprite = EmptySpriteSlot(id);
        ShapeSprite(*sprite, width, height);
        sprite->image = std::move(pixels);
        return 1;
    }
    Sprite* sprite = EmptySpriteSlot(id);  // may grow the table, moving the target sprite
    if (!BlitTargetSurface(from) || !ShapeSprite(*sprite, width, height)) return 0;
    CopyRectangle(from, x, y, width, height, sprite->image.data());
    return 1;
}
