// Reading the generated picture files in tests, independently of the game's
// decoders: 24-bit BMP and JPEG (through libjpeg) into 8-bit RGB.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct Rgb {
    int r, g, b;
    bool operator!=(const Rgb& o) const { return r != o.r || g != o.g || b != o.b; }
};

struct RgbPicture {
    int width = 0, height = 0;
    std::vector<uint8_t> bytes;  // r g b per pixel, top row first
    Rgb At(int x, int y) const {
        const uint8_t* p = &bytes[(size_t(y) * width + x) * 3];
        return {p[0], p[1], p[2]};
    }
};

// a 24-bit uncompressed BMP; false if the file is missing or not one
bool ReadBmp24(const char* path, RgbPicture& picture);
// a JPEG file; false if missing or undecodable
bool ReadJpeg(const char* path, RgbPicture& picture);
// whether the game's 16-bit conversion makes this colour 0, the transparent value
inline bool IsKeyedOut(Rgb p) { return p.r < 8 && p.g < 4 && p.b < 8; }
