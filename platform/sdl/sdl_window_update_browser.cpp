// The changed bands of the window picture put straight onto the page's
// canvas: SDL would copy the whole picture on every update.
#include "platform/sdl/sdl_frame_output.h"
#include "platform/sdl/sdl_page.h"

void UpdateWindowBands(SDL_Window*, const SDL_Surface* picture, const std::vector<FramePlace>& bands) {
    for (const FramePlace& band : bands) {
        sdl::PutRowsOnCanvas(static_cast<const uint8_t*>(picture->pixels), picture->pitch, band.y, band.height);
    }
}
