// The steady sine and cosine: the correctly rounded float at angles across
// the range the title's circling reaches (exact values, the same on every
// system), and the shape of the title's circle over a long wait.
#include "core/steady_trig.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct Angle {
    float x, sin, cos;
};

// sin and cos of each angle rounded once from the exact value
const Angle kAngles[] = {
    {0x0p+0, 0x0p+0, 0x1p+0},
    {0x1.99999ap-4, 0x1.98eaeep-4, 0x1.fd713p-1},
    {0x1p-1, 0x1.eaee88p-2, 0x1.c1528p-1},
    {0x1p+0, 0x1.aed548p-1, 0x1.14a28p-1},
    {0x1.921fb6p+0, 0x1p+0, -0x1.777a5cp-25},
    {0x1.921fb6p+1, -0x1.777a5cp-24, -0x1p+0},
    {-0x1.4p+1, -0x1.326afp-1, -0x1.9a2f7ep-1},
    {0x1.921fb6p+2, 0x1.777a5cp-23, 0x1p+0},
    {0x1.4p+3, -0x1.1689fp-1, -0x1.ad9ac8p-1},
    {0x1.9p+6, -0x1.03425cp-1, 0x1.b981dcp-1},
    {0x1.34ap+10, 0x1.29c532p-3, -0x1.fa8f2cp-1},
    {0x1.84d59ap+15, 0x1.fc5e72p-1, -0x1.e6f3dep-4},
    {0x1.90562ep-7, 0x1.9053a2p-7, 0x1.fff638p-1},
    {0x1.5aaa0ep+3, -0x1.f94526p-1, -0x1.4af6f6p-3},
};

TEST(SteadyTrig, GivesTheCorrectlyRoundedValueBitForBit) {
    for (const Angle& angle : kAngles) {
        EXPECT_EQ(SteadySin(angle.x), angle.sin) << "sin " << angle.x;
        EXPECT_EQ(SteadyCos(angle.x), angle.cos) << "cos " << angle.x;
        EXPECT_EQ(SteadySin(-angle.x), -angle.sin) << "sin is odd at " << angle.x;
        EXPECT_EQ(SteadyCos(-angle.x), angle.cos) << "cos is even at " << angle.x;
    }
}

// An hour and a half of the title menu's circling, as the game turns it.
TEST(SteadyTrig, StaysOnTheUnitCircleAlongTheTitlesTurning) {
    float angle = 0.0f;
    for (int pass = 0; pass < 400000; ++pass) {
        angle += 0.1f;
        float s = SteadySin(angle), c = SteadyCos(angle);
        ASSERT_NEAR(s * s + c * c, 1.0f, 3e-7f) << "at pass " << pass;
        ASSERT_LE(std::fabs(s), 1.0f);
    }
}

}  // namespace
