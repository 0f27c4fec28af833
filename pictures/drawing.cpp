// Drawing targets, opening and closing a drawing, modes, colours and the
// text cursor.
#include "pictures/drawing.h"

#include "pictures/drawing_state.h"
#include "pictures/screen_state.h"
#include "pictures/sprite_table.h"

namespace {

// Target records: 1 names the back buffer, id + 2 names sprite id.
constexpr int kScreenRecord = 1;
constexpr int kFirstSpriteRecord = 2;

}  // namespace

DrawingState& TheDrawing() {
    static DrawingState drawing;
    return drawing;
}

// The image is looked up at each call, so a sprite replaced while a drawing
// on it is open is never written after it was freed.
bool DrawingSurface(Surface& out) {
    const DrawingState& drawing = TheDrawing();
    if (drawing.kind == DrawingKind::Screen) return BackBufferSurface(out);
    if (drawing.kind != DrawingKind::Sprite) return false;
    Sprite* sprite = FindSprite(drawing.spriteId);
    if (sprite == nullptr) return false;
    out = Surface{sprite->image.data(), sprite->imageWidth, sprite->imageHeight, sprite->imageWidth};
    return true;
}

void InitDrawing() {
    TheDrawing() = DrawingState{};
}

int ScreenDrawTarget() {
    Surface screen;
    if (TheDrawing().kind == DrawingKind::Screen || !BackBufferSurface(screen)) return 0;
    return kScreenRecord;
}

int SpriteDrawTarget(int id) {
    if (TheDrawing().kind == DrawingKind::Sprite || FindSprite(id) == nullptr) return 0;
    return id + kFirstSpriteRecord;
}

// A new drawing starts with the black brush and pen, black text on a filled
// (white) background, normal painting and the cursor at the top-left.
void BeginDrawing(int target) {
    EndDrawing();
    if (target == kScreenRecord) {
        TheDrawing().kind = DrawingKind::Screen;
    } else if (target >= kFirstSpriteRecord && FindSprite(target - kFirstSpriteRecord) != nullptr) {
        TheDrawing().kind = DrawingKind::Sprite;
        TheDrawing().spriteId = target - kFirstSpriteRecord;
    }
}

void EndDrawing() {
    TheDrawing() = DrawingState{};
}

void ReleaseScreenDrawing() {
    if (TheDrawing().kind == DrawingKind::Screen) EndDrawing();
}

void SetTextMode(int mode) {
    DrawingState& drawing = TheDrawing();
    if (drawing.kind == DrawingKind::None) return;
    drawing.transparentText = (mode & 1) != 0;
    drawing.invert = (mode & 2) != 0;
    drawing.outline = (mode & 4) != 0;
}

// In outline mode boxes have no brush, so the colour brush stays as it was.
void SetPenColour(int r, int g, int b) {
    DrawingState& drawing = TheDrawing();
    if (drawing.kind == DrawingKind::None) return;
    int32_t colour = static_cast<int32_t>(static_cast<uint32_t>(r) + static_cast<uint32_t>(g) * 256u +
                                          static_cast<uint32_t>(b) * 65536u);
    if (!drawing.outline) drawing.brushColour = colour;
    drawing.penColour = colour;
    drawing.textColour = colour;
}

void SetTextCursor(int x, int y) {
    DrawingState& drawing = TheDrawing();
    if (drawing.kind == DrawingKind::None) return;
    drawing.cursorX = x;
    drawing.cursorY = y;
}
