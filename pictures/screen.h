// The display service: one 1024 x 768 back buffer of 5:6:5 pixels, a table of
// numbered sprites, and the operations the game draws with every frame.
//
// Order: InitScreen at start-up, then OpenFullScreen (the game retries once
// at the default refresh), sprites loaded and drawn, PresentFrame once per
// frame, EndScreen at shut-down. The service owns every sprite image; the
// game names them only by number. Pixel value 0 is transparent in every
// sprite. Any operation given a number without a sprite does nothing and
// returns 0. Coordinates are pixels, (0, 0) top-left; Draw operations take the
// top-left corner of the picture.
#pragma once

#include <cstdint>
#include <string>

// start-up: empty sprite table of 50 entries, screen state cleared
void InitScreen();
// refresh rate in Hz that the next OpenFullScreen asks for (0 = default)
void SetScreenRefresh(int hz);
// opens the full screen; non-zero on success, 0 with everything closed again
int OpenFullScreen(int width, int height, int depth, const std::string& title);
// frame limiter for PresentFrame (0 = off); non-zero if a fine counter exists
int SetFrameCap(int fps);
// shows the back buffer, processes window events, applies the limiter
void PresentFrame();
// 1 while the game's window is the active application, else 0
int ScreenHasFocus();
// loads a BMP or JPEG into sprite id; a missing file keeps the old sprite, an
// undecodable one empties the number; non-zero on success
int LoadSpriteFile(int id, const std::string& path, int mode);
// LoadSpriteFile(id, path, 0)
int LoadSpriteFile0(int id, const std::string& path);
// a new black sprite of width x height; non-zero on success
int MakeBlankSprite(int id, int width, int height);
// sprite `to` becomes a copy of the whole image of `from`; non-zero on success
int CopySpriteImage(int from, int to);
// sprite id becomes a copy of that rectangle of the blit target
int GrabScreenToSprite(int id, int x, int y, int width, int height);
// selects the frame drawn and tested; x = -1 selects the whole image
void SetSpriteFrame(int id, int x, int y, int width, int height);
// width of the current frame, 0 if there is no sprite
int SpriteWidth(int id);
// draws the frame at (x, y) on the blit target, leaving out pixels of value 0
void DrawSpriteKeyed(int id, int x, int y);
// draws the frame at (x, y) on the blit target, every pixel
void DrawSpriteOpaque(int id, int x, int y);
// 1 if the two frames at those positions share a position where neither is 0
int SpritesOverlap(int id1, int x1, int y1, int id2, int x2, int y2);
// fills the whole blit target with the colour (components 0..255)
void FillScreen(int r, int g, int b);
// sprite id becomes the target of drawing, fills and grabs; -1 = back buffer
void SetBlitTarget(int id);
// free display memory in bytes, as the platform gives it; 0 before the
// screen is open or where the platform cannot tell
uint64_t FreeVideoMemory();
// shut-down: closes the screen and frees every sprite
void EndScreen();

// ---- read-only views for the other media services and for tests ----------

// One sprite's pixels as the service holds them.
struct SpriteView {
    const uint16_t* pixels = nullptr;  // image rows, top row first
    int imageWidth = 0, imageHeight = 0;
    int frameX = 0, frameY = 0, frameWidth = 0, frameHeight = 0;
    int depth = 0;
};
// true and the view if sprite id exists
bool ViewSprite(int id, SpriteView& view);
// the back buffer's pixels (1024 x 768 once the screen is open), top row first
const uint16_t* BackBufferPixels();
int BackBufferWidth();
int BackBufferHeight();
