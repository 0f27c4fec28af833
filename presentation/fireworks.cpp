// The fireworks: every spark is born on the line y = 130 at an x fixed by its
// number, thrown up and sideways at random, and reborn as soon as it leaves
// the living box. Sparks born left of the box (x below 50) and most of those
// born right of it (above 974) are reborn at every update: they stay as two
// short still rows of flickering dots on y = 130 at the frame's left and
// right edges, part of the effect.
#include "presentation/fireworks.h"

#include "core/game_state.h"
#include "pictures/drawing.h"
#include "core/random.h"
#include "core/values.h"

namespace {

constexpr float kBoxLeft = 50.0f;
constexpr float kBoxRight = 974.0f;
constexpr float kBoxTop = 50.0f;
constexpr float kBoxBottom = 718.0f;

// sparks in use, never more than the room made for them
int SparkCount() {
    return game.particleCount < kParticleRoom ? game.particleCount : kParticleRoom;
}

bool OutsideBox(const Particle& spark) {
    return spark.y > kBoxBottom || spark.y < kBoxTop || spark.x < kBoxLeft || spark.x > kBoxRight;
}

}  // namespace

void ResetParticle(int i) {
    Particle& spark = game.particles[i];
    spark.y = 130.0f;
    spark.x = static_cast<float>(i / 2.0);
    // The four draws are made in this order; the horizontal speed is the
    // difference of two, so it is most often near 0.
    float left = static_cast<float>(RandomUpTo(100) / 100.0);
    float right = static_cast<float>(RandomUpTo(100) / 100.0);
    spark.vx = left * -game.particleSpread + right * game.particleSpread;
    spark.lift = 0.5f;
    spark.vy = static_cast<float>(RandomUpTo(100) / 100.0) * 5.0f;
    int32_t c = RandomUpTo(55);
    spark.colour = MixColour(c + 200, c + 200, c + 200);
}

void UpdateParticles() {
    for (int i = 1; i <= SparkCount(); ++i) {
        Particle& spark = game.particles[i];
        spark.vy = spark.vy + spark.lift - game.particleGravity;
        spark.y = spark.y - spark.vy;
        spark.x = spark.x + spark.vx;
        if (OutsideBox(spark)) ResetParticle(i);
    }
}

void PlotParticles() {
    for (int i = 1; i <= SparkCount(); ++i) {
        const Particle& spark = game.particles[i];
        PutPixel(NearestInt(spark.x), NearestInt(spark.y), spark.colour);
    }
}
