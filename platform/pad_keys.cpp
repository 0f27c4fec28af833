// The keys a game controller presses on the menus; see pad_keys.h.
#include "platform/pad_keys.h"

#include "platform/platform.h"

#include <algorithm>

namespace {

constexpr int kButtons = 32;
constexpr size_t kMostKeys = 8;

struct PadKeys {
    platform::PadKey chosen[kMostKeys] = {};
    size_t count = 0;
    bool fresh = false;         // chosen since the last read
    bool stale[kButtons] = {};  // held when the keys were chosen, not let go since
};

PadKeys& ThePadKeys() {
    static PadKeys keys;
    return keys;
}

}  // namespace

namespace platform {

void PressKeysWithPad(const PadKey* keys, size_t count) {
    PadKeys& pad = ThePadKeys();
    pad.count = std::min(count, kMostKeys);
    std::copy(keys, keys + pad.count, pad.chosen);
    pad.fresh = true;
}

namespace padkeys {

// The first read after a choice marks the buttons held then; a mark goes
// when its button is let go.
void Press(const uint8_t* buttons, uint8_t keys[256]) {
    PadKeys& pad = ThePadKeys();
    bool held[kButtons];
    for (int i = 0; i < kButtons; ++i) {
        held[i] = buttons != nullptr && (buttons[i] & 0x80) != 0;
        if (pad.fresh) pad.stale[i] = held[i];
        if (!held[i]) pad.stale[i] = false;
    }
    pad.fresh = false;
    for (size_t k = 0; k < pad.count; ++k) {
        int i = pad.chosen[k].button - 1;
        if (i >= 0 && i < kButtons && held[i] && !pad.stale[i]) keys[pad.chosen[k].code] = 0x80;
    }
}

}  // namespace padkeys

}  // namespace platform
