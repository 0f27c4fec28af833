// Which SDL scancode is which of the game's scan codes.
//
// The game names keys by the codes of the PC keyboard's hardware scan set
// (the codes a DirectInput keyboard reports: Escape 0x01, Space 0x39, the
// extended keys from 0x9C up, Up arrow 0xC8, ...). This table gives every SDL
// scancode that has such a code its code, so that each code means the same
// physical key on every system. A few SDL scancodes share one code where they
// are the same physical key.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <span>

struct KeyMapping {
    SDL_Scancode sdl;
    uint8_t code;
};

// the whole table, one entry per SDL scancode that has a game code
std::span<const KeyMapping> KeyMap();
