// The changed bands of the window picture shown through the window system.
#include "platform/sdl/sdl_frame_output.h"

void UpdateWindowBands(SDL_Window* window, const SDL_Surface*, const std::vector<FramePlace>& bands) {
    constexpr int kMostAreas = 64;
    SDL_Rect areas[kMostAreas];
    int count = 0;
    for (const FramePlace& band : bands) {
        if (count < kMostAreas) areas[count++] = SDL_Rect{band.x, band.y, band.width, band.height};
    }
    SDL_UpdateWindowSurfaceRects(window, areas, count);
}
