// Reading a game controller or a plain joystick; see sdl_pad_reading.h.
#include "platform/sdl/sdl_pad_reading.h"

#include <algorithm>

namespace {

constexpr int kButtonCount = 32;
constexpr int kFullTravel = 1000;

// SDL's axis range -32768 .. 32767 onto the game's -1000 .. 1000, each half
// onto its half, so that both directions need the same travel.
int ScaleAxis(Sint16 value) {
    return value >= 0 ? value * 1000 / 32767 : value * 1000 / 32768;
}

// -1, 0 or 1 from a pair of opposite digital directions
int DigitalAxis(bool negative, bool positive) {
    return (positive ? 1 : 0) - (negative ? 1 : 0);
}

// a digital direction, when one is pressed, in place of the stick
int Steer(int stickAxis, int digital) {
    return digital != 0 ? digital * kFullTravel : stickAxis;
}

bool Pressed(SDL_GameController* controller, SDL_GameControllerButton button) {
    return SDL_GameControllerGetButton(controller, button) != 0;
}

}  // namespace

// SDL numbers the controller buttons from A and B on, so the game's button n
// is SDL's button n - 1 (the D-pad buttons are among the later ones).
void ReadController(SDL_GameController* controller, platform::JoystickReading& reading) {
    int left = DigitalAxis(Pressed(controller, SDL_CONTROLLER_BUTTON_DPAD_LEFT),
                           Pressed(controller, SDL_CONTROLLER_BUTTON_DPAD_RIGHT));
    int up = DigitalAxis(Pressed(controller, SDL_CONTROLLER_BUTTON_DPAD_UP),
                         Pressed(controller, SDL_CONTROLLER_BUTTON_DPAD_DOWN));
    reading.x = Steer(ScaleAxis(SDL_GameControllerGetAxis(controller, SDL_CONTROLLER_AXIS_LEFTX)), left);
    reading.y = Steer(ScaleAxis(SDL_GameControllerGetAxis(controller, SDL_CONTROLLER_AXIS_LEFTY)), up);
    for (int i = 0; i < kButtonCount; ++i) {
        bool known = i < SDL_CONTROLLER_BUTTON_MAX;
        reading.buttons[i] = known && Pressed(controller, static_cast<SDL_GameControllerButton>(i)) ? 0x80 : 0;
    }
}

void ReadPlainJoystick(SDL_Joystick* joystick, platform::JoystickReading& reading) {
    const int axes = SDL_JoystickNumAxes(joystick);
    Uint8 hat = SDL_JoystickNumHats(joystick) > 0 ? SDL_JoystickGetHat(joystick, 0) : SDL_HAT_CENTERED;
    int hatX = DigitalAxis((hat & SDL_HAT_LEFT) != 0, (hat & SDL_HAT_RIGHT) != 0);
    int hatY = DigitalAxis((hat & SDL_HAT_UP) != 0, (hat & SDL_HAT_DOWN) != 0);
    reading.x = Steer(axes > 0 ? ScaleAxis(SDL_JoystickGetAxis(joystick, 0)) : 0, hatX);
    reading.y = Steer(axes > 1 ? ScaleAxis(SDL_JoystickGetAxis(joystick, 1)) : 0, hatY);
    const int buttons = std::min(SDL_JoystickNumButtons(joystick), kButtonCount);
    for (int i = 0; i < kButtonCount; ++i) {
        reading.buttons[i] = (i < buttons && SDL_JoystickGetButton(joystick, i)) ? 0x80 : 0;
    }
}
