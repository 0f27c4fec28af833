// The registry of image decoders for every picture format but BMP.
//
// A decoder accepts the file's bytes (keeping them open: the bytes must stay
// alive until it is closed), tells the picture's size, then either decodes it
// into 24-bit rows (blue, green, red; top row first; `pitch` bytes apart),
// which closes it, or is abandoned, which closes it without decoding.
// Decoders are asked in registration order; the first that accepts is used.
#pragma once

#include <cstddef>
#include <cstdint>

struct ImageDecoder {
    // non-zero if it recognises the data; the picture stays open
    bool (*accept)(const uint8_t* data, size_t length);
    int (*width)();
    int (*height)();
    // writes the rows and closes the picture; rows it could not reach are left
    // as they were; false if it stopped early
    bool (*decode)(uint8_t* destination, size_t pitch);
    // closes an accepted picture without decoding it
    void (*abandon)();
};

constexpr int kMaxImageDecoders = 100;

// empties the registry
void ClearImageDecoders();
// appends a decoder; false when the registry is full
bool RegisterImageDecoder(const ImageDecoder& decoder);
// the decoder registered at that place, nullptr past the end
const ImageDecoder* ImageDecoderAt(int index);

// the JPEG decoder, on libjpeg
const ImageDecoder& JpegImageDecoder();
