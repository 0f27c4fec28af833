// gulpkin-picture IN OUT.bmp
//
// Loads a picture exactly as the game does (LoadSpriteFile: BMP, or JPEG
// through the decoder registry) and writes it with the game's capture writer
// (SaveSpriteBitmap). Shows what the game will make of a picture file.
// Exit code 0 on success, 1 when the picture does not load or cannot be
// written, 2 for a wrong command line.
#include "pictures/capture.h"
#include "pictures/picture_decoding.h"
#include "pictures/screen.h"

#include <iostream>

namespace {

constexpr int kPictureSprite = 0;

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: gulpkin-picture IN OUT.bmp\n";
        return 2;
    }
    // Sprites need the sprite table and the decoders, not an open screen.
    InitImageDecoders();
    UseJpegDecoder();
    InitScreen();
    if (LoadSpriteFile(kPictureSprite, argv[1], 0) == 0) {
        std::cerr << "gulpkin-picture: " << argv[1] << " is not a picture the game can load\n";
        return 1;
    }
    int written = SaveSpriteBitmap(kPictureSprite, argv[2]);
    EndScreen();
    if (written == 0) {
        std::cerr << "gulpkin-picture: cannot write " << argv[2] << "\n";
        return 1;
    }
    return 0;
}
