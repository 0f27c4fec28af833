// A quick look at the asset pack's folder, named by the player or found by
// the game, before the game starts: a pack missing a part would start a
// black or silent game.
#pragma once

#include <string>

// "" when `directory` holds the four folders of the pack (graph, font, wav,
// music), each with at least one non-empty file; otherwise what is wrong,
// naming the first folder missing or empty
std::string AssetPackProblem(const std::string& directory);
// `folder` as the player's system writes it: a full path with the system's
// separators ("" = the working directory)
std::string ShownFolder(const std::string& folder);
