// Drawing boxes, pixels and text on the back buffer or on a sprite.
//
// Order: take a target record (ScreenDrawTarget or SpriteDrawTarget), open it
// with BeginDrawing, draw, EndDrawing. At most one drawing is open; every
// drawing call does nothing while none is. Colours are 0x00BBGGRR values
// (red in the low byte), as MixColour makes them.
#pragma once

#include <cstdint>
#include <string>

// start-up: the default black brush and pen
void InitDrawing();
// a target record for the back buffer; 0 if a screen drawing is still open
int ScreenDrawTarget();
// a target record for sprite id's image; 0 if a sprite drawing is open or no sprite
int SpriteDrawTarget(int id);
// ends any open drawing, then opens the target (nothing for 0)
void BeginDrawing(int target);
// releases the open target; harmless when nothing is open
void EndDrawing();
// ends a drawing left open on the back buffer (PresentFrame calls it)
void ReleaseScreenDrawing();
// bit 0: transparent text background; bit 1: inverting boxes; bit 2: outline boxes
void SetTextMode(int mode);
// pen colour for text, boxes and pixels
void SetPenColour(int r, int g, int b);
// a box over columns x .. x + w - 1 and rows y .. y + h - 1; also sets the pen
void FillRect(int x, int y, int width, int height, int32_t colour);
// one pixel in the colour; points outside the target are ignored
void PutPixel(int x, int y, int32_t colour);
// top-left of the next text
void SetTextCursor(int x, int y);
// text at the cursor in the pen colour; the cursor moves past it
void PrintText(const std::string& text);
