// The whole asset pack: every picture, glyph, sound effect and music module
// of the game's catalogues under its exact file name, plus a review sheet.
#pragma once

#include <string>
#include <vector>

#include "tools/assetgen/canvas.h"
#include "tools/assetgen/stroke_font.h"

enum class PictureFormat { KeyedBmp, Jpeg, KeyedJpeg };

struct PackPicture {
    std::string path;  // relative to the game directory, e.g. "graph/ball2.bmp"
    PictureFormat format;
    Canvas canvas;
};

// the glyph style of the font files: bold arcade capitals about 24 pixels high
TextStyle GlyphStyle();
// every picture of the sprite catalogue and every glyph, drawn
std::vector<PackPicture> PackPictures();
// writes the pack into `gameDirectory` (graph/, font/, wav/, music/,
// asset-overview.png, sound-overview.png, the 256-pixel menu icon
// gulpkin.png and the Windows program icon gulpkin.ico); false and a
// message on stderr if a file fails
bool WriteAssetPack(const std::string& gameDirectory);
// the review sheet: every picture on one page, labelled with its file name,
// and a frame of play composed from them
Canvas OverviewSheet(const std::vector<PackPicture>& pictures);
// the program's menu icon, size x size pixels with a transparent surround
Canvas IconPicture(int size);
// a 1024 x 768 frame of play on layout 1 drawn from the pack's pictures
Canvas ScenePreview(const std::vector<PackPicture>& pictures);
