// Picture decoding: BMP here, everything else through the decoder registry,
// whose 24-bit rows are converted to the display's layout.
#include "pictures/picture_decoding.h"

#include "pictures/bmp_decoder.h"
#include "pictures/image_decoders.h"
#include "pictures/pixel_format.h"

namespace {

bool layoutIs555 = false;

// A decoder may claim any size in a header of a few bytes: refuse what no
// sprite could hold, and pictures far larger than any file of this length
// could describe.
bool SizeAllowed(int width, int height, size_t length) {
    if (width < 1 || height < 1 || width > kMaxPictureSide || height > kMaxPictureSide) return false;
    int64_t pixels = int64_t{width} * height;
    return pixels <= kMaxPicturePixels && static_cast<uint64_t>(pixels) / 65536 <= length;
}

// 24-bit rows are 3 bytes a pixel plus padding to a multiple of 4.
size_t RowPitch(int width) {
    return 3 * static_cast<size_t>(width) + static_cast<size_t>(width) % 4;
}

void ConvertBgrRows(const std::vector<uint8_t>& rows, size_t pitch, DecodedPicture& out) {
    out.pixels.resize(static_cast<size_t>(out.width) * out.height);
    for (int y = 0; y < out.height; ++y) {
        const uint8_t* in = rows.data() + static_cast<size_t>(y) * pitch;
        uint16_t* row = out.pixels.data() + static_cast<size_t>(y) * out.width;
        for (int x = 0; x < out.width; ++x, in += 3) row[x] = PackPixel(in[2], in[1], in[0], layoutIs555);
    }
}

// Rows of up to a full screen's 24-bit pixels are decoded into one buffer
// kept between pictures: the start-up decodes a dozen backgrounds of the
// same size, and fresh memory for each costs more than the decoding itself
// where the system maps every page anew (under the sanitizers, under Wine).
constexpr size_t kKeptRowBytes = 3 * 1280 * 1024;

// The open picture is decoded into a zeroed buffer (one spare row), so rows a
// broken file never reaches stay black.
bool DecodeWith(const ImageDecoder& decoder, size_t length, DecodedPicture& out) {
    int width = decoder.width();
    int height = decoder.height();
    if (!SizeAllowed(width, height, length)) {
        decoder.abandon();
        return false;
    }
    size_t pitch = RowPitch(width);
    static std::vector<uint8_t> rows;
    rows.assign(pitch * (static_cast<size_t>(height) + 1), 0);
    decoder.decode(rows.data(), pitch);
    out.width = width;
    out.height = height;
    out.depth = 24;
    ConvertBgrRows(rows, pitch, out);
    if (rows.capacity() > kKeptRowBytes) std::vector<uint8_t>().swap(rows);
    return true;
}

}  // namespace

void InitImageDecoders() {
    ClearImageDecoders();
}

int UseJpegDecoder() {
    for (int i = 0; const ImageDecoder* decoder = ImageDecoderAt(i); ++i) {
        if (decoder->accept == JpegImageDecoder().accept) return 1;
    }
    RegisterImageDecoder(JpegImageDecoder());
    return 1;
}

bool DecodePicture(const uint8_t* data, size_t length, DecodedPicture& out) {
    out = DecodedPicture{};
    if (data == nullptr) return false;
    if (LooksLikeBmp(data, length)) return DecodeBmp(data, length, layoutIs555, out);
    for (int i = 0; const ImageDecoder* decoder = ImageDecoderAt(i); ++i) {
        if (decoder->accept(data, length)) return DecodeWith(*decoder, length, out);
    }
    return false;
}

void SetPixelLayout555(bool layout555) {
    layoutIs555 = layout555;
}

bool PixelLayout555() {
    return layoutIs555;
}
