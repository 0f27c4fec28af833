// The fireworks sparks: birth, flight and rebirth at the edges of their box.
#include "core/game_state.h"
#include "core/random.h"
#include "presentation/fireworks.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

class Fireworks : public ::testing::Test {
protected:
    void SetUp() override {
        ResetGameState();
        game.particleCount = 2000;
        game.particleGravity = 0.6f;
        game.particleSpread = 2.0f;
        RandomSeed(12345);
    }
    // a spark at (x, y) with these speeds, lift 0.5
    Particle& Place(int i, float x, float y, float vx, float vy) {
        Particle& spark = game.particles[i];
        spark = Particle{};
        spark.x = x;
        spark.y = y;
        spark.vx = vx;
        spark.vy = vy;
        spark.lift = 0.5f;
        return spark;
    }
};

bool OnHundredths(float value, float unit) {
    float steps = value / unit;
    return std::fabs(steps - std::round(steps)) < 1e-3f;
}

}  // namespace

TEST_F(Fireworks, ASparkIsBornOnTheLineAtItsOwnPlaceWithAGreyColour) {
    for (int round = 0; round < 200; ++round) {
        ResetParticle(1000);
        const Particle& spark = game.particles[1000];
        EXPECT_EQ(spark.x, 500.0f);
        EXPECT_EQ(spark.y, 130.0f);
        EXPECT_EQ(spark.lift, 0.5f);
        EXPECT_GE(spark.vx, -2.0f);
        EXPECT_LE(spark.vx, 2.0f);
        EXPECT_TRUE(OnHundredths(spark.vx, 0.02f)) << spark.vx;
        EXPECT_GE(spark.vy, 0.0f);
        EXPECT_LE(spark.vy, 5.0f);
        EXPECT_TRUE(OnHundredths(spark.vy, 0.05f)) << spark.vy;
        int r = spark.colour & 0xFF, g = (spark.colour >> 8) & 0xFF, b = (spark.colour >> 16) & 0xFF;
        EXPECT_EQ(r, g);
        EXPECT_EQ(g, b);
        EXPECT_GE(r, 200);
        EXPECT_LE(r, 255);
        EXPECT_EQ(spark.colour >> 24, 0);
    }
    ResetParticle(1);
    EXPECT_EQ(game.particles[1].x, 0.5f);
    ResetParticle(2000);
    EXPECT_EQ(game.particles[2000].x, 1000.0f);
}

TEST_F(Fireworks, TheFourDrawsGoToSidewaysSpeedUpwardSpeedAndColourInThatOrder) {
    RandomSeed(777);
    int32_t against = RandomUpTo(100), along = RandomUpTo(100), up = RandomUpTo(100), grey = RandomUpTo(55);
    RandomSeed(777);
    ResetParticle(600);
    const Particle& spark = game.particles[600];
    EXPECT_FLOAT_EQ(spark.vx, (along - against) / 100.0f * 2.0f);
    EXPECT_FLOAT_EQ(spark.vy, up / 100.0f * 5.0f);
    EXPECT_EQ(spark.colour, (grey + 200) * 0x010101);
}

TEST_F(Fireworks, ASparkLosesATenthOfAPixelOfUpwardSpeedPerUpdate) {
    game.particleCount = 1000;
    Particle& spark = Place(1000, 500.0f, 130.0f, 0.0f, 0.0f);
    UpdateParticles();
    EXPECT_FLOAT_EQ(spark.x, 500.0f);
    EXPECT_NEAR(spark.y, 130.1f, 1e-4);
    EXPECT_NEAR(spark.vy, -0.1f, 1e-6);
    UpdateParticles();
    EXPECT_NEAR(spark.y, 130.3f, 1e-4);  // falling ever faster

    Place(1000, 500.0f, 130.0f, 1.5f, 3.0f);
    UpdateParticles();
    EXPECT_FLOAT_EQ(spark.x, 501.5f);
    EXPECT_NEAR(spark.y, 127.1f, 1e-4);
}

TEST_F(Fireworks, OnlyASparkStrictlyOutsideItsBoxIsReborn) {
    game.particleCount = 1000;
    // vy 0.1 becomes 0 in the update: the spark stays exactly where it is
    for (auto [x, y] : {std::pair{50.0f, 300.0f}, {974.0f, 300.0f}, {500.0f, 50.0f}, {500.0f, 718.0f}}) {
        Particle& spark = Place(1000, x, y, 0.0f, 0.1f);
        UpdateParticles();
        EXPECT_EQ(spark.x, x);
        EXPECT_EQ(spark.y, y);
    }
    for (auto [x, y] : {std::pair{49.9f, 300.0f}, {974.1f, 300.0f}, {500.0f, 49.9f}, {500.0f, 718.1f}}) {
        Particle& spark = Place(1000, x, y, 0.0f, 0.1f);
        UpdateParticles();
        EXPECT_EQ(spark.x, 500.0f) << x << "," << y;
        EXPECT_EQ(spark.y, 130.0f);
    }
}

// Sparks 1..95 are born so far left that even the fastest sideways throw
// (2 pixels) leaves them outside: they are reborn at every update.
TEST_F(Fireworks, SparksBornLeftOfTheBoxStayOnTheirLine) {
    for (int i = 1; i <= 2000; ++i) ResetParticle(i);
    for (int update = 0; update < 50; ++update) {
        UpdateParticles();
        for (int i = 1; i <= 95; ++i) {
            ASSERT_EQ(game.particles[i].y, 130.0f);
            ASSERT_EQ(game.particles[i].x, i / 2.0f);
        }
    }
    for (int i = 100; i <= 1948; ++i) {
        const Particle& spark = game.particles[i];
        ASSERT_TRUE(spark.x >= 50 && spark.x <= 974 && spark.y >= 50 && spark.y <= 718) << i;
    }
}
