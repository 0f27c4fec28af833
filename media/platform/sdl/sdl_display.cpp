// The window and the presented frame on SDL. Placeholder: no display yet.
#include "media/platform/platform.h"

#include <SDL.h>

namespace platform {

bool OpenDisplay(int, int, int, const std::string&) { return false; }
void CloseDisplay() {}
int DisplayRefreshRate() { return 0; }
void PresentPixels(const uint16_t*, int, int, int) {}
void PumpWindowEvents() { SDL_PumpEvents(); }
bool WindowHasFocus() { return false; }
uint64_t FreeVideoBytes() { return 0; }

}  // namespace platform
