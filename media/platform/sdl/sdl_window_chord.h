// Alt+Enter belongs to the window (it switches between full screen and a
// window), not to the game: from the moment both keys are down until both
// are up again, no Alt and no Enter key enters the game's key snapshot, so
// the chord never counts as a key press (the title menu's "any key", for
// one). Alt alone or Enter alone stay ordinary keys.
//
// A player presses Alt first and Enter a moment later, so a lone Alt is
// held back for a short while to see whether Enter follows: held longer, it
// enters the snapshot; let go sooner (a tap), it enters one snapshot then.
#pragma once

#include <SDL.h>

#include <cstdint>

class WindowChord {
public:
    // how long a lone Alt waits for Enter, in milliseconds
    static constexpr uint32_t kWaitForEnterMs = 250;

    // Clears the chord's keys from the snapshot `keys` (game scan codes) as
    // above, judged from SDL's key state at `nowMs` (SDL's tick count).
    void Hide(const Uint8* state, int count, uint8_t keys[256], uint32_t nowMs);

private:
    void HoldBackLoneAlt(bool alt, uint8_t keys[256], uint32_t nowMs);

    enum class LoneAlt { Up, Waiting, Shown };
    bool held_ = false;            // the chord is down, or being let go
    LoneAlt alt_ = LoneAlt::Up;
    uint32_t altSince_ = 0;        // when a lone Alt went down
    uint8_t altCodes_[2] = {};     // which Alt keys are waiting (game codes, 0 = none)
};
