// BMP, JPEG and PNG writers.
#include "tools/assetgen/picture_files.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <jpeglib.h>
#include <zlib.h>

namespace {

uint8_t ToByte(float v) { return uint8_t(std::clamp(std::lround(v), 0L, 255L)); }

void PutLe(std::vector<uint8_t>& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(uint8_t(value >> (8 * i)));
}

void PutBe(std::vector<uint8_t>& out, uint32_t value) {
    for (int i = 3; i >= 0; --i) out.push_back(uint8_t(value >> (8 * i)));
}

bool SaveBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return (std::fclose(file) == 0) && ok;
}

uint32_t Crc32(const uint8_t* data, size_t length, uint32_t crc = 0) {
    crc = ~crc;
    for (size_t i = 0; i < length; ++i) {
        crc ^= data[i];
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    return ~crc;
}

void PutPngChunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data) {
    PutBe(out, uint32_t(data.size()));
    size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    PutBe(out, Crc32(out.data() + start, out.size() - start));
}

// zlib stream of stored (uncompressed) deflate blocks
// zlib's deflate at its best: the icons and review sheets are mostly flat
// colour, and the web site carries its icons within a size budget
std::vector<uint8_t> DeflatedZlib(const std::vector<uint8_t>& raw) {
    uLongf size = compressBound(raw.size());
    std::vector<uint8_t> out(size);
    if (compress2(out.data(), &size, raw.data(), raw.size(), Z_BEST_COMPRESSION) != Z_OK) return {};
    out.resize(size);
    return out;
}

}  // namespace

bool IsTransparentColour(uint8_t r, uint8_t g, uint8_t b) { return r < 8 && g < 4 && b < 8; }

std::vector<uint8_t> CanvasBytes(const Canvas& canvas, bool keyed) {
    std::vector<uint8_t> out;
    out.reserve(size_t(canvas.width) * canvas.height * 3);
    for (int y = 0; y < canvas.height; ++y) {
        for (int x = 0; x < canvas.width; ++x) {
            size_t i = size_t(y) * canvas.width + x;
            Colour c = {canvas.rgb[i * 3], canvas.rgb[i * 3 + 1], canvas.rgb[i * 3 + 2]};
            if (keyed) {
                float a = canvas.alpha[i];
                c = a >= 0.5f ? Scale(c, 1 / a) : Colour{};
            }
            uint8_t r = ToByte(c.r), g = ToByte(c.g), b = ToByte(c.b);
            if (keyed && canvas.alpha[i] >= 0.5f && IsTransparentColour(r, g, b)) g = 4;
            out.insert(out.end(), {r, g, b});
        }
    }
    return out;
}

bool WriteBmp(const std::string& path, const Canvas& canvas, bool keyed) {
    std::vector<uint8_t> rgb = CanvasBytes(canvas, keyed);
    uint32_t pitch = (uint32_t(canvas.width) * 3 + 3) & ~3u;
    uint32_t dataSize = pitch * canvas.height;
    std::vector<uint8_t> out = {'B', 'M'};
    PutLe(out, 54 + dataSize, 4);
    PutLe(out, 0, 4);
    PutLe(out, 54, 4);
    PutLe(out, 40, 4);
    PutLe(out, canvas.width, 4);
    PutLe(out, canvas.height, 4);
    PutLe(out, 1, 2);
    PutLe(out, 24, 2);
    PutLe(out, 0, 4);
    PutLe(out, dataSize, 4);
    PutLe(out, 2835, 4);
    PutLe(out, 2835, 4);
    PutLe(out, 0, 4);
    PutLe(out, 0, 4);
    for (int y = canvas.height - 1; y >= 0; --y) {
        const uint8_t* row = rgb.data() + size_t(y) * canvas.width * 3;
        for (int x = 0; x < canvas.width; ++x) out.insert(out.end(), {row[x * 3 + 2], row[x * 3 + 1], row[x * 3]});
        for (uint32_t pad = canvas.width * 3; pad < pitch; ++pad) out.push_back(0);
    }
    return SaveBytes(path, out);
}

bool WriteJpeg(const std::string& path, const Canvas& canvas, int quality, bool keyed) {
    std::vector<uint8_t> rgb = CanvasBytes(canvas, keyed);
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, file);
    info.image_width = canvas.width;
    info.image_height = canvas.height;
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    for (int c = 0; c < info.num_components; ++c) info.comp_info[c].h_samp_factor = info.comp_info[c].v_samp_factor = 1;
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = rgb.data() + size_t(info.next_scanline) * canvas.width * 3;
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return std::fclose(file) == 0;
}

std::vector<uint8_t> PngBytes(const Canvas& canvas, bool withAlpha) {
    std::vector<uint8_t> rgb = CanvasBytes(canvas, false);
    const int channels = withAlpha ? 4 : 3;
    std::vector<uint8_t> raw;
    raw.reserve(size_t(canvas.width) * canvas.height * channels + canvas.height);
    for (int y = 0; y < canvas.height; ++y) {
        raw.push_back(0);
        for (int x = 0; x < canvas.width; ++x) {
            size_t i = size_t(y) * canvas.width + x;
            if (!withAlpha) {
                raw.insert(raw.end(), rgb.begin() + i * 3, rgb.begin() + i * 3 + 3);
                continue;
            }
            // straight (not premultiplied) colour beside its coverage
            float a = canvas.alpha[i];
            Colour c = PixelColour(canvas, x, y);
            raw.insert(raw.end(), {ToByte(c.r), ToByte(c.g), ToByte(c.b), ToByte(a * 255)});
        }
    }
    std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> header;
    PutBe(header, canvas.width);
    PutBe(header, canvas.height);
    header.insert(header.end(), {8, uint8_t(withAlpha ? 6 : 2), 0, 0, 0});
    PutPngChunk(out, "IHDR", header);
    std::vector<uint8_t> deflated = DeflatedZlib(raw);
    if (deflated.empty()) return {};
    PutPngChunk(out, "IDAT", deflated);
    PutPngChunk(out, "IEND", {});
    return out;
}

bool WritePng(const std::string& path, const Canvas& canvas, bool withAlpha) {
    std::vector<uint8_t> bytes = PngBytes(canvas, withAlpha);
    return !bytes.empty() && SaveBytes(path, bytes);
}

// An icon directory (6 bytes), one 16-byte entry per picture, then the
// pictures, each a whole PNG (Windows reads PNG icons of any size).
bool WriteIco(const std::string& path, const std::vector<Canvas>& sizes) {
    std::vector<uint8_t> out;
    PutLe(out, 0, 2);
    PutLe(out, 1, 2);  // an icon, not a cursor
    PutLe(out, uint32_t(sizes.size()), 2);
    std::vector<std::vector<uint8_t>> pictures;
    uint32_t offset = uint32_t(6 + 16 * sizes.size());
    for (const Canvas& canvas : sizes) {
        pictures.push_back(PngBytes(canvas, true));
        if (pictures.back().empty()) return false;
        out.push_back(uint8_t(canvas.width >= 256 ? 0 : canvas.width));  // 0 stands for 256
        out.push_back(uint8_t(canvas.height >= 256 ? 0 : canvas.height));
        PutLe(out, 0, 2);   // no palette, reserved
        PutLe(out, 1, 2);   // colour planes
        PutLe(out, 32, 2);  // bits per pixel
        PutLe(out, uint32_t(pictures.back().size()), 4);
        PutLe(out, offset, 4);
        offset += uint32_t(pictures.back().size());
    }
    for (const std::vector<uint8_t>& picture : pictures) out.insert(out.end(), picture.begin(), picture.end());
    return SaveBytes(path, out);
}
