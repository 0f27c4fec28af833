// Test pictures.
#include "tests/support/pictures.h"

#include "pictures/bmp_writer.h"
#include "pictures/screen.h"
#include "tests/support/scratch_folder.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include <jpeglib.h>

namespace {

void Put16(std::vector<uint8_t>& out, size_t at, uint32_t value) {
    out[at] = static_cast<uint8_t>(value);
    out[at + 1] = static_cast<uint8_t>(value >> 8);
}

void Put32(std::vector<uint8_t>& out, size_t at, uint32_t value) {
    Put16(out, at, value & 0xFFFF);
    Put16(out, at + 2, value >> 16);
}

void PutPixel(std::vector<uint8_t>& row, int x, int bits, uint32_t value) {
    switch (bits) {
        case 1: row[x / 8] |= static_cast<uint8_t>((value & 1) << (7 - x % 8)); break;
        case 4: row[x / 2] |= static_cast<uint8_t>((value & 15) << ((x % 2) ? 0 : 4)); break;
        case 8: row[x] = static_cast<uint8_t>(value); break;
        case 16: Put16(row, 2 * x, value); break;
        default:
            for (int i = 0; i < bits / 8; ++i) row[x * bits / 8 + i] = static_cast<uint8_t>(value >> (8 * i));
            break;
    }
}

}  // namespace

std::vector<uint8_t> EncodeTestBmp(const TestBmp& bmp) {
    size_t rowBytes = (static_cast<size_t>(bmp.width) * bmp.bits + 31) / 32 * 4;
    size_t tableBytes = 4 * bmp.palette.size();
    size_t pixelOffset = 54 + tableBytes;
    std::vector<uint8_t> file(pixelOffset + rowBytes * bmp.height, 0);
    file[0] = 'B';
    file[1] = 'M';
    Put32(file, 2, static_cast<uint32_t>(file.size()));
    Put32(file, 10, static_cast<uint32_t>(pixelOffset));
    Put32(file, 14, 40);
    Put32(file, 18, static_cast<uint32_t>(bmp.width));
    Put32(file, 22, static_cast<uint32_t>(bmp.height));
    Put16(file, 26, 1);
    Put16(file, 28, static_cast<uint32_t>(bmp.bits));
    Put32(file, 30, bmp.compression);
    Put32(file, 46, static_cast<uint32_t>(bmp.palette.size()));
    for (size_t i = 0; i < bmp.palette.size(); ++i) Put32(file, 54 + 4 * i, bmp.palette[i] & 0xFFFFFF);
    for (int y = 0; y < bmp.height; ++y) {
        std::vector<uint8_t> row(rowBytes, 0);
        for (int x = 0; x < bmp.width; ++x) PutPixel(row, x, bmp.bits, bmp.values[static_cast<size_t>(y) * bmp.width + x]);
        std::copy(row.begin(), row.end(), file.begin() + pixelOffset + (bmp.height - 1 - y) * rowBytes);
    }
    return file;
}

std::vector<uint8_t> EncodeTestJpeg(const TestJpeg& jpeg) {
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(jpeg.width);
    info.image_height = static_cast<JDIMENSION>(jpeg.height);
    info.input_components = jpeg.grayscale ? 1 : 3;
    info.in_color_space = jpeg.grayscale ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, jpeg.quality, TRUE);
    if (jpeg.progressive) jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    std::vector<JSAMPLE> row(static_cast<size_t>(jpeg.width) * 3);
    while (info.next_scanline < info.image_height) {
        for (int x = 0; x < jpeg.width; ++x) {
            uint32_t c = jpeg.colours[static_cast<size_t>(info.next_scanline) * jpeg.width + x];
            if (jpeg.grayscale) {
                row[x] = static_cast<JSAMPLE>(c >> 16);
            } else {
                row[3 * x] = static_cast<JSAMPLE>(c >> 16);
                row[3 * x + 1] = static_cast<JSAMPLE>(c >> 8);
                row[3 * x + 2] = static_cast<JSAMPLE>(c);
            }
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    std::vector<uint8_t> out(buffer, buffer + size);
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return out;
}

std::vector<uint32_t> TestPattern(int width, int height) {
    std::vector<uint32_t> colours(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            uint32_t r = (x * 255) / std::max(width - 1, 1), g = (y * 255) / std::max(height - 1, 1);
            uint32_t b = ((x / 8 + y / 8) % 2) ? 200 : 30;
            colours[static_cast<size_t>(y) * width + x] = (r << 16) | (g << 8) | b;
        }
    }
    return colours;
}

TempDir::TempDir() : path_(MakeScratchFolder("gulpkin-pictures")) {}

TempDir::~TempDir() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
}

bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file);
}

std::vector<uint8_t> ReadBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

bool RunConvert(const std::string& arguments) {
    std::string program = ConvertProgram();
    if (program.empty()) return false;
    return std::system((program + " " + arguments + " 2>/dev/null").c_str()) == 0;
}

bool LoadPixelsAsSprite(int id, int width, int height, const std::vector<uint16_t>& pixels) {
    TempDir dir;
    std::vector<uint8_t> file;
    if (!EncodeBmp24(pixels.data(), width, height, width, file) || !WriteBytes(dir.File("sprite.bmp"), file)) {
        return false;
    }
    return LoadSpriteFile(id, dir.File("sprite.bmp"), 0) != 0;
}
