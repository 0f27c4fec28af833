// Nearest-pixel scaling of the frame into the window picture. Each frame row
// is widened once into 32 bits and then spread over the place's columns; a
// window row that shows the same frame row as the one above is a copy of it.
#include "media/platform/sdl/frame_scaler.h"

#include <algorithm>
#include <cstring>

FramePlace FitFrame(int frameWidth, int frameHeight, int windowWidth, int windowHeight) {
    if (frameWidth <= 0 || frameHeight <= 0 || windowWidth <= 0 || windowHeight <= 0) return FramePlace{};
    FramePlace place;
    // the smaller ratio, compared in integers: ww/fw < wh/fh
    if (static_cast<int64_t>(windowWidth) * frameHeight < static_cast<int64_t>(windowHeight) * frameWidth) {
        place.width = windowWidth;
        place.height = static_cast<int>(static_cast<int64_t>(frameHeight) * windowWidth / frameWidth);
    } else {
        place.height = windowHeight;
        place.width = static_cast<int>(static_cast<int64_t>(frameWidth) * windowHeight / frameHeight);
    }
    place.x = (windowWidth - place.width) / 2;
    place.y = (windowHeight - place.height) / 2;
    return place;
}

bool FrameScaler::PreparedFor(int frameWidth, int frameHeight, int windowWidth, int windowHeight) const {
    return frameWidth == frameWidth_ && frameHeight == frameHeight_ && windowWidth == windowWidth_ &&
           windowHeight == windowHeight_;
}

void FrameScaler::Prepare(int frameWidth, int frameHeight, int windowWidth, int windowHeight) {
    frameWidth_ = frameWidth;
    frameHeight_ = frameHeight;
    windowWidth_ = windowWidth;
    windowHeight_ = windowHeight;
    place_ = FitFrame(frameWidth, frameHeight, windowWidth, windowHeight);
    sourceColumn_.resize(static_cast<size_t>(place_.width));
    sourceRow_.resize(static_cast<size_t>(place_.height));
    wideRow_.resize(static_cast<size_t>(std::max(frameWidth, 0)));
    // each target pixel shows the frame pixel under its centre
    for (int x = 0; x < place_.width; ++x) {
        sourceColumn_[static_cast<size_t>(x)] =
            static_cast<int>((static_cast<int64_t>(2 * x + 1) * frameWidth) / (2 * static_cast<int64_t>(place_.width)));
    }
    for (int y = 0; y < place_.height; ++y) {
        sourceRow_[static_cast<size_t>(y)] =
            static_cast<int>((static_cast<int64_t>(2 * y + 1) * frameHeight) / (2 * static_cast<int64_t>(place_.height)));
    }
}

namespace {

void WidenRow(const uint16_t* from, uint32_t* to, int count) {
    for (int x = 0; x < count; ++x) to[x] = Expand565(from[x]);
}

}  // namespace

void FrameScaler::Scale(const uint16_t* frame, int framePitchBytes, uint8_t* window, int windowPitchBytes) {
    if (place_.width == 0 || place_.height == 0) return;
    const bool sameWidth = place_.width == frameWidth_;
    int previousRow = -1;
    for (int y = 0; y < place_.height; ++y) {
        uint8_t* rowStart = window + static_cast<size_t>(place_.y + y) * windowPitchBytes;
        uint32_t* target = reinterpret_cast<uint32_t*>(rowStart) + place_.x;
        int row = sourceRow_[static_cast<size_t>(y)];
        if (row == previousRow) {
            const uint32_t* above = reinterpret_cast<const uint32_t*>(rowStart - windowPitchBytes) + place_.x;
            std::memcpy(target, above, static_cast<size_t>(place_.width) * 4);
            continue;
        }
        previousRow = row;
        const uint16_t* source =
            reinterpret_cast<const uint16_t*>(reinterpret_cast<const uint8_t*>(frame) + static_cast<size_t>(row) * framePitchBytes);
        if (sameWidth) {
            WidenRow(source, target, frameWidth_);
            continue;
        }
        WidenRow(source, wideRow_.data(), frameWidth_);
        for (int x = 0; x < place_.width; ++x) target[x] = wideRow_[static_cast<size_t>(sourceColumn_[static_cast<size_t>(x)])];
    }
}
