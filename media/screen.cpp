// The display service. Placeholder: sprites are not held yet.
#include "media/screen.h"

#include "media/platform/platform.h"

namespace {
bool screenOpen = false;
int focusFlag = 0;
int refresh = 0;
}  // namespace

void InitScreen() { screenOpen = false; }
void SetScreenRefresh(int hz) { refresh = hz; }
int OpenFullScreen(int width, int height, int, const std::string& title) {
    screenOpen = platform::OpenDisplay(width, height, refresh, title);
    focusFlag = screenOpen ? 1 : 0;
    return screenOpen ? 1 : 0;
}
int SetFrameCap(int) { return 1; }
void PresentFrame() {
    platform::PumpWindowEvents();
    if (screenOpen) platform::PresentPixels(nullptr, 0, 0, 0);
    focusFlag = (screenOpen && platform::WindowHasFocus()) ? 1 : 0;
}
int ScreenHasFocus() { return focusFlag; }
int LoadSpriteFile(int, const std::string&, int) { return 0; }
int LoadSpriteFile0(int id, const std::string& path) { return LoadSpriteFile(id, path, 0); }
int MakeBlankSprite(int, int, int) { return 0; }
int CopySpriteImage(int, int) { return 0; }
int GrabScreenToSprite(int, int, int, int, int) { return 0; }
void SetSpriteFrame(int, int, int, int, int) {}
int SpriteWidth(int) { return 0; }
void DrawSpriteKeyed(int, int, int) {}
void DrawSpriteOpaque(int, int, int) {}
int SpritesOverlap(int, int, int, int, int, int) { return 0; }
void FillScreen(int, int, int) {}
void SetBlitTarget(int) {}
int FreeVideoMemory() { return 0; }
void EndScreen() {
    platform::CloseDisplay();
    screenOpen = false;
}
bool ViewSprite(int, SpriteView&) { return false; }
const uint16_t* BackBufferPixels() { return nullptr; }
int BackBufferWidth() { return 0; }
int BackBufferHeight() { return 0; }
