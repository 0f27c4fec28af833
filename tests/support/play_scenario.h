// Helpers for scenario tests of play: putting the player where a test needs
// it, keeping the ghosts out of the way, and watching the player frame by
// frame.
#pragma once

#include "shell/game_state.h"
#include "tests/support/scenario.h"

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
