// The BMP writer: 5:6:5 pixels as an uncompressed 24-bit BMP (54 bytes of
// headers, no colour table, rows bottom-up and padded to 4 bytes). Used by
// the screen capture and by the tools that write pictures.
#pragma once

#include <cstdint>
#include <vector>

// bytes of one stored row: 3 x width plus padding to a multiple of 4
int BmpRowLength(int width);
// the whole file for a width x height block (`pitch` pixels a row); false for
// a negative size
bool EncodeBmp24(const uint16_t* pixels, int width, int height, int pitch, std::vector<uint8_t>& file);
