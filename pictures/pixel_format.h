// The 16-bit pixel layouts of the display and the conversions into them.
// The screen and every sprite hold 5:6:5 pixels (red in bits 11-15, green in
// 5-10, blue in 0-4). A display that packs 5:5:5 (red in bits 10-14) only
// changes what the picture decoder writes. Value 0 is the transparent colour,
// so every near-black colour (red < 8, green < 4, blue < 8) becomes
// transparent.
#pragma once

#include <cstdint>

// a 24-bit colour in the 5:6:5 layout
constexpr uint16_t Pack565(uint32_t red, uint32_t green, uint32_t blue) {
    return static_cast<uint16_t>(((red >> 3) << 11) | ((green >> 2) << 5) | (blue >> 3));
}

// a 24-bit colour in the 5:5:5 layout
constexpr uint16_t Pack555(uint32_t red, uint32_t green, uint32_t blue) {
    return static_cast<uint16_t>(((red >> 3) << 10) | ((green >> 3) << 5) | (blue >> 3));
}

// a 24-bit colour in the display's layout
constexpr uint16_t PackPixel(uint32_t red, uint32_t green, uint32_t blue, bool layout555) {
    return layout555 ? Pack555(red, green, blue) : Pack565(red, green, blue);
}

// a 5:5:5 pixel in the 5:6:5 layout: green's five bits move up one place, so
// its lowest bit stays 0 (white 0x7FFF becomes 0xFFDF)
constexpr uint16_t Widen555To565(uint32_t pixel) {
    uint32_t red = (pixel >> 10) & 31, green = (pixel >> 5) & 31, blue = pixel & 31;
    return static_cast<uint16_t>((red << 11) | (green << 6) | blue);
}

// a 0x00BBGGRR colour (red in the low byte) in the 5:6:5 layout
constexpr uint16_t ColourTo565(int32_t colour) {
    uint32_t c = static_cast<uint32_t>(colour);
    return static_cast<uint16_t>(((c & 0xF8) << 8) | ((c & 0xFC00) >> 5) | ((c & 0xF80000) >> 19));
}

// the 24-bit colour a 5:6:5 pixel stands for, low bits zero (white 0xFFFF
// gives 248, 252, 248)
struct Rgb {
    uint8_t red, green, blue;
};
constexpr Rgb Unpack565(uint16_t pixel) {
    return Rgb{static_cast<uint8_t>((pixel >> 11) * 8), static_cast<uint8_t>(((pixel >> 5) & 63) * 4),
               static_cast<uint8_t>((pixel & 31) * 8)};
}
