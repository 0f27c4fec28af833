// Drawing on the screen and sprites. Placeholder.
#include "media/drawing.h"

void InitDrawing() {}
int ScreenDrawTarget() { return 0; }
int SpriteDrawTarget(int) { return 0; }
void BeginDrawing(int) {}
void EndDrawing() {}
void SetTextMode(int) {}
void SetPenColour(int, int, int) {}
void FillRect(int, int, int, int, int32_t) {}
void PutPixel(int, int, int32_t) {}
void SetTextCursor(int, int) {}
void PrintText(const std::string&) {}
