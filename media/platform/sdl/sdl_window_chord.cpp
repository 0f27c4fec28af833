// The Alt+Enter chord kept out of the key snapshot; see sdl_window_chord.h.
#include "media/platform/sdl/sdl_window_chord.h"

namespace {

// the game codes of both Alt keys and both Enter keys
constexpr uint8_t kChordCodes[] = {0x38, 0xB8, 0x1C, 0x9C};

bool Down(const Uint8* state, int count, SDL_Scancode key) {
    return key < count && state[key] != 0;
}

}  // namespace

void WindowChord::Hide(const Uint8* state, int count, uint8_t keys[256]) {
    bool alt = Down(state, count, SDL_SCANCODE_LALT) || Down(state, count, SDL_SCANCODE_RALT);
    bool enter = Down(state, count, SDL_SCANCODE_RETURN) || Down(state, count, SDL_SCANCODE_KP_ENTER);
    if (alt && enter) held_ = true;
    if (!alt && !enter) held_ = false;
    if (!held_) return;
    for (uint8_t code : kChordCodes) keys[code] = 0;
}
