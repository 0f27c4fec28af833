// Turns one pad into the game's joystick reading. A pad SDL has a mapping
// for is read as a game controller: the left stick and the D-pad buttons
// steer, A (the south face) is button 1 and B (the east face) button 2. Any
// other pad is read as a plain joystick: axes 0 and 1 and its first hat
// steer, its own first two buttons are buttons 1 and 2. A direction pressed
// on the D-pad or hat wins over the stick on the same axis.
#pragma once

#include "platform/platform.h"

#include <SDL.h>

// the reading of a game controller
void ReadController(SDL_GameController* controller, platform::JoystickReading& reading);
// the reading of a plain joystick
void ReadPlainJoystick(SDL_Joystick* joystick, platform::JoystickReading& reading);
// The buttons of the attached pad when it is a game controller (read into
// `reading`, whose buttons it returns), for the keys pads press on the
// menus; nullptr for a plain joystick or no pad.
const uint8_t* ReadControllerButtons(platform::JoystickReading& reading);
