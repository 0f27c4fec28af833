// The keyboard on SDL. The keyboard state comes from SDL's key table after
// pumping the event queue, turned into the game's scan codes by the key map.
// Pads are in sdl_pads.cpp.
#include "platform/pad_keys.h"
#include "platform/machine.h"
#include "platform/platform.h"
#include "platform/sdl/sdl_event_pump.h"
#include "platform/sdl/sdl_key_map.h"
#include "platform/sdl/sdl_pad_reading.h"
#include "platform/sdl/sdl_window_chord.h"

#include <SDL.h>

#include <cstring>

namespace {

struct Devices {
    bool keyboardOpen = false;
    WindowChord chord;
};

Devices& TheDevices() {
    static Devices devices;
    return devices;
}

}  // namespace

namespace platform {

// Key events reach SDL through the video subsystem (SDL counts its users).
bool machine::OpenKeyboard() {
    Devices& devices = TheDevices();
    if (devices.keyboardOpen) return true;
    devices.keyboardOpen = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
    if (devices.keyboardOpen) devices.chord.Watch();
    return devices.keyboardOpen;
}

// Pumping fetches the key presses and releases that arrived since the last
// read; the events themselves stay queued for the window's own pump. A game
// controller then adds the keys its buttons press on the menus.
bool machine::ReadKeyboard(uint8_t keys[256]) {
    if (!TheDevices().keyboardOpen) return false;
    PumpInputEvents();
    int count = 0;
    const Uint8* state = SDL_GetKeyboardState(&count);
    std::memset(keys, 0, 256);
    for (const KeyMapping& mapping : KeyMap()) {
        if (mapping.sdl < count && state[mapping.sdl]) keys[mapping.code] = 0x80;
    }
    TheDevices().chord.Hide(state, count, keys);
    JoystickReading pad;
    padkeys::Press(ReadControllerButtons(pad), keys);
    return true;
}

void CloseKeyboard() {
    Devices& devices = TheDevices();
    if (devices.keyboardOpen) {
        devices.chord.StopWatching();
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }
    devices = Devices{};
}

}  // namespace platform
