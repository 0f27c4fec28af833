// The display service: opening and closing the screen, presenting frames,
// the blit target, fills and the read-only views.
#include "pictures/screen.h"

#include "pictures/drawing.h"
#include "pictures/frame_limiter.h"
#include "pictures/picture_decoding.h"
#include "pictures/pixel_format.h"
#include "platform/platform.h"
#include "pictures/screen_state.h"
#include "pictures/sprite_table.h"

namespace {

void CloseScreen() {
    ScreenState& screen = TheScreen();
    platform::CloseDisplay();
    std::vector<uint16_t>().swap(screen.backBuffer);
    screen.open = false;
    screen.blitTarget = kBackBufferTarget;
}

// The display paces the frames itself when it runs at the rate asked for;
// otherwise (the fallback at the default rate) the limiter does.
bool DisplayPacesFrames() {
    const ScreenState& screen = TheScreen();
    return screen.requestedRefresh != 0 && screen.reportedRefresh == screen.requestedRefresh;
}

void FollowWindowFocus() {
    ScreenState& screen = TheScreen();
    platform::PumpWindowEvents();
    if (screen.open) screen.focus = platform::WindowHasFocus() ? 1 : 0;
}

void Flip() {
    ScreenState& screen = TheScreen();
    if (!screen.open) return;
    if (screen.focus != 0) {
        platform::PresentPixels(screen.backBuffer.data(), screen.width, screen.height, screen.width);
    } else {
        platform::PresentPixels(nullptr, 0, 0, 0);
    }
}

}  // namespace

void InitScreen() {
    CloseScreen();
    ResetSpriteTable();
    ResetFrameLimiter();
    TheScreen() = ScreenState{};
}

void SetScreenRefresh(int hz) {
    TheScreen().requestedRefresh = hz;
}

int OpenFullScreen(int width, int height, int depth, const std::string& title) {
    ScreenState& screen = TheScreen();
    if (screen.open) CloseScreen();
    if (width < 1 || height < 1 || width > kMaxPictureSide || height > kMaxPictureSide) return 0;
    if (!platform::OpenDisplay(width, height, screen.requestedRefresh, title)) return 0;
    screen.width = width;
    screen.height = height;
    screen.depth = depth;
    screen.backBuffer.assign(static_cast<size_t>(width) * height, 0);
    screen.blitTarget = kBackBufferTarget;
    screen.reportedRefresh = platform::DisplayRefreshRate();
    SetPixelLayout555(false);  // our buffers are always 5:6:5
    screen.focus = 1;
    screen.open = true;
    return 1;
}

// Window events are processed here and nowhere else; the focus flag follows
// the window. While it is 0 the flip is skipped. Events are taken again after
// the flip, so that a focus lost meanwhile stops the game before it draws the
// next frame.
void PresentFrame() {
    ScreenState& screen = TheScreen();
    ReleaseScreenDrawing();
    screen.blitTarget = kBackBufferTarget;
    FollowWindowFocus();
    Flip();
    FollowWindowFocus();
    if (!DisplayPacesFrames()) WaitForFrameRelease();
    screen.blitTarget = kBackBufferTarget;
}

int ScreenHasFocus() {
    return TheScreen().focus;
}

void FillScreen(int r, int g, int b) {
    Surface target;
    if (!BlitTargetSurface(target)) return;
    FillSurface(target, Pack565(static_cast<uint32_t>(r) & 255, static_cast<uint32_t>(g) & 255,
                                static_cast<uint32_t>(b) & 255));
}

void SetBlitTarget(int id) {
    if (id == kBackBufferTarget || FindSprite(id) != nullptr) TheScreen().blitTarget = id;
}

uint64_t FreeVideoMemory() {
    return TheScreen().open ? platform::FreeVideoBytes() : 0;
}

// The focus flag keeps its value.
void EndScreen() {
    EndDrawing();
    ResetSpriteTable();
    CloseScreen();
}

bool ViewSprite(int id, SpriteView& view) {
    const Sprite* sprite = FindSprite(id);
    if (sprite == nullptr) return false;
    view.pixels = sprite->image.data();
    view.imageWidth = sprite->imageWidth;
    view.imageHeight = sprite->imageHeight;
    view.frameX = sprite->frameX;
    view.frameY = sprite->frameY;
    view.frameWidth = sprite->frameWidth;
    view.frameHeight = sprite->frameHeight;
    view.depth = sprite->depth;
    return true;
}

const uint16_t* BackBufferPixels() {
    const ScreenState& screen = TheScreen();
    return screen.backBuffer.empty() ? nullptr : screen.backBuffer.data();
}

int BackBufferWidth() {
    return TheScreen().backBuffer.empty() ? 0 : TheScreen().width;
}

int BackBufferHeight() {
    return TheScreen().backBuffer.empty() ? 0 : TheScreen().height;
}
