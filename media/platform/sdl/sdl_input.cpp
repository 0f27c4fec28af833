// Keyboard and joystick on SDL. Placeholder: nothing attached yet.
#include "media/platform/platform.h"

#include <SDL.h>
#include <cstring>

namespace platform {

bool OpenKeyboard() { return true; }
bool ReadKeyboard(uint8_t keys[256]) {
    std::memset(keys, 0, 256);
    return true;
}
void CloseKeyboard() {}
bool OpenJoystick() { return false; }
bool ReadJoystick(JoystickReading&) { return false; }
void CloseJoystick() {}

}  // namespace platform
