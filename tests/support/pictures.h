// Test pictures: BMP files of every depth from the tests' own encoder, JPEG
// files through libjpeg, ImageMagick's convert when it is installed, scratch
// directories, and sprites made from pixel blocks.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A BMP to encode. `values` holds one entry a pixel, top row first: palette
// indices for 1, 4 and 8 bits, raw 5:5:5 words for 16 bits, 0xRRGGBB colours
// for 24 and 32 bits. `palette` entries are 0xRRGGBB.
struct TestBmp {
    int width = 1, height = 1, bits = 24;
    std::vector<uint32_t> values;
    std::vector<uint32_t> palette;
    uint32_t compression = 0;
};
std::vector<uint8_t> EncodeTestBmp(const TestBmp& bmp);

// A JPEG of 0xRRGGBB colours (top row first), through libjpeg.
struct TestJpeg {
    int width = 1, height = 1;
    std::vector<uint32_t> colours;
    bool grayscale = false;  // stored as one gray component (from red)
    bool progressive = false;
    int quality = 90;
};
std::vector<uint8_t> EncodeTestJpeg(const TestJpeg& jpeg);

// A picture with some of everything: gradients, edges, flat areas.
std::vector<uint32_t> TestPattern(int width, int height);

// A directory under /tmp removed with everything in it when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    std::string File(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);
std::vector<uint8_t> ReadBytes(const std::string& path);

// ImageMagick's convert, or "" when it is not installed.
std::string ConvertProgram();
// runs convert with these arguments; true on exit code 0
bool RunConvert(const std::string& arguments);

// Puts a block of 5:6:5 pixels (top row first) under sprite id, through a
// 24-bit BMP file and LoadSpriteFile; true on success.
bool LoadPixelsAsSprite(int id, int width, int height, const std::vector<uint16_t>& pixels);
