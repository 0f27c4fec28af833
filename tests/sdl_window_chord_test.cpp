// Alt+Enter stays out of the game's key snapshot from the moment both keys
// are down until both are up; Alt alone and Enter alone are ordinary keys.
#include "media/platform/sdl/sdl_window_chord.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace {

constexpr uint8_t kAlt = 0x38, kEnter = 0x1C;

TEST(WindowChord, HidesAltAndEnterWhileTheChordIsHeld) {
    const struct {
        std::initializer_list<SDL_Scancode> down;
        bool altSeen, enterSeen;
    } steps[] = {
        {{SDL_SCANCODE_LALT}, true, false},                          // Alt alone
        {{SDL_SCANCODE_LALT, SDL_SCANCODE_RETURN}, false, false},    // the chord
        {{SDL_SCANCODE_LALT}, false, false},                         // still the chord being let go
        {{}, false, false},
        {{SDL_SCANCODE_RETURN}, false, true},                        // Enter alone
        {{SDL_SCANCODE_RALT, SDL_SCANCODE_KP_ENTER}, false, false},  // the other Alt and Enter
        {{SDL_SCANCODE_KP_ENTER}, false, false},
        {{SDL_SCANCODE_SPACE}, false, false},                        // both up: over, other keys unaffected
        {{SDL_SCANCODE_LALT}, true, false},
    };
    WindowChord chord;
    int step = 0;
    for (const auto& s : steps) {
        Uint8 state[SDL_NUM_SCANCODES] = {};
        uint8_t keys[256] = {};
        for (SDL_Scancode key : s.down) state[key] = 1;
        if (state[SDL_SCANCODE_LALT] || state[SDL_SCANCODE_RALT]) keys[kAlt] = 0x80;
        if (state[SDL_SCANCODE_RETURN] || state[SDL_SCANCODE_KP_ENTER]) keys[kEnter] = 0x80;
        if (state[SDL_SCANCODE_SPACE]) keys[0x39] = 0x80;
        chord.Hide(state, SDL_NUM_SCANCODES, keys);
        EXPECT_EQ(keys[kAlt] != 0, s.altSeen) << "step " << step;
        EXPECT_EQ(keys[kEnter] != 0, s.enterSeen) << "step " << step;
        EXPECT_EQ(keys[0x39] != 0, s.down.size() == 1 && *s.down.begin() == SDL_SCANCODE_SPACE) << "step " << step;
        ++step;
    }
}

}  // namespace
