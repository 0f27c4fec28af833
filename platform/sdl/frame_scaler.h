// Scales the 5:6:5 frame into a 32-bit xRGB (or xBGR) window picture on the
// processor, for displays whose only renderer is a software one:
// nearest-pixel scaling by the smaller of the two ratios or by the largest
// whole multiple, centred, the rest of the picture left to the caller's black
// bars. Only the frame rows that changed since the last frame are scaled
// again, and the window bands they cover are reported, so that a mostly
// still picture (a maze with a few actors) costs little.
#pragma once

#include <cstdint>
#include <vector>

// where the scaled frame (or a band of it) lies in the window picture
struct FramePlace {
    int x = 0, y = 0, width = 0, height = 0;
};

// the largest place of the frame's aspect ratio inside the window, centred
FramePlace FitFrame(int frameWidth, int frameHeight, int windowWidth, int windowHeight);
// with wholeMultiples, the largest whole multiple of the frame inside the
// window, centred (1x when no larger one fits; the fitting place when even
// 1x does not); otherwise FitFrame
FramePlace PlaceFrame(int frameWidth, int frameHeight, int windowWidth, int windowHeight, bool wholeMultiples);

// a 5:6:5 pixel as 0x00RRGGBB, each channel widened by repeating its top bits
// (white stays white, black stays black)
constexpr uint32_t Expand565(uint16_t pixel) {
    uint32_t red = pixel >> 11, green = (pixel >> 5) & 63, blue = pixel & 31;
    return ((red << 3 | red >> 2) << 16) | ((green << 2 | green >> 4) << 8) | (blue << 3 | blue >> 2);
}

// the same pixel as 0x00BBGGRR, the byte order of a browser's canvas
constexpr uint32_t Expand565RedLow(uint16_t pixel) {
    uint32_t xrgb = Expand565(pixel);
    return (xrgb & 0x00FF00) | (xrgb >> 16) | ((xrgb & 0xFF) << 16);
}

class FrameScaler {
public:
    // fixes the sizes and makes the tables, never per frame; the next Scale
    // draws the whole frame
    void Prepare(int frameWidth, int frameHeight, int windowWidth, int windowHeight, bool wholeMultiples = false);
    const FramePlace& Place() const { return place_; }
    // the next Scale draws the whole frame (the window was uncovered)
    void RequestWholeFrame() { wholeFrameDue_ = true; }
    bool PreparedFor(int frameWidth, int frameHeight, int windowWidth, int windowHeight,
                     bool wholeMultiples = false) const;
    // the window picture keeps red in its low byte (0xFFBBGGRR, opaque for a
    // canvas); xRGB until said
    void SetRedLow(bool redLow);

    // Writes the frame rows that changed into their place (pitches in bytes)
    // and returns the window bands that now differ from what was shown.
    const std::vector<FramePlace>& Scale(const uint16_t* frame, int framePitchBytes, uint8_t* window,
                                         int windowPitchBytes);

private:
    void ScaleRow(const uint16_t* source, int row, uint8_t* window, int windowPitchBytes);
    void AddBand(int row);

    int frameWidth_ = 0, frameHeight_ = 0, windowWidth_ = 0, windowHeight_ = 0;
    bool wholeMultiples_ = false;
    FramePlace place_;
    std::vector<int> sourceColumn_;  // per column of the place
    std::vector<int> firstTarget_;   // per frame row: its first row in the place
    std::vector<int> targetCount_;   // per frame row: how many place rows show it
    std::vector<uint32_t> wideRow_;  // one frame row, widened
    std::vector<uint16_t> shown_;    // the frame as last scaled
    bool wholeFrameDue_ = true;
    bool redLow_ = false;
    std::vector<uint32_t> redLowPixels_;  // every 5:6:5 value widened, for the canvas order
    std::vector<FramePlace> bands_;
};
