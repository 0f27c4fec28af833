// Pads on the menus, and the rest of a wait for a key.
#include "input/input.h"
#include "platform/platform.h"

#include <algorithm>

namespace {

constexpr size_t kMostPresses = 8;
// a wait for a key reads the keys a hundred times a second
constexpr uint32_t kRestMicros = 10000;

}  // namespace

PadPresses::PadPresses(std::span<const PadPress> presses) {
    platform::PadKey keys[kMostPresses];
    size_t count = std::min(presses.size(), kMostPresses);
    for (size_t i = 0; i < count; ++i) {
        keys[i].button = presses[i].button;
        keys[i].code = static_cast<uint8_t>(presses[i].key);
    }
    platform::PressKeysWithPad(keys, count);
}

PadPresses::~PadPresses() { platform::PressKeysWithPad(nullptr, 0); }

void RestBetweenReads() {
    platform::PumpWindowEvents();
    platform::IdleMicros(kRestMicros);
}
