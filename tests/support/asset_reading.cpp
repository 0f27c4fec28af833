// Test-side BMP and JPEG readers.
#include "tests/support/asset_reading.h"

#include <cstdio>
#include <csetjmp>
#include <jpeglib.h>

namespace {

bool ReadAll(const char* path, std::vector<uint8_t>& data) {
    std::FILE* file = std::fopen(path, "rb");
    if (!file) return false;
    uint8_t chunk[65536];
    size_t got;
    data.clear();
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) data.insert(data.end(), chunk, chunk + got);
    std::fclose(file);
    return true;
}

uint32_t Le(const std::vector<uint8_t>& d, size_t at, int bytes) {
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | d[at + i];
    return v;
}

struct JpegErrors {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

void OnJpegError(j_common_ptr info) { std::longjmp(reinterpret_cast<JpegErrors*>(info->err)->jump, 1); }

}  // namespace

bool ReadBmp24(const char* path, RgbPicture& picture) {
    std::vector<uint8_t> d;
    if (!ReadAll(path, d) || d.size() < 54 || d[0] != 'B' || d[1] != 'M') return false;
    if (Le(d, 28, 2) != 24 || Le(d, 30, 4) != 0) return false;
    int width = int(Le(d, 18, 4)), height = int(Le(d, 22, 4));
    size_t offset = Le(d, 10, 4), pitch = (size_t(width) * 3 + 3) & ~size_t(3);
    if (width <= 0 || height <= 0 || offset + pitch * height > d.size()) return false;
    picture.width = width;
    picture.height = height;
    picture.bytes.resize(size_t(width) * height * 3);
    for (int y = 0; y < height; ++y) {
        const uint8_t* row = &d[offset + pitch * (height - 1 - y)];
        for (int x = 0; x < width; ++x) {
            uint8_t* p = &picture.bytes[(size_t(y) * width + x) * 3];
            p[0] = row[x * 3 + 2];
            p[1] = row[x * 3 + 1];
            p[2] = row[x * 3];
        }
    }
    return true;
}

bool ReadJpeg(const char* path, RgbPicture& picture) {
    std::vector<uint8_t> d;
    if (!ReadAll(path, d)) return false;
    jpeg_decompress_struct info;
    JpegErrors errors;
    info.err = jpeg_std_error(&errors.manager);
    errors.manager.error_exit = OnJpegError;
    if (setjmp(errors.jump)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, d.data(), (unsigned long)d.size());
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    info.dct_method = JDCT_ISLOW;
    jpeg_start_decompress(&info);
    picture.width = int(info.output_width);
    picture.height = int(info.output_height);
    picture.bytes.resize(size_t(picture.width) * picture.height * 3);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = &picture.bytes[size_t(info.output_scanline) * picture.width * 3];
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}
