// Rectangle copies between 16-bit pixel stores: the clipping rule of the
// Draw operations and the copy loops themselves (opaque row copies and the
// keyed copy that leaves out pixels of value 0). Pure functions on memory,
// shared by the display service and its benchmarks.
#pragma once

#include <cstddef>
#include <cstdint>

// A block of pixels: `pitch` pixels from one row to the next.
struct Surface {
    uint16_t* pixels = nullptr;
    int width = 0, height = 0;
    int pitch = 0;
    uint16_t* Row(int y) const { return pixels + static_cast<ptrdiff_t>(y) * pitch; }
};

// What remains of a frame drawn with its top-left at (x, y) on a target:
// the offset inside the frame, the target position and the visible size.
struct ClippedDraw {
    int sourceX = 0, sourceY = 0;
    int targetX = 0, targetY = 0;
    int width = 0, height = 0;
};

// Clips a frameWidth x frameHeight frame drawn at (x, y) to a target of
// targetWidth x targetHeight; false when nothing of it is visible.
bool ClipDraw(int x, int y, int frameWidth, int frameHeight, int targetWidth, int targetHeight, ClippedDraw& out);

// copies width x height pixels, rows `sourcePitch` and `targetPitch` apart;
// source and target may be the same store
void CopyOpaque(const uint16_t* source, int sourcePitch, uint16_t* target, int targetPitch, int width, int height);
// the same, leaving out source pixels of value 0
void CopyKeyed(const uint16_t* source, int sourcePitch, uint16_t* target, int targetPitch, int width, int height);
// every pixel of the surface becomes `value`
void FillSurface(const Surface& surface, uint16_t value);
