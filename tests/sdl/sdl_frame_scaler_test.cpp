// The processor's frame scaler: where the frame lands in the window, how a
// 5:6:5 pixel widens to 32 bits, that scaling picks the right pixels and
// never writes outside the frame's place, and that only changed rows are
// drawn and reported again.
#include "platform/sdl/frame_scaler.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

TEST(FrameScaler, FitKeepsTheAspectRatioAndCentres) {
    FramePlace same = FitFrame(1024, 768, 1024, 768);
    EXPECT_EQ(same.x, 0);
    EXPECT_EQ(same.y, 0);
    EXPECT_EQ(same.width, 1024);
    EXPECT_EQ(same.height, 768);

    FramePlace wide = FitFrame(1024, 768, 1920, 1080);  // bars left and right
    EXPECT_EQ(wide.width, 1440);
    EXPECT_EQ(wide.height, 1080);
    EXPECT_EQ(wide.x, 240);
    EXPECT_EQ(wide.y, 0);

    FramePlace tall = FitFrame(1024, 768, 1280, 1024);  // bars above and below
    EXPECT_EQ(tall.width, 1280);
    EXPECT_EQ(tall.height, 960);
    EXPECT_EQ(tall.x, 0);
    EXPECT_EQ(tall.y, 32);

    FramePlace none = FitFrame(1024, 768, 0, 600);
    EXPECT_EQ(none.width, 0);
    EXPECT_EQ(none.height, 0);
}

TEST(FrameScaler, WideningKeepsBlackWhiteAndEachChannel) {
    EXPECT_EQ(Expand565(0x0000), 0x000000u);
    EXPECT_EQ(Expand565(0xFFFF), 0xFFFFFFu);
    EXPECT_EQ(Expand565(0xF800), 0xFF0000u);
    EXPECT_EQ(Expand565(0x07E0), 0x00FF00u);
    EXPECT_EQ(Expand565(0x001F), 0x0000FFu);
    EXPECT_EQ(Expand565(0x8410), 0x848284u);  // the top bits repeat into the low ones
}

// A window picture of w x h 32-bit pixels with a pitch wider than a row,
// filled with a marker that the scaler must leave alone outside its place.
struct Picture {
    int width, height, pitchBytes;
    std::vector<uint8_t> bytes;
    Picture(int w, int h) : width(w), height(h), pitchBytes(w * 4 + 12), bytes(static_cast<size_t>(pitchBytes) * h) {
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) Set(x, y, 0xDEADBEEF);
        }
    }
    uint32_t At(int x, int y) const {
        uint32_t value;
        std::memcpy(&value, bytes.data() + static_cast<size_t>(y) * pitchBytes + x * 4, 4);
        return value;
    }
    void Set(int x, int y, uint32_t value) {
        std::memcpy(bytes.data() + static_cast<size_t>(y) * pitchBytes + x * 4, &value, 4);
    }
};

// a frame whose every pixel tells its own place: red = x, blue = y
std::vector<uint16_t> NumberedFrame(int width, int height, int pitch) {
    std::vector<uint16_t> frame(static_cast<size_t>(pitch) * height, 0xFFFF);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) frame[static_cast<size_t>(y) * pitch + x] = static_cast<uint16_t>(x << 11 | y);
    }
    return frame;
}

TEST(FrameScaler, SameSizeCopiesEveryPixelWidened) {
    std::vector<uint16_t> frame = NumberedFrame(8, 6, 10);
    Picture picture(8, 6);
    FrameScaler scaler;
    scaler.Prepare(8, 6, 8, 6);
    scaler.Scale(frame.data(), 10 * 2, picture.bytes.data(), picture.pitchBytes);
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 8; ++x) EXPECT_EQ(picture.At(x, y), Expand565(frame[static_cast<size_t>(y) * 10 + x]));
    }
}

TEST(FrameScaler, DoubleSizeShowsEachPixelAsATwoByTwoBlock) {
    std::vector<uint16_t> frame = NumberedFrame(4, 3, 4);
    Picture picture(8, 6);
    FrameScaler scaler;
    scaler.Prepare(4, 3, 8, 6);
    scaler.Scale(frame.data(), 4 * 2, picture.bytes.data(), picture.pitchBytes);
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 8; ++x) EXPECT_EQ(picture.At(x, y), Expand565(frame[static_cast<size_t>(y / 2) * 4 + x / 2]));
    }
}

TEST(FrameScaler, UnevenScaleTakesThePixelUnderEachCentreAndLeavesTheBars) {
    // 4 x 3 into 10 x 5: the place is 6 x 5 (ratio 5/3), from column 2
    std::vector<uint16_t> frame = NumberedFrame(4, 3, 4);
    Picture picture(10, 5);
    FrameScaler scaler;
    scaler.Prepare(4, 3, 10, 5);
    ASSERT_EQ(scaler.Place().x, 2);
    ASSERT_EQ(scaler.Place().width, 6);
    ASSERT_EQ(scaler.Place().height, 5);
    scaler.Scale(frame.data(), 4 * 2, picture.bytes.data(), picture.pitchBytes);
    const int columns[6] = {0, 1, 1, 2, 3, 3};  // (2x + 1) * 4 / 12
    const int rows[5] = {0, 0, 1, 2, 2};        // (2y + 1) * 3 / 10
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 10; ++x) {
            bool inside = x >= 2 && x < 8;
            uint32_t expected = inside ? Expand565(frame[static_cast<size_t>(rows[y]) * 4 + columns[x - 2]]) : 0xDEADBEEF;
            EXPECT_EQ(picture.At(x, y), expected) << x << "," << y;
        }
    }
}

TEST(FrameScaler, OnlyChangedRowsAreDrawnAgainAndReported) {
    std::vector<uint16_t> frame = NumberedFrame(4, 3, 4);
    Picture picture(8, 6);
    FrameScaler scaler;
    scaler.Prepare(4, 3, 8, 6);
    std::vector<FramePlace> bands = scaler.Scale(frame.data(), 8, picture.bytes.data(), picture.pitchBytes);
    ASSERT_EQ(bands.size(), 1u);  // the first frame is sent whole
    EXPECT_EQ(bands[0].y, 0);
    EXPECT_EQ(bands[0].height, 6);

    // the same frame again: nothing to draw or send
    picture.Set(0, 0, 0xDEADBEEF);
    EXPECT_TRUE(scaler.Scale(frame.data(), 8, picture.bytes.data(), picture.pitchBytes).empty());
    EXPECT_EQ(picture.At(0, 0), 0xDEADBEEFu);

    // one pixel of the last row changes: its two window rows, the whole width
    frame[2 * 4 + 1] = 0xFFFF;
    bands = scaler.Scale(frame.data(), 8, picture.bytes.data(), picture.pitchBytes);
    ASSERT_EQ(bands.size(), 1u);
    EXPECT_EQ(bands[0].x, 0);
    EXPECT_EQ(bands[0].y, 4);
    EXPECT_EQ(bands[0].width, 8);
    EXPECT_EQ(bands[0].height, 2);
    EXPECT_EQ(picture.At(2, 4), 0xFFFFFFu);
    EXPECT_EQ(picture.At(3, 5), 0xFFFFFFu);
    EXPECT_EQ(picture.At(0, 0), 0xDEADBEEFu);  // row 0 was left alone

    // an uncovered window asks for everything again
    scaler.RequestWholeFrame();
    bands = scaler.Scale(frame.data(), 8, picture.bytes.data(), picture.pitchBytes);
    ASSERT_EQ(bands.size(), 1u);
    EXPECT_EQ(bands[0].height, 6);
    EXPECT_EQ(picture.At(0, 0), Expand565(frame[0]));
}

TEST(FrameScaler, FarApartChangesAreSeparateBands) {
    std::vector<uint16_t> frame(64 * 48, 0);
    Picture picture(64, 48);
    FrameScaler scaler;
    scaler.Prepare(64, 48, 64, 48);
    scaler.Scale(frame.data(), 128, picture.bytes.data(), picture.pitchBytes);
    frame[2 * 64] = 1;
    frame[40 * 64] = 1;
    frame[43 * 64] = 1;  // close to row 40: joins its band
    std::vector<FramePlace> bands = scaler.Scale(frame.data(), 128, picture.bytes.data(), picture.pitchBytes);
    ASSERT_EQ(bands.size(), 2u);
    EXPECT_EQ(bands[0].y, 2);
    EXPECT_EQ(bands[0].height, 1);
    EXPECT_EQ(bands[1].y, 40);
    EXPECT_EQ(bands[1].height, 4);
}

TEST(FrameScaler, PreparedForFollowsEverySize) {
    FrameScaler scaler;
    scaler.Prepare(1024, 768, 1920, 1080);
    EXPECT_TRUE(scaler.PreparedFor(1024, 768, 1920, 1080));
    EXPECT_FALSE(scaler.PreparedFor(1024, 768, 1024, 768));
    EXPECT_FALSE(scaler.PreparedFor(640, 768, 1920, 1080));
}

}  // namespace
