// Clipping and the copy loops.
#include "pictures/blit.h"

#include <algorithm>
#include <cstring>
#include <utility>

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

namespace {

// whether the pixels of two width x height rectangles share any address
bool Overlap(const uint16_t* a, int aPitch, const uint16_t* b, int bPitch, int width, int height) {
    auto span = [&](const uint16_t* p, int pitch) {
        auto first = reinterpret_cast<uintptr_t>(p);
        return std::pair{first, first + sizeof(uint16_t) * (static_cast<size_t>(height - 1) * pitch + width)};
    };
    auto [aFirst, aEnd] = span(a, aPitch);
    auto [bFirst, bEnd] = span(b, bPitch);
    return aFirst < bEnd && bFirst < aEnd;
}

}  // namespace

// A sprite may be drawn onto its own image: overlapping rows are moved.
// Apart, they are copied, which is no faster here but far faster where the
// sanitizers check every move byte by byte. A column one pixel wide (the
// title banner's wave draws 621 a frame) goes pixel by pixel, row by row,
// which is the same either way.
void CopyOpaque(const uint16_t* source, int sourcePitch, uint16_t* target, int targetPitch, int width, int height) {
    if (width <= 0 || height <= 0) return;
    if (width == 1) {
        for (int y = 0; y < height; ++y) {
            target[static_cast<ptrdiff_t>(y) * targetPitch] = source[static_cast<ptrdiff_t>(y) * sourcePitch];
        }
        return;
    }
    size_t bytes = sizeof(uint16_t) * static_cast<size_t>(width);
    bool apart = !Overlap(source, sourcePitch, target, targetPitch, width, height);
    for (int y = 0; y < height; ++y) {
        uint16_t* to = target + static_cast<ptrdiff_t>(y) * targetPitch;
        const uint16_t* from = source + static_cast<ptrdiff_t>(y) * sourcePitch;
        if (apart) {
            std::memcpy(to, from, bytes);
        } else {
            std::memmove(to, from, bytes);
        }
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

// The first row is filled and copied to the others: as fast, and one check
// a row instead of one a pixel under the sanitizers.
void FillSurface(const Surface& surface, uint16_t value) {
    if (surface.width <= 0 || surface.height <= 0) return;
    std::fill_n(surface.Row(0), surface.width, value);
    for (int y = 1; y < surface.height; ++y) {
        std::memcpy(surface.Row(y), surface.Row(0), sizeof(uint16_t) * static_cast<size_t>(surface.width));
    }
}
