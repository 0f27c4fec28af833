// The frame limiter.
#include "pictures/frame_limiter.h"

#include "platform/platform.h"

namespace {

struct Limiter {
    int fps = 0;
    int64_t interval = 0;  // counter ticks between released frames
    int64_t previous = 0;  // counter value at which the previous frame was released
};

Limiter& TheLimiter() {
    static Limiter limiter;
    return limiter;
}

// The wait rests until this close to the release time and then watches the
// counter, so that a late wake-up of the system timer never delays a frame.
constexpr int64_t kSpinMicros = 300;

}  // namespace

// interval = frequency / (fps + 1): a cap of 75 lets up to 76 frames a second
// through, so the limiter never drops a frame the display could show.
int SetFrameCap(int fps) {
    uint64_t frequency = platform::CounterFrequency();
    if (frequency == 0) return 0;
    Limiter& limiter = TheLimiter();
    limiter.fps = fps > 0 ? fps : 0;
    limiter.interval = limiter.fps > 0 ? static_cast<int64_t>(frequency / (static_cast<uint64_t>(limiter.fps) + 1)) : 0;
    limiter.previous = 0;
    return 1;
}

// The whole 64-bit counter is compared: its low half wraps every few seconds
// on a nanosecond counter, and restarting the wait at each wrap would make a
// frame twice as long.
void WaitForFrameRelease() {
    Limiter& limiter = TheLimiter();
    if (limiter.fps == 0) return;
    int64_t frequency = static_cast<int64_t>(platform::CounterFrequency());
    int64_t spinTicks = frequency * kSpinMicros / 1000000;
    int64_t now = static_cast<int64_t>(platform::CounterNow());
    while (now - limiter.previous <= limiter.interval) {
        int64_t left = limiter.interval - (now - limiter.previous);
        if (left > spinTicks) platform::IdleMicros(static_cast<uint32_t>((left - spinTicks) * 1000000 / frequency));
        now = static_cast<int64_t>(platform::CounterNow());
    }
    limiter.previous = now;
}

int64_t FrameInterval() {
    return TheLimiter().interval;
}

void ResetFrameLimiter() {
    TheLimiter() = Limiter{};
}
