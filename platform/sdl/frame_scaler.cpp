// Nearest-pixel scaling of the frame into the window picture. A changed
// frame row is widened once into 32 bits, spread over the place's columns in
// its first window row, and copied into the window rows that repeat it.
#include "platform/sdl/frame_scaler.h"

#include <algorithm>
#include <cstring>

namespace {

// Changed rows closer than this share one band: fewer, larger updates.
constexpr int kBandJoinRows = 8;
// More bands than this are not worth sending one by one.
constexpr size_t kMostBands = 32;

// The canvas order goes through a table: a browser's compiled code widens
// far slower than the vectorised loop of the desktop.
void WidenRow(const uint16_t* from, uint32_t* to, int count, const std::vector<uint32_t>& redLowPixels) {
    if (!redLowPixels.empty()) {
        for (int x = 0; x < count; ++x) to[x] = redLowPixels[from[x]];
    } else {
        for (int x = 0; x < count; ++x) to[x] = Expand565(from[x]);
    }
}

const uint16_t* FrameRow(const uint16_t* frame, int pitchBytes, int row) {
    return reinterpret_cast<const uint16_t*>(reinterpret_cast<const uint8_t*>(frame) +
                                             static_cast<size_t>(row) * pitchBytes);
}

}  // namespace

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

FramePlace PlaceFrame(int frameWidth, int frameHeight, int windowWidth, int windowHeight, bool wholeMultiples) {
    if (!wholeMultiples || frameWidth <= 0 || frameHeight <= 0 || frameWidth > windowWidth ||
        frameHeight > windowHeight) {
        return FitFrame(frameWidth, frameHeight, windowWidth, windowHeight);
    }
    int times = std::min(windowWidth / frameWidth, windowHeight / frameHeight);
    FramePlace place;
    place.width = frameWidth * times;
    place.height = frameHeight * times;
    place.x = (windowWidth - place.width) / 2;
    place.y = (windowHeight - place.height) / 2;
    return place;
}

bool FrameScaler::PreparedFor(int frameWidth, int frameHeight, int windowWidth, int windowHeight,
                              bool wholeMultiples) const {
    return frameWidth == frameWidth_ && frameHeight == frameHeight_ && windowWidth == windowWidth_ &&
           windowHeight == windowHeight_ && wholeMultiples == wholeMultiples_;
}

void FrameScaler::Prepare(int frameWidth, int frameHeight, int windowWidth, int windowHeight, bool wholeMultiples) {
    frameWidth_ = std::max(frameWidth, 0);
    frameHeight_ = std::max(frameHeight, 0);
    windowWidth_ = windowWidth;
    windowHeight_ = windowHeight;
    wholeMultiples_ = wholeMultiples;
    place_ = PlaceFrame(frameWidth_, frameHeight_, windowWidth, windowHeight, wholeMultiples);
    // each place pixel shows the frame pixel under its centre
    sourceColumn_.resize(static_cast<size_t>(place_.width));
    for (int x = 0; x < place_.width; ++x) {
        sourceColumn_[static_cast<size_t>(x)] =
            static_cast<int>(static_cast<int64_t>(2 * x + 1) * frameWidth_ / (2 * static_cast<int64_t>(place_.width)));
    }
    firstTarget_.assign(static_cast<size_t>(frameHeight_), 0);
    targetCount_.assign(static_cast<size_t>(frameHeight_), 0);
    for (int y = place_.height - 1; y >= 0; --y) {
        int row =
            static_cast<int>(static_cast<int64_t>(2 * y + 1) * frameHeight_ / (2 * static_cast<int64_t>(place_.height)));
        firstTarget_[static_cast<size_t>(row)] = y;
        ++targetCount_[static_cast<size_t>(row)];
    }
    wideRow_.resize(static_cast<size_t>(frameWidth_));
    shown_.assign(static_cast<size_t>(frameWidth_) * frameHeight_, 0);
    bands_.clear();
    bands_.reserve(kMostBands);
    wholeFrameDue_ = true;
}

void FrameScaler::SetRedLow(bool redLow) {
    if (redLow == redLow_) return;
    redLow_ = redLow;
    redLowPixels_.clear();
    if (!redLow) return;
    redLowPixels_.resize(65536);
    // opaque: a canvas takes the top byte as the pixel's alpha
    for (uint32_t pixel = 0; pixel < 65536; ++pixel) {
        redLowPixels_[pixel] = Expand565RedLow(static_cast<uint16_t>(pixel)) | 0xFF000000u;
    }
    wholeFrameDue_ = true;
}

void FrameScaler::ScaleRow(const uint16_t* source, int row, uint8_t* window, int windowPitchBytes) {
    int count = targetCount_[static_cast<size_t>(row)];
    if (count == 0) return;
    int first = place_.y + firstTarget_[static_cast<size_t>(row)];
    uint32_t* target = reinterpret_cast<uint32_t*>(window + static_cast<size_t>(first) * windowPitchBytes) + place_.x;
    if (place_.width == frameWidth_) {
        WidenRow(source, target, frameWidth_, redLowPixels_);
    } else {
        WidenRow(source, wideRow_.data(), frameWidth_, redLowPixels_);
        for (int x = 0; x < place_.width; ++x) target[x] = wideRow_[static_cast<size_t>(sourceColumn_[static_cast<size_t>(x)])];
    }
    for (int k = 1; k < count; ++k) {
        uint8_t* copy = window + static_cast<size_t>(first + k) * windowPitchBytes;
        std::memcpy(reinterpret_cast<uint32_t*>(copy) + place_.x, target, static_cast<size_t>(place_.width) * 4);
    }
}

// The window rows of a changed frame row join the last band when they are
// close to it (or when there are already as many bands as are worth it).
void FrameScaler::AddBand(int row) {
    int count = targetCount_[static_cast<size_t>(row)];
    if (count == 0) return;
    int top = place_.y + firstTarget_[static_cast<size_t>(row)];
    if (!bands_.empty()) {
        FramePlace& last = bands_.back();
        if (top - (last.y + last.height) <= kBandJoinRows || bands_.size() == kMostBands) {
            last.height = top + count - last.y;
            return;
        }
    }
    bands_.push_back(FramePlace{place_.x, top, place_.width, count});
}

const std::vector<FramePlace>& FrameScaler::Scale(const uint16_t* frame, int framePitchBytes, uint8_t* window,
                                                  int windowPitchBytes) {
    bands_.clear();
    if (place_.width == 0 || place_.height == 0) return bands_;
    const size_t rowBytes = static_cast<size_t>(frameWidth_) * sizeof(uint16_t);
    for (int row = 0; row < frameHeight_; ++row) {
        const uint16_t* source = FrameRow(frame, framePitchBytes, row);
        uint16_t* shown = shown_.data() + static_cast<size_t>(row) * frameWidth_;
        if (!wholeFrameDue_ && std::memcmp(source, shown, rowBytes) == 0) continue;
        std::memcpy(shown, source, rowBytes);
        ScaleRow(source, row, window, windowPitchBytes);
        AddBand(row);
    }
    wholeFrameDue_ = false;
    return bands_;
}
