// Picture decoding: the bytes of a BMP or JPEG file become 16-bit pixels in
// the screen's layout. BMP is decoded here; every other format goes through a
// registry of decoders, in which start-up registers the JPEG decoder.
// Damaged or hostile files make the decode fail; it never reads past the data,
// and a picture it returns has every pixel set (what a broken JPEG did not
// reach is black).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct DecodedPicture {
    int width = 0;
    int height = 0;
    int depth = 0;                 // bits per pixel of the source (16, 24 or 32)
    std::vector<uint16_t> pixels;  // width x height, top row first
};

// Sprite sizes are 16-bit signed fields: no side may exceed this.
constexpr int kMaxPictureSide = 32767;
// No picture may hold more pixels than this (the game's largest is 1024 x 768).
constexpr int64_t kMaxPicturePixels = 16LL * 1024 * 1024;

// start-up: empties the decoder registry
void InitImageDecoders();
// start-up: appends the JPEG decoder once; non-zero
int UseJpegDecoder();
// decodes a picture file's bytes; false if the data is no supported picture
bool DecodePicture(const uint8_t* data, size_t length, DecodedPicture& out);
// whether the display packs 16-bit pixels as 5:5:5 (else 5:6:5)
void SetPixelLayout555(bool layout555);
// true when decoded pictures are packed 5:5:5
bool PixelLayout555();
