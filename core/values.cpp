// Value helpers: colours, rounding, decimal text, the tick count and pauses.
#include "core/values.h"

#include "platform/platform.h"

int32_t MixColour(int32_t r, int32_t g, int32_t b) {
    // Wrapping arithmetic: out-of-range components spill into the next byte.
    uint32_t value = static_cast<uint32_t>(r) + static_cast<uint32_t>(g) * 256u + static_cast<uint32_t>(b) * 65536u;
    return static_cast<int32_t>(value);
}

int32_t RoundToInt(float value) {
    if (!(value == value)) return 0;  // NaN
    if (value >= 2147483647.0f) return INT32_MAX;
    if (value <= -2147483648.0f) return INT32_MIN;
    return static_cast<int32_t>(value);  // conversion truncates toward zero
}

std::string IntToText(int32_t n) {
    return std::to_string(n);
}

int32_t TextToInt(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    uint32_t value = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        value = value * 10u + static_cast<uint32_t>(text[i] - '0');
        ++i;
    }
    if (negative) value = 0u - value;
    return static_cast<int32_t>(value);
}

int32_t CharCode(const std::string& text) {
    return text.empty() ? 0 : static_cast<unsigned char>(text[0]);
}

int32_t GetTickCount() {
    return static_cast<int32_t>(platform::TickCount());
}

void Pause(int32_t ms) {
    if (ms > 0) platform::SleepMs(static_cast<uint32_t>(ms));
}

int32_t NearestInt(double value) {
    if (!(value == value)) return 0;
    if (value >= 2147483647.0) return INT32_MAX;
    if (value <= -2147483648.0) return INT32_MIN;
    // Added to 1.5 * 2^52, a value of this range keeps no fraction: the sum
    // is rounded to the nearest integer, halves to the even one (the default
    // mode), and taking 1.5 * 2^52 away again is exact. The same as
    // nearbyint, which some C libraries (MinGW's) run through the x87 unit
    // at many times the cost.
    constexpr double kNoFraction = 6755399441055744.0;
    return static_cast<int32_t>((value + kNoFraction) - kNoFraction);
}
