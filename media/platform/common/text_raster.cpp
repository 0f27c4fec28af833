// Text rasterising for PrintText, shared by both backends: one line of text
// in DejaVu Sans Bold at 13 pixels through SDL_ttf (which needs no video
// device). The game prints the same few texts every frame of its menus, so
// finished lines are kept in a small cache and copied out from there.
#include "media/platform/platform.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <unordered_map>

namespace platform {

namespace {

constexpr const char* kFacePath = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";
constexpr int kFaceSize = 13;
constexpr size_t kCachedLines = 64;

struct Face {
    bool tried = false;
    TTF_Font* font = nullptr;
    std::unordered_map<std::string, TextBitmap> lines;
};

Face& TheFace() {
    static Face face;
    return face;
}

// Opened on first use; a missing face is looked for only once.
TTF_Font* OpenFace() {
    Face& face = TheFace();
    if (!face.tried) {
        face.tried = true;
        if (TTF_WasInit() != 0 || TTF_Init() == 0) face.font = TTF_OpenFont(kFacePath, kFaceSize);
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

}  // namespace

bool RasterizeText(const std::string& text, TextBitmap& out) {
    TTF_Font* font = OpenFace();
    if (font == nullptr) return false;
    Face& face = TheFace();
    auto cached = face.lines.find(text);
    if (cached == face.lines.end()) {
        TextBitmap line;
        if (!Render(font, text, line)) return false;
        if (face.lines.size() >= kCachedLines) face.lines.clear();
        cached = face.lines.emplace(text, std::move(line)).first;
    }
    out.width = cached->second.width;
    out.height = cached->second.height;
    out.coverage.assign(cached->second.coverage.begin(), cached->second.coverage.end());
    return true;
}

}  // namespace platform
