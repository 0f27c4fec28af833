// The hashes a recording keeps: of a presented frame, and of the asset pack
// the recording was made with.
#pragma once

#include <cstdint>

namespace journal {

// A 64-bit hash of a frame's pixels (rows of `width` pixels, `pitch` apart),
// fast enough to take every 75th frame.
uint64_t HashFrame(const uint16_t* pixels, int width, int height, int pitch);
// A hash of every file's name and bytes in the asset pack the game would
// load now (graph, font, wav and music).
uint64_t AssetPackFingerprint();

}  // namespace journal
