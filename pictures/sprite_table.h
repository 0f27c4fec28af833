// The numbered sprite table behind the display service: a growable array of
// sprite records indexed by the sprite number. It starts with 50 empty
// entries; creating a sprite at or beyond the end grows it to number + 10.
// An entry whose image is empty holds no sprite.
//
// Freeing a sprite keeps its pixel storage for the next picture put under the
// same number, so the per-frame copies of the game never allocate; the
// screen's shut-down releases everything.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct Sprite {
    std::vector<uint16_t> image;  // 5:6:5 pixels, top row first; empty = no sprite
    int imageWidth = 0, imageHeight = 0;
    int frameX = 0, frameY = 0, frameWidth = 0, frameHeight = 0;
    int depth = 0;         // bits per pixel of the source picture
    int mode = 0;          // storage mode it was made with
    std::string fileName;  // the file it came from; empty if none
};

constexpr int kInitialSpriteCount = 50;
// Sprite numbers the table accepts; the game's own go up to 1105.
constexpr int kMaxSpriteId = 65535;

// empties the table and releases every image; kInitialSpriteCount entries
void ResetSpriteTable();
// the sprite under id, nullptr if there is none
Sprite* FindSprite(int id);
// frees sprite id (image and file name) and returns its entry, growing the
// table when needed; nullptr for a number outside 0 .. kMaxSpriteId
Sprite* EmptySpriteSlot(int id);
// whether a sprite can have this size (sides 1 .. 32767, bounded pixel count)
bool ValidSpriteSize(int width, int height);
// makes the entry a width x height sprite of black pixels whose frame is the
// whole image; false (entry left empty) for a size no sprite can have
bool ShapeSprite(Sprite& sprite, int width, int height);
// the frame becomes the whole image
void SelectWholeImage(Sprite& sprite);
// entries in the table now
int SpriteTableSize();
