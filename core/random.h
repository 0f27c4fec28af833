// The game's random numbers: a lagged generator over 34 words whose results
// are reproducible bit for bit from a seed.
#pragma once

#include <cstdint>

// start-up: seeds from the millisecond tick count
void InitRandom();
// reseeds the generator
void RandomSeed(uint32_t seed);
// uniform integer 0 .. max inclusive; -2147483648 for a negative max
int32_t RandomUpTo(int32_t max);
