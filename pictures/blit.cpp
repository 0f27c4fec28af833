// Clipping and the copy loops.
#include "pictures/blit.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

bool ClipDraw(int x, int y, int frameWidth, int frameHeight, int targetWidth, int targetHeight, ClippedDraw& out) {
    int w = frameWidth, h = frameHeight;
    if (!(x < targetWidth && y < targetHeight && x > -w && y > -h)) return false;
    if (x + w > targetWidth) w = targetWidth - x;
    if (y + h > targetHeight) h = targetHeight - y;
    out.sourceX = x < 0 ? -x : 0;
    out.sourceY = y < 0 ? -y : 0;
    out.targetX = std::max(x, 0);
    out.targetY = std::max(y, 0);
    out.width = w - out.sourceX;
    out.height = h - out.sourceY;
    return out.width > 0 && out.height > 0;
}

void CopyOpaque(const uint16_t* source, int sourcePitch, uint16_t* target, int targetPitch, int width, int height) {
    size_t bytes = sizeof(uint16_t) * static_cast<size_t>(width);
    for (int y = 0; y < height; ++y) {
        // memmove: a sprite may be drawn onto its own image.
        std::memmove(target + static_cast<ptrdiff_t>(y) * targetPitch, source + static_cast<ptrdiff_t>(y) * sourcePitch,
                     bytes);
    }
}

namespace {

// One row of the keyed copy. Eight pixels at a time: where the source is 0
// the target keeps its pixel, elsewhere it takes the source's.
void CopyKeyedRow(const uint16_t* source, uint16_t* target, int width) {
    int x = 0;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    for (; x + 8 <= width; x += 8) {
        __m128i in = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + x));
        __m128i keep = _mm_cmpeq_epi16(in, zero);
        __m128i old = _mm_loadu_si128(reinterpret_cast<const __m128i*>(target + x));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(target + x), _mm_or_si128(in, _mm_and_si128(old, keep)));
    }
#endif
    for (; x < width; ++x) {
        uint16_t pixel = source[x];
        if (pixel != 0) target[x] = pixel;
    }
}

}  // namespace

void CopyKeyed(const uint16_t* source, int sourcePitch, uint16_t* target, int targetPitch, int width, int height) {
    for (int y = 0; y < height; ++y) {
        CopyKeyedRow(source + static_cast<ptrdiff_t>(y) * sourcePitch, target + static_cast<ptrdiff_t>(y) * targetPitch,
                     width);
    }
}

void FillSurface(const Surface& surface, uint16_t value) {
    for (int y = 0; y < surface.height; ++y) std::fill_n(surface.Row(y), surface.width, value);
}
