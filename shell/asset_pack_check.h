// A quick look at a folder the player names as the asset pack, before the
// game starts: a pack missing a part would start a black or silent game.
#pragma once

#include <string>

// "" when `directory` holds the four folders of the pack (graph, font, wav,
// music), each with at least one non-empty file; otherwise what is wrong,
// naming the first folder missing or empty
std::string AssetPackProblem(const std::string& directory);
