// The software frame limiter of PresentFrame: after each presented frame it
// waits until one interval of the fine counter has passed since the previous
// frame was released. It sleeps on the system timer until about 0.3 ms
// remain and spins on the counter for the rest, so it neither burns a core
// nor loses precision.
#pragma once

#include <cstdint>

// sets the cap in frames per second (0 = off); non-zero if a fine counter exists
int SetFrameCap(int fps);
// waits for the next frame's release time when a cap is set
void WaitForFrameRelease();
// the limiter's interval in counter ticks (0 when off), for tests
int64_t FrameInterval();
// forgets the cap (start-up)
void ResetFrameLimiter();
