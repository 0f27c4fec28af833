// Screen capture: a sprite written as an uncompressed 24-bit BMP.
#pragma once

#include <cstdint>
#include <string>

// writes sprite id's current frame size from its image's top-left corner as
// a 24-bit BMP; non-zero if the file was written completely
int SaveSpriteBitmap(int id, const std::string& path);

// writes a block of 5:6:5 pixels (`pitch` pixels per row) in the same format;
// non-zero on success, else the reason in `problem` when given. The headless
// driver saves presented frames with it.
int SavePixelsBitmap(const uint16_t* pixels, int width, int height, int pitch, const std::string& path,
                     std::string* problem = nullptr);
