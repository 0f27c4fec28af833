// Alt+Enter belongs to the window (it switches between full screen and a
// window), not to the game: from the moment both keys are down until both
// are up again, no Alt and no Enter key enters the game's key snapshot, so
// the chord never counts as a key press (the title menu's "any key", for
// one). Alt alone or Enter alone stay ordinary keys.
#pragma once

#include <SDL.h>

#include <cstdint>

class WindowChord {
public:
    // clears the chord's keys from the snapshot `keys` (game scan codes)
    // while the chord is held, judged from SDL's key state
    void Hide(const Uint8* state, int count, uint8_t keys[256]);

private:
    bool held_ = false;
};
