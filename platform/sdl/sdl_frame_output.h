// How the SDL backend puts the 5:6:5 frame on the window, in one of two ways:
// - through a renderer on the graphics card: the frame goes into a streaming
//   texture that the card scales (with vsync when the display paces frames);
// - on the processor, when the only renderer is a software rasteriser (no
//   graphics card, a virtual X server): the frame is scaled straight into the
//   window's own picture, which costs a fraction of what a software renderer
//   spends emulating the card.
// Both keep the aspect ratio, with black bars, and scale the frame to fit
// or by the largest whole multiple that fits (wholeMultiples). A renderer named in
// SDL_RENDER_DRIVER always takes the first way.
#pragma once

#include "platform/sdl/frame_scaler.h"

#include <SDL.h>

#include <vector>

struct FrameOutput {
    SDL_Renderer* renderer = nullptr;
    SDL_Texture* texture = nullptr;
    bool onProcessor = false;
    bool wholeMultiples = false;  // set before StartFrameOutput
    SDL_Surface* picture = nullptr;  // the window picture the scaler was prepared for
    FrameScaler scaler;
};

// Sets up the output for a window of the given frame size. The window is
// made again (without a renderer) when the processor path is chosen, so it
// is passed by reference. Fails when vsync is asked for and only the
// processor path can show the frame, as that path cannot follow the display.
bool StartFrameOutput(FrameOutput& output, SDL_Window*& window, int width, int height, bool vsync);
void StopFrameOutput(FrameOutput& output);

void ShowFrame(FrameOutput& output, SDL_Window* window, const uint16_t* pixels, int width, int height, int pitchBytes);
void ShowBlackWindow(FrameOutput& output, SDL_Window* window);
// the window was uncovered or changed: the next frame is sent whole
void ShowWholeFrameNext(FrameOutput& output);

// Shows the changed bands of the window picture: through the window system
// on the desktop, straight onto the page's canvas in a browser, where SDL
// would copy the whole picture (sdl_window_update_*.cpp).
void UpdateWindowBands(SDL_Window* window, const SDL_Surface* picture, const std::vector<FramePlace>& bands);
