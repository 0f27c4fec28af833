// Keyboard and joystick on SDL. The keyboard state comes from SDL's key
// table after pumping the event queue, turned into the game's scan codes by
// the key map; the joystick is the first one attached when it is opened.
#include "media/platform/machine.h"
#include "media/platform/platform.h"
#include "media/platform/sdl/sdl_key_map.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>

namespace {

constexpr int kButtonCount = 32;

struct Devices {
    bool keyboardOpen = false;
    bool joystickWanted = false;  // one was attached at start-up
    SDL_Joystick* joystick = nullptr;
};

Devices& TheDevices() {
    static Devices devices;
    return devices;
}

// SDL's axis range -32768 .. 32767 onto the game's -1000 .. 1000, each half
// onto its half, so that both directions need the same travel.
int ScaleAxis(Sint16 value) {
    return value >= 0 ? value * 1000 / 32767 : value * 1000 / 32768;
}

SDL_Joystick* OpenFirstJoystick() {
    for (int i = 0; i < SDL_NumJoysticks(); ++i) {
        if (SDL_Joystick* joystick = SDL_JoystickOpen(i)) return joystick;
    }
    return nullptr;
}

// A joystick that went away is closed, and whichever comes first now taken
// (none until one is plugged in again).
void ReacquireJoystick() {
    Devices& devices = TheDevices();
    if (devices.joystick) SDL_JoystickClose(devices.joystick);
    devices.joystick = OpenFirstJoystick();
}

}  // namespace

namespace platform {

// Key events reach SDL through the video subsystem (SDL counts its users).
bool machine::OpenKeyboard() {
    Devices& devices = TheDevices();
    if (!devices.keyboardOpen) devices.keyboardOpen = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
    return devices.keyboardOpen;
}

// Pumping fetches the key presses and releases that arrived since the last
// read; the events themselves stay queued for the window's own pump.
bool machine::ReadKeyboard(uint8_t keys[256]) {
    if (!TheDevices().keyboardOpen) return false;
    SDL_PumpEvents();
    int count = 0;
    const Uint8* state = SDL_GetKeyboardState(&count);
    std::memset(keys, 0, 256);
    for (const KeyMapping& mapping : KeyMap()) {
        if (mapping.sdl < count && state[mapping.sdl]) keys[mapping.code] = 0x80;
    }
    return true;
}

void CloseKeyboard() {
    Devices& devices = TheDevices();
    if (devices.keyboardOpen) SDL_QuitSubSystem(SDL_INIT_VIDEO);
    devices.keyboardOpen = false;
}

bool machine::OpenJoystick() {
    Devices& devices = TheDevices();
    if (devices.joystickWanted) return devices.joystick != nullptr;
    if (SDL_InitSubSystem(SDL_INIT_JOYSTICK) != 0) return false;
    devices.joystick = OpenFirstJoystick();
    devices.joystickWanted = devices.joystick != nullptr;
    if (!devices.joystickWanted) SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
    return devices.joystickWanted;
}

// A failed read gets the joystick again for the next one.
bool machine::ReadJoystick(JoystickReading& reading) {
    Devices& devices = TheDevices();
    if (!devices.joystickWanted) return false;
    SDL_JoystickUpdate();
    if (devices.joystick == nullptr || !SDL_JoystickGetAttached(devices.joystick)) {
        ReacquireJoystick();
        return false;
    }
    SDL_Joystick* joystick = devices.joystick;
    const int axes = SDL_JoystickNumAxes(joystick);
    reading.x = axes > 0 ? ScaleAxis(SDL_JoystickGetAxis(joystick, 0)) : 0;
    reading.y = axes > 1 ? ScaleAxis(SDL_JoystickGetAxis(joystick, 1)) : 0;
    const int buttons = std::min(SDL_JoystickNumButtons(joystick), kButtonCount);
    for (int i = 0; i < kButtonCount; ++i) {
        reading.buttons[i] = (i < buttons && SDL_JoystickGetButton(joystick, i)) ? 0x80 : 0;
    }
    return true;
}

void CloseJoystick() {
    Devices& devices = TheDevices();
    if (!devices.joystickWanted) return;
    if (devices.joystick) SDL_JoystickClose(devices.joystick);
    devices = Devices{devices.keyboardOpen};
    SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
}

}  // namespace platform
