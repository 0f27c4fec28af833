// Whole-multiple scaling: the largest whole multiple of the frame that fits,
// centred; 1x when no larger one fits; shrunk to fit only when even 1x does
// not.
#include "media/platform/sdl/frame_scaler.h"

#include <gtest/gtest.h>

namespace {

TEST(FramePlace, WholeMultiplesAreTheLargestThatFit) {
    const struct {
        int windowWidth, windowHeight;
        FramePlace want;
    } cases[] = {
        {1024, 768, {0, 0, 1024, 768}},       {1920, 1080, {448, 156, 1024, 768}},
        {2047, 1535, {511, 383, 1024, 768}},  {2048, 1536, {0, 0, 2048, 1536}},
        {3840, 2160, {896, 312, 2048, 1536}}, {5000, 2400, {964, 48, 3072, 2304}},
        {800, 600, {0, 0, 800, 600}},         {1000, 768, {0, 9, 1000, 750}},
    };
    for (const auto& c : cases) {
        FramePlace place = PlaceFrame(1024, 768, c.windowWidth, c.windowHeight, true);
        EXPECT_EQ(place.x, c.want.x) << c.windowWidth << "x" << c.windowHeight;
        EXPECT_EQ(place.y, c.want.y) << c.windowWidth << "x" << c.windowHeight;
        EXPECT_EQ(place.width, c.want.width) << c.windowWidth << "x" << c.windowHeight;
        EXPECT_EQ(place.height, c.want.height) << c.windowWidth << "x" << c.windowHeight;
    }
    FramePlace fit = PlaceFrame(1024, 768, 1920, 1080, false);
    EXPECT_EQ(fit.width, 1440) << "without whole multiples the frame fits";
}

}  // namespace
