// The game's random generator: 34 words stepped in pairs, two lagged indices.
#include "core/random.h"

#include "platform/platform.h"

namespace {

struct Generator {
    uint32_t words[34] = {};
    int p = 0;
    int q = 20;
};

Generator generator;

uint32_t RotateLeft(uint32_t value, int bits) {
    return (value << bits) | (value >> (32 - bits));
}

// One step; returns the 64-bit output a * 2^32 + b.
uint64_t Step() {
    Generator& s = generator;
    uint32_t a = RotateLeft(s.words[s.p], 19) + s.words[s.q];
    uint32_t b = RotateLeft(s.words[s.p + 1], 27) + s.words[s.q + 1];
    s.words[s.p] = b;
    s.words[s.p + 1] = a;
    s.p = (s.p == 0) ? 32 : s.p - 2;
    s.q = (s.q == 0) ? 32 : s.q - 2;
    return (static_cast<uint64_t>(a) << 32) | b;
}

}  // namespace

void InitRandom() {
    RandomSeed(platform::TickCount());
}

void RandomSeed(uint32_t seed) {
    for (uint32_t& word : generator.words) {
        seed = seed * 0xAC564B05u + 1u;
        word = seed;
    }
    generator.p = 0;
    generator.q = 20;
    for (int i = 0; i < 31; ++i) Step();
}

int32_t RandomUpTo(int32_t max) {
    uint64_t r = Step();
    if (max < 0) return INT32_MIN;
    // floor(r * (max + 1) / 2^64): the top word of the 96-bit product
    unsigned __int128 product = static_cast<unsigned __int128>(r) * (static_cast<uint64_t>(max) + 1u);
    return static_cast<int32_t>(static_cast<uint64_t>(product >> 64));
}
