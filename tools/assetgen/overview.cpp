// The review sheet: every picture of the pack laid out on one page, small
// ones enlarged, backgrounds reduced, each labelled with its file name.
// Sprites are shown as the game will see them, transparent where black.
#include <algorithm>
#include <cctype>

#include "tools/assetgen/asset_pack.h"
#include "tools/assetgen/picture_files.h"
#include "tools/assetgen/stroke_font.h"

namespace {

constexpr int kSheetWidth = 1660;
constexpr int kGap = 14;
constexpr int kLabelHeight = 16;

// the picture as the game keys it: opaque where the written file is not black
Canvas AsLoaded(const PackPicture& picture) {
    if (picture.format == PictureFormat::Jpeg) return picture.canvas;  // opaque
    std::vector<uint8_t> bytes = CanvasBytes(picture.canvas, true);
    Canvas out = MakeCanvas(picture.canvas.width, picture.canvas.height);
    for (int i = 0; i < out.width * out.height; ++i) {
        uint8_t r = bytes[i * 3], g = bytes[i * 3 + 1], b = bytes[i * 3 + 2];
        if (!IsTransparentColour(r, g, b)) BlendPixel(out, i % out.width, i / out.width, {float(r), float(g), float(b)}, 1);
    }
    return out;
}

Canvas Fitted(const PackPicture& picture) {
    Canvas loaded = AsLoaded(picture);
    if (loaded.width >= 1000) return Shrink(loaded, 2);
    if (loaded.width >= 500) return loaded;
    if (loaded.width <= 40 && loaded.height <= 40) return Enlarge(loaded, loaded.height <= 16 ? 4 : 3);
    return Enlarge(loaded, 2);
}

void PaintChecker(Canvas& sheet, int x0, int y0, int width, int height) {
    for (int y = y0; y < y0 + height; ++y)
        for (int x = x0; x < x0 + width; ++x)
            BlendPixel(sheet, x, y, ((x - x0) / 8 + (y - y0) / 8) % 2 ? Colour{52, 52, 64} : Colour{40, 40, 50}, 1);
}

std::string LabelOf(const std::string& path) {
    std::string label = path;
    for (char& c : label) c = char(std::toupper((unsigned char)c));
    return label;
}

struct Placement {
    int x, y;
};

// flow layout: left to right, wrapping rows
std::vector<Placement> Arrange(const std::vector<Canvas>& tiles, const std::vector<int>& labelWidths, int& height) {
    std::vector<Placement> places;
    int x = kGap, y = kGap + 40, rowHeight = 0;
    for (size_t i = 0; i < tiles.size(); ++i) {
        const Canvas& tile = tiles[i];
        int width = std::max(tile.width, labelWidths[i]);
        if (x + width > kSheetWidth - kGap) {
            x = kGap;
            y += rowHeight + kLabelHeight + kGap;
            rowHeight = 0;
        }
        places.push_back({x, y});
        x += width + kGap;
        rowHeight = std::max(rowHeight, tile.height);
    }
    height = y + rowHeight + kLabelHeight + kGap;
    return places;
}

}  // namespace

Canvas OverviewSheet(const std::vector<PackPicture>& pictures) {
    TextStyle label;
    label.capHeight = 7;
    label.strokeRadius = 0.9f;
    label.outline = 0;
    label.top = label.middle = label.bottom = {220, 220, 230};
    std::vector<Canvas> tiles;
    std::vector<int> labelWidths;
    for (const PackPicture& picture : pictures) {
        tiles.push_back(Fitted(picture));
        labelWidths.push_back(TextPixelWidth(LabelOf(picture.path), label));
    }
    tiles.push_back(ScenePreview(pictures));
    labelWidths.push_back(0);
    int height = 0;
    std::vector<Placement> places = Arrange(tiles, labelWidths, height);
    Canvas sheet = MakeCanvas(kSheetWidth, height, {24, 24, 30}, 1);
    TextStyle title = label;
    title.capHeight = 16;
    title.strokeRadius = 2;
    DrawText(sheet, "GULPKIN ASSET PACK", kGap, 10, title);
    for (size_t i = 0; i < tiles.size(); ++i) {
        PaintChecker(sheet, places[i].x, places[i].y, tiles[i].width, tiles[i].height);
        Composite(sheet, tiles[i], places[i].x, places[i].y);
        std::string name = i < pictures.size() ? LabelOf(pictures[i].path) : "A FRAME OF PLAY ON LAYOUT 1 (COMPOSED FROM THE PACK)";
        DrawText(sheet, name, places[i].x, places[i].y + tiles[i].height + 3, label);
    }
    return sheet;
}
