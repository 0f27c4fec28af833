// The BMP reader: uncompressed BMP files with a 40-byte (or longer) info
// header, bottom-up rows, 1, 4, 8, 16, 24 or 32 bits per pixel.
#pragma once

#include "pictures/picture_decoding.h"

#include <cstddef>
#include <cstdint>

// true if the data starts with the BMP signature "BM"
bool LooksLikeBmp(const uint8_t* data, size_t length);
// decodes a BMP into the display's 16-bit layout; false for a compressed,
// unsupported or damaged file
bool DecodeBmp(const uint8_t* data, size_t length, bool layout555, DecodedPicture& out);
