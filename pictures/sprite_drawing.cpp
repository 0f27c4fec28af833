// Frames and the two Draw operations.
#include "pictures/screen.h"

#include "pictures/blit.h"
#include "pictures/screen_state.h"
#include "pictures/sprite_table.h"

#include <algorithm>

namespace {

void DrawSprite(int id, int x, int y, bool keyed) {
    if (TheScreen().focus == 0) return;
    const Sprite* sprite = FindSprite(id);
    Surface target;
    ClippedDraw clip;
    if (sprite == nullptr || !BlitTargetSurface(target)) return;
    if (!ClipDraw(x, y, sprite->frameWidth, sprite->frameHeight, target.width, target.height, clip)) return;
    const uint16_t* source = sprite->image.data() +
                             static_cast<size_t>(sprite->frameY + clip.sourceY) * sprite->imageWidth +
                             (sprite->frameX + clip.sourceX);
    uint16_t* destination = target.Row(clip.targetY) + clip.targetX;
    if (keyed) {
        CopyKeyed(source, sprite->imageWidth, destination, target.pitch, clip.width, clip.height);
    } else {
        CopyOpaque(source, sprite->imageWidth, destination, target.pitch, clip.width, clip.height);
    }
}

}  // namespace

// A frame never reaches outside the image: its corner is kept inside and
// its size cut to what the image holds from there (a frame hanging over an
// edge would make the Draw operations read past the picture).
void SetSpriteFrame(int id, int x, int y, int width, int height) {
    Sprite* sprite = FindSprite(id);
    if (sprite == nullptr) return;
    if (x == -1) {
        SelectWholeImage(*sprite);
        return;
    }
    sprite->frameX = std::clamp(x, 0, sprite->imageWidth);
    sprite->frameY = std::clamp(y, 0, sprite->imageHeight);
    sprite->frameWidth = std::clamp(width, 0, sprite->imageWidth - sprite->frameX);
    sprite->frameHeight = std::clamp(height, 0, sprite->imageHeight - sprite->frameY);
}

int SpriteWidth(int id) {
    const Sprite* sprite = FindSprite(id);
    return sprite == nullptr ? 0 : sprite->frameWidth;
}

void DrawSpriteKeyed(int id, int x, int y) {
    DrawSprite(id, x, y, true);
}

void DrawSpriteOpaque(int id, int x, int y) {
    DrawSprite(id, x, y, false);
}
