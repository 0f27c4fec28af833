// Screen capture. Placeholder.
#include "media/capture.h"

int SaveSpriteBitmap(int, const std::string&) { return 0; }

int SavePixelsBitmap(const uint16_t*, int, int, int, const std::string&) { return 0; }
