// Text rasterising for PrintText, shared by both backends: one line of text
// in DejaVu Sans Bold at 13 pixels through SDL_ttf (which needs no video
// device). The game prints the same few texts every frame of its menus, so
// finished lines are kept in a small cache of fixed slots and copied out from
// there. The slots get their storage when the face opens, so printing never
// makes the program's memory grow.
#include "platform/text/text_face.h"
#include "platform/platform.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <array>

namespace platform {

namespace {

constexpr int kFaceSize = 13;
constexpr size_t kCachedLines = 32;
constexpr size_t kReservedChars = 128;
constexpr size_t kReservedCoverage = 1024 * 20;  // a line across the screen

struct CachedLine {
    std::string text;
    TextBitmap bitmap;
    uint64_t lastUse = 0;  // 0: never filled
};

struct Face {
    bool tried = false;
    TTF_Font* font = nullptr;
    std::array<CachedLine, kCachedLines> lines;
    uint64_t uses = 0;
};

Face& TheFace() {
    static Face face;
    return face;
}

// SDL_ttf keeps the glyphs it has drawn; drawing every printable character
// once at the start keeps that store from growing later.
void LoadEveryGlyph(TTF_Font* font) {
    if (font == nullptr) return;
    std::string all;
    for (char c = ' '; c <= '~'; ++c) all += c;
    all += "\u00e0\u00e2\u00e7\u00e8\u00e9\u00ea\u00ee\u00f4\u00f9\u00fb\u00c9";
    if (SDL_Surface* surface = TTF_RenderUTF8_Shaded(font, all.c_str(), SDL_Color{255, 255, 255, 255},
                                                     SDL_Color{0, 0, 0, 255})) {
        SDL_FreeSurface(surface);
    }
}

// Opened on first use; a missing face is looked for only once.
TTF_Font* OpenFace() {
    Face& face = TheFace();
    if (!face.tried) {
        face.tried = true;
        if (TTF_WasInit() != 0 || TTF_Init() == 0) face.font = TTF_OpenFont(TextFacePath().c_str(), kFaceSize);
        for (CachedLine& line : face.lines) {
            line.text.reserve(kReservedChars);
            line.bitmap.coverage.reserve(kReservedCoverage);
        }
        LoadEveryGlyph(face.font);
    }
    return face.font;
}

// Shaded rendering gives one byte a pixel whose value is the coverage.
bool Render(TTF_Font* font, const std::string& text, TextBitmap& out) {
    out.width = 0;
    out.height = TTF_FontHeight(font);
    out.coverage.clear();
    if (text.empty()) return true;
    SDL_Surface* surface = TTF_RenderUTF8_Shaded(font, text.c_str(), SDL_Color{255, 255, 255, 255},
                                                 SDL_Color{0, 0, 0, 255});
    if (surface == nullptr) return false;
    out.width = surface->w;
    out.height = surface->h;
    out.coverage.resize(static_cast<size_t>(out.width) * out.height);
    const uint8_t* pixels = static_cast<const uint8_t*>(surface->pixels);
    for (int y = 0; y < out.height; ++y) {
        std::copy_n(pixels + static_cast<size_t>(y) * surface->pitch, out.width,
                    out.coverage.data() + static_cast<size_t>(y) * out.width);
    }
    SDL_FreeSurface(surface);
    return true;
}

// The slot holding the text, or the least recently used one refilled with it;
// nullptr if the text cannot be rendered.
CachedLine* FindOrRender(TTF_Font* font, const std::string& text) {
    Face& face = TheFace();
    CachedLine* oldest = &face.lines[0];
    for (CachedLine& line : face.lines) {
        if (line.lastUse != 0 && line.text == text) return &line;
        if (line.lastUse < oldest->lastUse) oldest = &line;
    }
    oldest->lastUse = 0;
    if (!Render(font, text, oldest->bitmap)) return nullptr;
    oldest->text.assign(text);
    return oldest;
}

}  // namespace

bool RasterizeText(const std::string& text, TextBitmap& out) {
    TTF_Font* font = OpenFace();
    if (font == nullptr) return false;
    CachedLine* line = FindOrRender(font, text);
    if (line == nullptr) return false;
    line->lastUse = ++TheFace().uses;
    out.width = line->bitmap.width;
    out.height = line->bitmap.height;
    out.coverage.assign(line->bitmap.coverage.begin(), line->bitmap.coverage.end());
    return true;
}

}  // namespace platform
