// Screen capture: sprites and pixel blocks written as 24-bit BMP files.
#include "pictures/capture.h"

#include "pictures/bmp_writer.h"
#include "platform/platform.h"
#include "pictures/sprite_table.h"

namespace {

// The last capture's bytes, kept so that holding F12 (a capture every frame)
// allocates nothing.
std::vector<uint8_t> captureBytes;

}  // namespace

int SaveSpriteBitmap(int id, const std::string& path) {
    const Sprite* sprite = FindSprite(id);
    if (path.empty() || sprite == nullptr) return 0;
    // The frame's size, taken from the image's top-left corner.
    return SavePixelsBitmap(sprite->image.data(), sprite->frameWidth, sprite->frameHeight, sprite->imageWidth, path);
}

// A capture is renamed into place whole but not synced: F12 held captures
// every frame, and a sync per frame would halve the frame rate.
int SavePixelsBitmap(const uint16_t* pixels, int width, int height, int pitch, const std::string& path,
                     std::string* problem) {
    if (path.empty() || pixels == nullptr || !EncodeBmp24(pixels, width, height, pitch, captureBytes)) return 0;
    return platform::WriteCaptureFile(path, captureBytes.data(), captureBytes.size(), problem) ? 1 : 0;
}
