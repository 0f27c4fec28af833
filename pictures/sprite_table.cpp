// The sprite table.
#include "pictures/sprite_table.h"

#include "pictures/picture_decoding.h"

namespace {

std::vector<Sprite>& Table() {
    static std::vector<Sprite> table(kInitialSpriteCount);
    return table;
}

void Empty(Sprite& sprite) {
    sprite.image.clear();
    sprite.fileName.clear();
    sprite.imageWidth = sprite.imageHeight = 0;
    sprite.frameX = sprite.frameY = sprite.frameWidth = sprite.frameHeight = 0;
    sprite.depth = sprite.mode = 0;
}

}  // namespace

void ResetSpriteTable() {
    std::vector<Sprite>().swap(Table());
    Table().resize(kInitialSpriteCount);
}

Sprite* FindSprite(int id) {
    std::vector<Sprite>& table = Table();
    if (id < 0 || id >= static_cast<int>(table.size()) || table[id].image.empty()) return nullptr;
    return &table[id];
}

Sprite* EmptySpriteSlot(int id) {
    std::vector<Sprite>& table = Table();
    if (id < 0 || id > kMaxSpriteId) return nullptr;
    if (id >= static_cast<int>(table.size())) table.resize(static_cast<size_t>(id) + 10);
    Empty(table[id]);
    return &table[id];
}

bool ValidSpriteSize(int width, int height) {
    if (width < 1 || height < 1 || width > kMaxPictureSide || height > kMaxPictureSide) return false;
    return int64_t{width} * height <= kMaxPicturePixels;
}

bool ShapeSprite(Sprite& sprite, int width, int height) {
    if (!ValidSpriteSize(width, height)) return false;
    sprite.image.assign(static_cast<size_t>(width) * height, 0);
    sprite.imageWidth = width;
    sprite.imageHeight = height;
    SelectWholeImage(sprite);
    return true;
}

void SelectWholeImage(Sprite& sprite) {
    sprite.frameX = sprite.frameY = 0;
    sprite.frameWidth = sprite.imageWidth;
    sprite.frameHeight = sprite.imageHeight;
}

int SpriteTableSize() {
    return static_cast<int>(Table().size());
}
