// Alt+Enter stays out of the game's key snapshot from the moment both keys
// are down until both are up; Alt alone and Enter alone are ordinary keys,
// a lone Alt only after a short wait for Enter (or at once when let go).
#include "media/platform/sdl/sdl_window_chord.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace {

constexpr uint8_t kAlt = 0x38, kRightAlt = 0xB8, kEnter = 0x1C, kSpace = 0x39;
constexpr uint32_t kWait = WindowChord::kWaitForEnterMs;

struct Step {
    uint32_t atMs;
    std::initializer_list<SDL_Scancode> down;
    std::initializer_list<uint8_t> seen;  // the chord's and Space's codes in the snapshot
};

void Play(std::initializer_list<Step> steps) {
    WindowChord chord;
    for (const Step& step : steps) {
        Uint8 state[SDL_NUM_SCANCODES] = {};
        uint8_t keys[256] = {};
        for (SDL_Scancode key : step.down) state[key] = 1;
        keys[kAlt] = state[SDL_SCANCODE_LALT] ? 0x80 : 0;
        keys[kRightAlt] = state[SDL_SCANCODE_RALT] ? 0x80 : 0;
        keys[kEnter] = state[SDL_SCANCODE_RETURN] ? 0x80 : 0;
        keys[kSpace] = state[SDL_SCANCODE_SPACE] ? 0x80 : 0;
        chord.Hide(state, SDL_NUM_SCANCODES, keys, step.atMs);
        for (uint8_t code : {kAlt, kRightAlt, kEnter, kSpace}) {
            bool expected = false;
            for (uint8_t seen : step.seen) expected = expected || seen == code;
            EXPECT_EQ(keys[code] != 0, expected) << "at " << step.atMs << " ms, code " << int(code);
        }
    }
}

TEST(WindowChord, TheChordNeverEntersTheSnapshot) {
    Play({{0, {SDL_SCANCODE_LALT}, {}},                          // Alt waits for Enter
          {20, {SDL_SCANCODE_LALT, SDL_SCANCODE_RETURN}, {}},    // the chord
          {40, {SDL_SCANCODE_LALT}, {}},                         // being let go
          {60, {SDL_SCANCODE_RETURN}, {}},
          {80, {}, {}},
          {100, {SDL_SCANCODE_RALT, SDL_SCANCODE_RETURN}, {}},   // pressed together
          {120, {SDL_SCANCODE_SPACE}, {kSpace}}});
}

TEST(WindowChord, AltAloneAndEnterAloneStayOrdinaryKeys) {
    Play({{0, {SDL_SCANCODE_RETURN}, {kEnter}},
          {20, {}, {}},
          {40, {SDL_SCANCODE_LALT}, {}},
          {40 + kWait - 1, {SDL_SCANCODE_LALT}, {}},
          {40 + kWait, {SDL_SCANCODE_LALT}, {kAlt}},             // held: shown after the wait
          {60 + kWait, {SDL_SCANCODE_LALT, SDL_SCANCODE_SPACE}, {kAlt, kSpace}},
          {1000, {}, {}},
          {1020, {SDL_SCANCODE_RALT}, {}},
          {1040, {}, {kRightAlt}},                               // a tap: shown once when let go
          {1060, {}, {}}});
}

}  // namespace
