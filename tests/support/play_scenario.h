// Helpers for scenario tests of play: putting the player where a test needs
// it, keeping the ghosts out of the way, and watching the player frame by
// frame.
#pragma once

#include "core/game_state.h"
#include "tests/support/scenario.h"

#include <cstdint>
#include <string>
#include <vector>

// The player and its grid state as they stood after one played frame.
struct PlayerSample {
    int x = 0, y = 0, step = 0;
    int column = 0, row = 0;
    Direction direction = Direction::None;
};

// Puts the player at (x, y) with fresh marks and walls, as if it had stepped
// there.
void PlacePlayer(int x, int y);
// Moves the five ghosts to the bottom-right corner (936, 696), far from
// where the tests play; run it every frame to keep them there.
void ParkGhosts();
// True once the sprite service loads the game's pictures (the player's
// strip and the glyphs); tests of pixels fail without them.
bool GamePicturesLoaded();
#define REQUIRE_PICTURES() \
    if (!GamePicturesLoaded()) FAIL() << "the game's pictures did not load"

// True if every non-black pixel of the sprite's current frame, placed with its
// top-left at (x, y), shows in the 1024 x 768 picture `pixels` (the parts on
// the picture, at least one pixel).
bool SpriteShownAt(const uint16_t* pixels, int sprite, int x, int y);
// The number of non-black pixels in the sprite's current frame.
int SpriteInkCount(int sprite);

// "<frame> call NAME" for every frame from `first` to `last`.
std::string CallEveryFrame(int first, int last, const std::string& name);

// Records the player after every played frame: a hook "watch" for the
// script (call it every frame with CallEveryFrame) that also parks the
// ghosts. samples[p] is the state after played frame p (frame 1 is the first).
class PlayerWatch {
public:
    explicit PlayerWatch(HeadlessRun& options);
    const std::vector<PlayerSample>& Samples() const { return samples_; }
    // the sample after played frame p
    const PlayerSample& After(int p) const { return samples_.at(p); }

private:
    std::vector<PlayerSample> samples_;
};
