// The keys a game controller presses on the menus (PressKeysWithPad in
// platform.h), shared by the backends' keyboard reads.
#pragma once

#include <cstdint>

namespace platform::padkeys {

// Presses into `keys` (game scan codes) the key of every chosen button held
// in `buttons` (a controller's reading, 0x80 = held, button 1 first);
// `buttons` == nullptr when no controller is attached.
void Press(const uint8_t* buttons, uint8_t keys[256]);

}  // namespace platform::padkeys
