// The two ways of showing the frame on SDL; see sdl_frame_output.h.
#include "platform/sdl/sdl_frame_output.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

// Mesa's software rasterisers and their kin report themselves in the GL
// renderer string.
bool IsSoftwareRasteriser(SDL_Renderer* renderer) {
    SDL_RendererInfo info;
    if (SDL_GetRendererInfo(renderer, &info) != 0) return true;
    if ((info.flags & SDL_RENDERER_SOFTWARE) != 0) return true;
    if (std::strncmp(info.name, "opengl", 6) != 0) return false;
    using GetString = const unsigned char* (*)(unsigned);
    auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
    if (getString == nullptr) return false;
    constexpr unsigned kGlRenderer = 0x1F01;
    const char* name = reinterpret_cast<const char*>(getString(kGlRenderer));
    if (name == nullptr) return false;
    for (const char* word : {"llvmpipe", "softpipe", "Software Rasterizer", "swrast"}) {
        if (std::strstr(name, word) != nullptr) return true;
    }
    return false;
}

bool StartOnCard(FrameOutput& output, SDL_Window* window, int width, int height, bool vsync) {
    if (output.renderer == nullptr) {
        Uint32 flags = vsync ? SDL_RENDERER_PRESENTVSYNC : 0;
        output.renderer = SDL_CreateRenderer(window, -1, flags | SDL_RENDERER_SOFTWARE);
    }
    if (output.renderer == nullptr) return false;
    // whole multiples are placed frame by frame (CardPlace)
    if (!output.wholeMultiples && SDL_RenderSetLogicalSize(output.renderer, width, height) != 0) return false;
    output.texture =
        SDL_CreateTexture(output.renderer, SDL_PIXELFORMAT_RGB565, SDL_TEXTUREACCESS_STREAMING, width, height);
    if (output.texture == nullptr) return false;
    // whole multiples are for sharp pixels: no smoothing between them
    if (output.wholeMultiples) SDL_SetTextureScaleMode(output.texture, SDL_ScaleModeNearest);
    return true;
}

// 32 bits a pixel, red and blue at either end: xRGB on X11, xBGR in a browser
bool IsXrgbPicture(const SDL_Surface* picture) {
    const SDL_PixelFormat* format = picture->format;
    return format->BytesPerPixel == 4 && format->Gmask == 0xFF00 &&
           ((format->Rmask == 0xFF0000 && format->Bmask == 0xFF) || (format->Rmask == 0xFF && format->Bmask == 0xFF0000));
}

// A window made again in the same place and mode, without any renderer ever
// attached, so that its picture is the window system's own (shared memory on
// X11) rather than one more texture.
SDL_Window* RemakeWindow(SDL_Window* window) {
    int x = 0, y = 0, w = 0, h = 0;
    SDL_GetWindowPosition(window, &x, &y);
    SDL_GetWindowSize(window, &w, &h);
    std::string title = SDL_GetWindowTitle(window);
    Uint32 flags = SDL_GetWindowFlags(window) & (SDL_WINDOW_FULLSCREEN_DESKTOP | SDL_WINDOW_RESIZABLE);
    SDL_DestroyWindow(window);
    return SDL_CreateWindow(title.c_str(), x, y, w, h, flags);
}

bool StartOnProcessor(FrameOutput& output, SDL_Window*& window) {
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    window = RemakeWindow(window);
    if (window == nullptr) return false;
    SDL_Surface* picture = SDL_GetWindowSurface(window);
    if (picture == nullptr || !IsXrgbPicture(picture)) return false;
    output.onProcessor = true;
    return true;
}

// Where the card draws the frame: all of the logical size when it scales to
// fit, otherwise the whole-multiple place in the renderer's pixels.
bool CardPlace(const FrameOutput& output, int width, int height, SDL_Rect& place) {
    if (!output.wholeMultiples) return false;
    int outputWidth = 0, outputHeight = 0;
    SDL_GetRendererOutputSize(output.renderer, &outputWidth, &outputHeight);
    FramePlace p = PlaceFrame(width, height, outputWidth, outputHeight, true);
    place = SDL_Rect{p.x, p.y, p.width, p.height};
    return true;
}

// The window picture changes with the window's size (Alt+Enter, a window
// manager); a new one is prepared and blackened once, bars included.
SDL_Surface* CurrentPicture(FrameOutput& output, SDL_Window* window, int width, int height) {
    SDL_Surface* picture = SDL_GetWindowSurface(window);
    if (picture == nullptr || !IsXrgbPicture(picture)) return nullptr;
    if (picture != output.picture ||
        !output.scaler.PreparedFor(width, height, picture->w, picture->h, output.wholeMultiples)) {
        output.scaler.Prepare(width, height, picture->w, picture->h, output.wholeMultiples);
        output.scaler.SetRedLow(picture->format->Rmask == 0xFF);
        SDL_FillRect(picture, nullptr, 0);
        output.picture = picture;
        SDL_UpdateWindowSurface(window);
    }
    return picture;
}

}  // namespace

bool StartFrameOutput(FrameOutput& output, SDL_Window*& window, int width, int height, bool vsync) {
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "linear");
    Uint32 flags = vsync ? SDL_RENDERER_PRESENTVSYNC : 0;
    output.renderer = SDL_CreateRenderer(window, -1, flags | SDL_RENDERER_ACCELERATED);
    // a renderer the user named (SDL_RENDER_DRIVER) is used as asked
    bool named = SDL_GetHint(SDL_HINT_RENDER_DRIVER) != nullptr;
    if (output.renderer != nullptr && (named || !IsSoftwareRasteriser(output.renderer))) {
        return StartOnCard(output, window, width, height, vsync);
    }
    if (output.renderer != nullptr) SDL_DestroyRenderer(output.renderer);
    output.renderer = nullptr;
    if (vsync) return false;
    if (StartOnProcessor(output, window)) return true;
    // a window picture of another layout: SDL's own software renderer
    return window != nullptr && StartOnCard(output, window, width, height, false);
}

void StopFrameOutput(FrameOutput& output) {
    if (output.texture) SDL_DestroyTexture(output.texture);
    if (output.renderer) SDL_DestroyRenderer(output.renderer);
    output = FrameOutput{};
}

void ShowFrame(FrameOutput& output, SDL_Window* window, const uint16_t* pixels, int width, int height, int pitchBytes) {
    if (!output.onProcessor) {
        SDL_UpdateTexture(output.texture, nullptr, pixels, pitchBytes);
        SDL_SetRenderDrawColor(output.renderer, 0, 0, 0, 255);
        SDL_RenderClear(output.renderer);
        SDL_Rect place;
        SDL_RenderCopy(output.renderer, output.texture, nullptr,
                       CardPlace(output, width, height, place) ? &place : nullptr);
        SDL_RenderPresent(output.renderer);
        return;
    }
    SDL_Surface* picture = CurrentPicture(output, window, width, height);
    if (picture == nullptr) return;
    if (SDL_MUSTLOCK(picture) && SDL_LockSurface(picture) != 0) return;
    const std::vector<FramePlace>& bands =
        output.scaler.Scale(pixels, pitchBytes, static_cast<uint8_t*>(picture->pixels), picture->pitch);
    if (SDL_MUSTLOCK(picture)) SDL_UnlockSurface(picture);
    if (!bands.empty()) UpdateWindowBands(window, picture, bands);
}

void ShowWholeFrameNext(FrameOutput& output) {
    output.scaler.RequestWholeFrame();
}

void ShowBlackWindow(FrameOutput& output, SDL_Window* window) {
    if (output.onProcessor) {
        SDL_Surface* picture = SDL_GetWindowSurface(window);
        if (picture == nullptr) return;
        SDL_FillRect(picture, nullptr, 0);
        SDL_UpdateWindowSurface(window);
        return;
    }
    SDL_SetRenderDrawColor(output.renderer, 0, 0, 0, 255);
    SDL_RenderClear(output.renderer);
    SDL_RenderPresent(output.renderer);
}
