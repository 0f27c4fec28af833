// A frame of play composed from the pack the way the game draws it: the
// background of layout 1, the dots, the energizers, a bonus item, the
// player, the ghosts with teeth, and the status texts in the glyphs. It is
// only for reviewing the art together.
#include <string>

#include "board/maze.h"
#include "presentation/glyph_layout.h"
#include "tools/assetgen/asset_pack.h"
#include "tools/assetgen/picture_files.h"

namespace {

const Canvas* Find(const std::vector<PackPicture>& pictures, const std::string& path) {
    for (const PackPicture& p : pictures)
        if (p.path == path) return &p.canvas;
    return nullptr;
}

// draws a frame of a keyed picture as the game does: opaque where not black
void DrawKeyed(Canvas& scene, const Canvas& picture, int frameX, int frameY, int width, int height, int x, int y) {
    std::vector<uint8_t> bytes = CanvasBytes(picture, true);
    for (int j = 0; j < height; ++j) {
        for (int i = 0; i < width; ++i) {
            const uint8_t* p = &bytes[(size_t(frameY + j) * picture.width + frameX + i) * 3];
            if (!IsTransparentColour(p[0], p[1], p[2])) BlendPixel(scene, x + i, y + j, {float(p[0]), float(p[1]), float(p[2])}, 1);
        }
    }
}

void DrawWhole(Canvas& scene, const std::vector<PackPicture>& pictures, const std::string& path, int x, int y) {
    if (const Canvas* c = Find(pictures, path)) DrawKeyed(scene, *c, 0, 0, c->width, c->height, x, y);
}

// sets text in the glyph pictures the way the game's status line does
void DrawFontText(Canvas& scene, const std::vector<PackPicture>& pictures, const std::string& text, TextPlace at) {
    int x = at.x;
    for (char c : text) {
        if (c == ' ') {
            x += kSpaceWidth;
            continue;
        }
        int id = GlyphFor(static_cast<unsigned char>(c));
        const Canvas* glyph = Find(pictures, "font/" + std::to_string(id) + ".bmp");
        if (!glyph) continue;
        DrawKeyed(scene, *glyph, 0, 0, glyph->width, glyph->height, x, at.y);
        x += glyph->width + kGlyphGap;
    }
}

}  // namespace

Canvas ScenePreview(const std::vector<PackPicture>& pictures) {
    Canvas scene = MakeCanvas(1024, 768, {}, 1);
    if (const Canvas* background = Find(pictures, "graph/gulpmaze1.jpg")) Composite(scene, *background, 0, 0);
    for (int i = 1; i <= 106; ++i) {
        if (i % 7 == 3) continue;  // a few already eaten
        DrawWhole(scene, pictures, "graph/ball2.bmp", kDotX[i] - 8, kDotY[i] - 8);
    }
    for (int k = 1; k <= 4; ++k) DrawWhole(scene, pictures, "graph/ball3.bmp", kEnergizerHomeX[k] - 8, kEnergizerHomeY[k] - 8);
    DrawWhole(scene, pictures, "graph/bonuspomme.bmp", 234 - 8, 180 - 8);
    if (const Canvas* player = Find(pictures, "graph/gulpdroite1.bmp")) DrawKeyed(scene, *player, 96, 0, 32, 32, 636 - 16, 540 - 16);
    const char* ghosts[5] = {"ghost-jaune", "ghost-blanc", "ghost-bleu", "ghost-rouge", "ghost-vert"};
    const int at[5][2] = {{480, 468}, {540, 420}, {588, 468}, {780, 540}, {288, 612}};
    for (int g = 0; g < 5; ++g) {
        if (const Canvas* sheet = Find(pictures, std::string("graph/") + ghosts[g] + ".bmp"))
            DrawKeyed(scene, *sheet, g * 64, 0, 32, 32, at[g][0] - 16, at[g][1] - 16);
    }
    DrawWhole(scene, pictures, "graph/dents4.bmp", 780 - 16, 540 - 16);
    DrawWhole(scene, pictures, "graph/dents2.bmp", 780 - 16, 540 - 16);
    DrawWhole(scene, pictures, "graph/200p.bmp", 288 - 20, 684 - 10);
    DrawFontText(scene, pictures, "2", kChargesPlace);
    DrawFontText(scene, pictures, "12340", kScorePlace);
    DrawFontText(scene, pictures, "3", kLivesPlace);
    DrawFontText(scene, pictures, std::string(kLevelPrefix) + "12", kLevelPlace);
    return scene;
}
