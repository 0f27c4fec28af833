// Euclidean distance maps over a pixel grid: for every pixel, the distance
// to the nearest pixel of a set. The maze pictures shade their walls and
// floors from these.
#pragma once

#include <cstdint>
#include <vector>

// distance from each pixel centre to the nearest pixel where inSet is 1
// (0 on the set itself); an empty set gives large values everywhere
std::vector<float> DistanceToSet(const std::vector<uint8_t>& inSet, int width, int height);
