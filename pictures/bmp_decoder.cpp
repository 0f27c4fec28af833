// The BMP reader. Every offset and length read from the file is checked
// against the file's size before a byte is read.
#include "pictures/bmp_decoder.h"

#include "pictures/byte_reader.h"
#include "pictures/pixel_format.h"

#include <array>

namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr uint32_t kMinInfoHeaderSize = 40;

struct BmpHeader {
    uint32_t pixelOffset = 0;
    uint32_t infoSize = 0;
    int32_t width = 0;
    int32_t height = 0;
    uint32_t bits = 0;
    uint32_t compression = 0;
    size_t rowBytes = 0;  // one stored row, padded to a multiple of 4
};

using Palette = std::array<uint16_t, 256>;

bool SupportedDepth(uint32_t bits) {
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

bool ReadHeader(ByteSpan file, BmpHeader& h) {
    if (!file.Has(0, 34)) return false;  // up to and including the compression field
    h.pixelOffset = file.U32(10);
    h.infoSize = file.U32(14);
    h.width = file.S32(18);
    h.height = file.S32(22);
    h.bits = file.U16(28);
    h.compression = file.U32(30);
    return true;
}

// The file must hold its whole info header and every pixel row it claims.
bool HeaderFitsFile(ByteSpan file, BmpHeader& h) {
    if (h.infoSize < kMinInfoHeaderSize || !file.Has(kFileHeaderSize, h.infoSize)) return false;
    if (h.width < 1 || h.height < 1 || h.width > kMaxPictureSide || h.height > kMaxPictureSide) return false;
    if (int64_t{h.width} * h.height > kMaxPicturePixels || !SupportedDepth(h.bits)) return false;
    h.rowBytes = (static_cast<size_t>(h.width) * h.bits + 31) / 32 * 4;
    return file.Has(h.pixelOffset, h.rowBytes * static_cast<size_t>(h.height));
}

// The colour table follows the info header; entries the file does not hold
// stay black.
Palette ReadPalette(ByteSpan file, const BmpHeader& h, bool layout555) {
    Palette palette{};
    size_t start = kFileHeaderSize + h.infoSize;
    size_t entries = h.bits == 8 ? 256 : 16;
    for (size_t i = 0; i < entries && file.Has(start + 4 * i, 3); ++i) {
        const uint8_t* entry = file.data + start + 4 * i;
        palette[i] = PackPixel(entry[2], entry[1], entry[0], layout555);
    }
    return palette;
}

// 1 bit per pixel ignores the file's colour table: 0 is black, 1 is white.
void ConvertRow1(const uint8_t* in, uint16_t* out, int width, bool layout555) {
    const uint16_t white = PackPixel(255, 255, 255, layout555);
    for (int x = 0; x < width; ++x) out[x] = ((in[x >> 3] >> (7 - (x & 7))) & 1) ? white : 0;
}

void ConvertRow4(const uint8_t* in, uint16_t* out, int width, const Palette& palette) {
    for (int x = 0; x < width; ++x) out[x] = palette[(x & 1) ? (in[x >> 1] & 15) : (in[x >> 1] >> 4)];
}

void ConvertRow8(const uint8_t* in, uint16_t* out, int width, const Palette& palette) {
    for (int x = 0; x < width; ++x) out[x] = palette[in[x]];
}

void ConvertRow16(const uint8_t* in, uint16_t* out, int width, bool layout555) {
    for (int x = 0; x < width; ++x) {
        uint32_t pixel = in[2 * x] | (uint32_t{in[2 * x + 1]} << 8);
        out[x] = layout555 ? static_cast<uint16_t>(pixel) : Widen555To565(pixel);
    }
}

void ConvertRowBgr(const uint8_t* in, uint16_t* out, int width, int bytesPerPixel, bool layout555) {
    for (int x = 0; x < width; ++x, in += bytesPerPixel) out[x] = PackPixel(in[2], in[1], in[0], layout555);
}

void ConvertRows(ByteSpan file, const BmpHeader& h, bool layout555, DecodedPicture& out) {
    Palette palette{};
    if (h.bits == 4 || h.bits == 8) palette = ReadPalette(file, h, layout555);
    for (int y = 0; y < h.height; ++y) {
        // The first stored row is the bottom row of the picture.
        const uint8_t* in = file.data + h.pixelOffset + static_cast<size_t>(h.height - 1 - y) * h.rowBytes;
        uint16_t* row = out.pixels.data() + static_cast<size_t>(y) * h.width;
        switch (h.bits) {
            case 1: ConvertRow1(in, row, h.width, layout555); break;
            case 4: ConvertRow4(in, row, h.width, palette); break;
            case 8: ConvertRow8(in, row, h.width, palette); break;
            case 16: ConvertRow16(in, row, h.width, layout555); break;
            default: ConvertRowBgr(in, row, h.width, static_cast<int>(h.bits / 8), layout555); break;
        }
    }
}

}  // namespace

bool LooksLikeBmp(const uint8_t* data, size_t length) {
    return length >= 2 && data[0] == 'B' && data[1] == 'M';
}

bool DecodeBmp(const uint8_t* data, size_t length, bool layout555, DecodedPicture& out) {
    ByteSpan file{data, length};
    BmpHeader h;
    if (!ReadHeader(file, h) || h.compression != 0 || !HeaderFitsFile(file, h)) return false;
    out.width = h.width;
    out.height = h.height;
    out.depth = (h.bits == 16 || h.bits == 32) ? static_cast<int>(h.bits) : 24;  // palettes expand to 24
    out.pixels.assign(static_cast<size_t>(h.width) * h.height, 0);
    ConvertRows(file, h, layout555, out);
    return true;
}
