// The joystick: axes turned into three-way directions, buttons kept as read.
#include "input/input.h"

#include "platform/platform.h"

#include <cstring>

namespace {

// An axis must go strictly beyond half its range (-1000 .. 1000) to count.
constexpr int kAxisThreshold = 500;
constexpr int kButtonCount = 32;

struct Joystick {
    bool open = false;
    int x = 0, y = 0;  // directions: -1, 0, 1
    uint8_t buttons[kButtonCount] = {};
};

Joystick& TheJoystick() {
    static Joystick joystick;
    return joystick;
}

int Direction(int axis) {
    if (axis < -kAxisThreshold) return -1;
    if (axis > kAxisThreshold) return 1;
    return 0;
}

}  // namespace

int InitJoystick() {
    Joystick& joystick = TheJoystick();
    joystick = Joystick{};
    joystick.open = platform::OpenJoystick();
    return joystick.open ? 1 : 0;
}

// Directions and buttons are cleared first, so a failed read (a pad pulled
// out with a button held) leaves nothing pressed.
int PollJoystick() {
    Joystick& joystick = TheJoystick();
    joystick.x = 0;
    joystick.y = 0;
    std::memset(joystick.buttons, 0, sizeof joystick.buttons);
    if (!joystick.open) return 0;
    platform::JoystickReading reading;
    if (!platform::ReadJoystick(reading)) return 0;
    joystick.x = Direction(reading.x);
    joystick.y = Direction(reading.y);
    std::memcpy(joystick.buttons, reading.buttons, sizeof joystick.buttons);
    return 1;
}

int JoystickX() { return TheJoystick().x; }
int JoystickY() { return TheJoystick().y; }

int JoystickButton(int n) {
    if (n < 1 || n > kButtonCount) return 0;
    return TheJoystick().buttons[n - 1] & 0x80;
}

void EndJoystick() {
    Joystick& joystick = TheJoystick();
    if (joystick.open) platform::CloseJoystick();
    joystick = Joystick{};
}
