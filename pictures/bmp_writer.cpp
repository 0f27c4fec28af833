// The BMP writer.
#include "pictures/bmp_writer.h"

#include "pictures/pixel_format.h"

#include <cstddef>

namespace {

constexpr uint32_t kHeadersSize = 54;

void Put16(uint8_t* at, uint32_t value) {
    at[0] = static_cast<uint8_t>(value);
    at[1] = static_cast<uint8_t>(value >> 8);
}

void Put32(uint8_t* at, uint32_t value) {
    Put16(at, value & 0xFFFF);
    Put16(at + 2, value >> 16);
}

// File header (14 bytes) then info header (40 bytes); unlisted fields are 0.
void PutHeaders(uint8_t* at, int width, int height, uint32_t fileSize) {
    at[0] = 'B';
    at[1] = 'M';
    Put32(at + 2, fileSize);
    Put32(at + 10, kHeadersSize);
    Put32(at + 14, 40);
    Put32(at + 18, static_cast<uint32_t>(width));
    Put32(at + 22, static_cast<uint32_t>(height));  // positive: rows stored bottom-up
    Put16(at + 26, 1);
    Put16(at + 28, 24);
}

}  // namespace

// 3 x width + (width mod 4) is always a multiple of 4.
int BmpRowLength(int width) {
    return 3 * width + width % 4;
}

bool EncodeBmp24(const uint16_t* pixels, int width, int height, int pitch, std::vector<uint8_t>& file) {
    if (width < 0 || height < 0) return false;
    size_t rowLength = static_cast<size_t>(BmpRowLength(width));
    file.assign(kHeadersSize + rowLength * height, 0);
    PutHeaders(file.data(), width, height, static_cast<uint32_t>(file.size()));
    for (int y = 0; y < height; ++y) {
        const uint16_t* in = pixels + static_cast<ptrdiff_t>(y) * pitch;
        uint8_t* out = file.data() + kHeadersSize + static_cast<size_t>(height - 1 - y) * rowLength;
        for (int x = 0; x < width; ++x, out += 3) {
            Rgb colour = Unpack565(in[x]);
            out[0] = colour.blue;
            out[1] = colour.green;
            out[2] = colour.red;
        }
    }
    return true;
}
