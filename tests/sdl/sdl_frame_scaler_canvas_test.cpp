// The frame scaler for a browser's canvas, whose pixels keep red in their low
// byte: each channel lands in its own byte, and a scaled frame is the same
// picture as in the xRGB order with red and blue trading places, opaque.
#include "platform/sdl/frame_scaler.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

TEST(FrameScalerCanvas, EachChannelLandsInItsByte) {
    struct Case {
        uint16_t pixel;
        uint32_t redLow;
    };
    const Case cases[] = {
        {0x0000, 0x000000u}, {0xFFFF, 0xFFFFFFu}, {0xF800, 0x0000FFu},
        {0x07E0, 0x00FF00u}, {0x001F, 0xFF0000u}, {0x8410, 0x848284u},
    };
    for (const Case& c : cases) EXPECT_EQ(Expand565RedLow(c.pixel), c.redLow) << std::hex << c.pixel;
}

TEST(FrameScalerCanvas, ScaledFrameSwapsRedAndBlueAndIsOpaque) {
    constexpr int kWidth = 6, kHeight = 4;
    std::vector<uint16_t> frame(kWidth * kHeight);
    for (size_t i = 0; i < frame.size(); ++i) frame[i] = static_cast<uint16_t>(i * 2731);
    std::vector<uint32_t> xrgb(kWidth * kHeight * 4), redLow(kWidth * kHeight * 4);
    FrameScaler plain, canvas;
    plain.Prepare(kWidth, kHeight, kWidth * 2, kHeight * 2);
    canvas.Prepare(kWidth, kHeight, kWidth * 2, kHeight * 2);
    canvas.SetRedLow(true);
    plain.Scale(frame.data(), kWidth * 2, reinterpret_cast<uint8_t*>(xrgb.data()), kWidth * 2 * 4);
    canvas.Scale(frame.data(), kWidth * 2, reinterpret_cast<uint8_t*>(redLow.data()), kWidth * 2 * 4);
    for (size_t i = 0; i < xrgb.size(); ++i) {
        uint32_t swapped = 0xFF000000u | (xrgb[i] & 0x00FF00) | (xrgb[i] >> 16 & 0xFF) | ((xrgb[i] & 0xFF) << 16);
        EXPECT_EQ(redLow[i], swapped) << i;
    }
}

}  // namespace
