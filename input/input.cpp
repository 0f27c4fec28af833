// The keyboard snapshot: 256 bytes under the game's scan codes, replaced only
// by a successful read.
#include "input/input.h"

#include "platform/platform.h"

#include <cstdint>
#include <cstring>

namespace {

struct Keyboard {
    bool open = false;
    uint8_t snapshot[256] = {};
};

Keyboard& TheKeyboard() {
    static Keyboard keyboard;
    return keyboard;
}

}  // namespace

int InitKeyboard() {
    Keyboard& keyboard = TheKeyboard();
    std::memset(keyboard.snapshot, 0, sizeof keyboard.snapshot);
    keyboard.open = platform::OpenKeyboard();
    return keyboard.open ? 1 : 0;
}

// A failed read (the keyboard was lost, typically with the focus) keeps the
// previous snapshot; the platform gets the keyboard back for the next read.
int PollKeyboard() {
    Keyboard& keyboard = TheKeyboard();
    if (!keyboard.open) return 0;
    uint8_t fresh[256];
    if (!platform::ReadKeyboard(fresh)) return 0;
    std::memcpy(keyboard.snapshot, fresh, sizeof fresh);
    return 1;
}

// Code -1 asks for any key but the last one (255), and answers 1, not 0x80.
int IsKeyHeld(int code) {
    const Keyboard& keyboard = TheKeyboard();
    if (code == kAnyKey) {
        for (int i = 0; i < 255; ++i) {
            if (keyboard.snapshot[i] & 0x80) return 1;
        }
        return 0;
    }
    if (code < 0 || code > 255) return 0;
    return keyboard.snapshot[code] & 0x80;
}

void EndKeyboard() {
    Keyboard& keyboard = TheKeyboard();
    if (keyboard.open) platform::CloseKeyboard();
    keyboard.open = false;
    std::memset(keyboard.snapshot, 0, sizeof keyboard.snapshot);
}

// The game never reads the mouse; nothing to open.
int InitMouse() { return 1; }
void EndMouse() {}
