// Writing the generator's canvases as the picture files the game reads:
// 24-bit BMP sprites with black as the transparent colour, JPEG backgrounds
// through libjpeg, PNG for the review sheets and the menu icon, and the
// Windows program icon. Each returns false when the file cannot be written.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/assetgen/canvas.h"

// 8-bit RGB bytes of a canvas over black, top row first; with `keyed`, pixels
// under half coverage become black and opaque ones are kept off the colours
// the game treats as transparent
std::vector<uint8_t> CanvasBytes(const Canvas& canvas, bool keyed);
// a 24-bit bottom-up BMP, rows padded to 4 bytes
bool WriteBmp(const std::string& path, const Canvas& canvas, bool keyed = true);
// a baseline JPEG of the canvas over black, colour at full resolution; with
// `keyed`, edges are hard as in a keyed BMP so that no dark fringe is left
bool WriteJpeg(const std::string& path, const Canvas& canvas, int quality = 90, bool keyed = false);
// a PNG (8-bit RGB, or RGBA with the canvas's coverage as alpha), deflated
bool WritePng(const std::string& path, const Canvas& canvas, bool withAlpha = false);
// the bytes of that PNG; empty when it cannot be compressed
std::vector<uint8_t> PngBytes(const Canvas& canvas, bool withAlpha);
// a Windows icon holding each canvas (at most 256 pixels square) as an RGBA PNG
bool WriteIco(const std::string& path, const std::vector<Canvas>& sizes);
// whether a 5:6:5 conversion of this colour would be 0, the transparent value
bool IsTransparentColour(uint8_t r, uint8_t g, uint8_t b);
