// Pads on SDL: one pad at a time, the first attached, opened as a game
// controller when SDL has a mapping for it (its built-in ones, those in
// SDL_GAMECONTROLLERCONFIG, and a gamecontrollerdb.txt in the player's
// settings folder) and as a plain joystick otherwise. Pads come and go while
// the game runs: a read with no pad, or with the pad pulled out, looks for
// one among those attached now.
#include "platform/machine.h"
#include "platform/platform.h"
#include "platform/sdl/sdl_pad_reading.h"

#include <SDL.h>

namespace {

struct Pad {
    bool serviceOpen = false;
    SDL_GameController* controller = nullptr;
    SDL_Joystick* joystick = nullptr;  // the plain joystick, or the controller's own
};

Pad& ThePad() {
    static Pad pad;
    return pad;
}

// The player's own mappings, for pads SDL does not know; a missing or
// damaged file adds nothing, and so does having no settings folder.
void AddPlayerMappings() {
    std::string folder = platform::SettingsDirectory();
    std::string text;
    if (folder.empty()) return;
    if (platform::ReadPlayerFile(folder + "gamecontrollerdb.txt", text) != platform::PlayerFileRead::Read) return;
    SDL_RWops* stream = SDL_RWFromConstMem(text.data(), static_cast<int>(text.size()));
    if (stream != nullptr) SDL_GameControllerAddMappingsFromRW(stream, 1);
}

void ReleasePad(Pad& pad) {
    if (pad.controller != nullptr) {
        SDL_GameControllerClose(pad.controller);
    } else if (pad.joystick != nullptr) {
        SDL_JoystickClose(pad.joystick);
    }
    pad.controller = nullptr;
    pad.joystick = nullptr;
}

bool OpenPad(Pad& pad, int index) {
    if (SDL_IsGameController(index)) {
        pad.controller = SDL_GameControllerOpen(index);
        pad.joystick = pad.controller ? SDL_GameControllerGetJoystick(pad.controller) : nullptr;
    } else {
        pad.joystick = SDL_JoystickOpen(index);
    }
    if (pad.joystick == nullptr) ReleasePad(pad);
    return pad.joystick != nullptr;
}

void TakeFirstPad(Pad& pad) {
    ReleasePad(pad);
    for (int i = 0; i < SDL_NumJoysticks(); ++i) {
        if (OpenPad(pad, i)) return;
    }
}

// Brings the pad's state up to date; false when no pad is attached.
bool AttachedPad(Pad& pad) {
    if (!pad.serviceOpen) return false;
    SDL_GameControllerUpdate();
    if (pad.joystick == nullptr || !SDL_JoystickGetAttached(pad.joystick)) TakeFirstPad(pad);
    return pad.joystick != nullptr;
}

}  // namespace

const uint8_t* ReadControllerButtons(platform::JoystickReading& reading) {
    Pad& pad = ThePad();
    if (!AttachedPad(pad) || pad.controller == nullptr) return nullptr;
    ReadController(pad.controller, reading);
    return reading.buttons;
}

namespace platform {

// The service opens even with no pad attached, so that one plugged in later
// is read at once.
bool machine::OpenJoystick() {
    Pad& pad = ThePad();
    if (pad.serviceOpen) return true;
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) return false;
    AddPlayerMappings();
    pad.serviceOpen = true;
    TakeFirstPad(pad);
    return true;
}

// Updating the controllers updates the joysticks and notices pads that were
// plugged in or pulled out.
bool machine::ReadJoystick(JoystickReading& reading) {
    Pad& pad = ThePad();
    if (!AttachedPad(pad)) return false;
    if (pad.controller != nullptr) {
        ReadController(pad.controller, reading);
    } else {
        ReadPlainJoystick(pad.joystick, reading);
    }
    return true;
}

void CloseJoystick() {
    Pad& pad = ThePad();
    if (!pad.serviceOpen) return;
    ReleasePad(pad);
    pad.serviceOpen = false;
    SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

}  // namespace platform
