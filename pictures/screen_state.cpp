// The display service's state and its blit target.
#include "pictures/screen_state.h"

#include "pictures/sprite_table.h"

ScreenState& TheScreen() {
    static ScreenState screen;
    return screen;
}

bool BackBufferSurface(Surface& out) {
    ScreenState& screen = TheScreen();
    if (screen.backBuffer.empty()) return false;
    out = Surface{screen.backBuffer.data(), screen.width, screen.height, screen.width};
    return true;
}

// The target is kept by number and looked up at each use, so a sprite that is
// replaced or freed while it is the target can never be written after it.
bool BlitTargetSurface(Surface& out) {
    ScreenState& screen = TheScreen();
    if (screen.blitTarget == kBackBufferTarget) return BackBufferSurface(out);
    Sprite* sprite = FindSprite(screen.blitTarget);
    if (sprite == nullptr) return false;
    out = Surface{sprite->image.data(), sprite->imageWidth, sprite->imageHeight, sprite->imageWidth};
    return true;
}
