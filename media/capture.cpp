// Screen capture: sprites and pixel blocks written as 24-bit BMP files.
#include "media/capture.h"

#include "media/bmp_writer.h"
#include "media/platform/platform.h"
#include "media/sprite_table.h"

int SaveSpriteBitmap(int id, const std::string& path) {
    const Sprite* sprite = FindSprite(id);
    if (path.empty() || sprite == nullptr) return 0;
    // The frame's size, taken from the image's top-left corner.
    return SavePixelsBitmap(sprite->image.data(), sprite->frameWidth, sprite->frameHeight, sprite->imageWidth, path);
}

int SavePixelsBitmap(const uint16_t* pixels, int width, int height, int pitch, const std::string& path) {
    std::vector<uint8_t> file;
    if (path.empty() || pixels == nullptr || !EncodeBmp24(pixels, width, height, pitch, file)) return 0;
    return platform::WriteGameFile(path, file.data(), file.size()) ? 1 : 0;
}
