// Keyboard and joystick snapshots.
#include "media/input.h"

#include "media/platform/platform.h"

#include <cstring>

namespace {
uint8_t snapshot[256] = {};
}  // namespace

int InitKeyboard() {
    std::memset(snapshot, 0, sizeof snapshot);
    return platform::OpenKeyboard() ? 1 : 0;
}
int PollKeyboard() { return platform::ReadKeyboard(snapshot) ? 1 : 0; }
int IsKeyHeld(int code) {
    if (code == -1) {
        for (int i = 0; i < 255; ++i) {
            if (snapshot[i] & 0x80) return 1;
        }
        return 0;
    }
    if (code < 0 || code > 255) return 0;
    return snapshot[code] & 0x80;
}
void EndKeyboard() { platform::CloseKeyboard(); }
int InitJoystick() { return 0; }
int PollJoystick() { return 0; }
int JoystickX() { return 0; }
int JoystickY() { return 0; }
int JoystickButton(int) { return 0; }
void EndJoystick() {}
int InitMouse() { return 1; }
void EndMouse() {}
