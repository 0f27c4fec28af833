// Tick arithmetic for the game's timers. Ticks are millisecond counts that
// wrap like the system tick; differences are taken modulo 2^32 (or 2^16 for
// the ghosts' roll timers) and read back as signed values, so a timer keeps
// working across the wrap and never overflows.
#pragma once

#include "core/values.h"

#include <cstdint>

// milliseconds from `tick` to `now`, as a signed 32-bit difference
constexpr int32_t TickDifference(int32_t now, int32_t tick) {
    return static_cast<int32_t>(static_cast<uint32_t>(now) - static_cast<uint32_t>(tick));
}

// milliseconds since `tick` by the game's clock
inline int32_t TicksSince(int32_t tick) {
    return TickDifference(GetTickCount(), tick);
}

// `tick` moved forward by `ms`, wrapping like the clock
constexpr int32_t TickPlus(int32_t tick, int32_t ms) {
    return static_cast<int32_t>(static_cast<uint32_t>(tick) + static_cast<uint32_t>(ms));
}

// the low 16 bits of a value, read as a signed word
constexpr int16_t LowWord(int32_t value) {
    return static_cast<int16_t>(static_cast<uint16_t>(static_cast<uint32_t>(value) & 0xFFFFu));
}
