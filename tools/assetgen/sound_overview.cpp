// The sound review sheet: each sound as a labelled tile, its waveform (the
// lowest and highest sample under each pixel column, full scale at the
// strip's edges) above its spectrogram (0 Hz at the bottom to 11025 Hz at the
// top, louder brighter, -90 dB black).
#include <algorithm>
#include <cctype>
#include <cmath>
#include <complex>
#include <cstdio>

#include "tools/assetgen/sound_overview.h"
#include "tools/assetgen/stroke_font.h"

namespace {

constexpr int kSheetWidth = 1660;
constexpr int kGap = 14;
constexpr int kLabelHeight = 18;
constexpr int kWindow = 512;  // spectrogram window, samples
constexpr float kFloorDb = -90;
constexpr double kTwoPi = 6.283185307179586;

struct Strips {
    int width, waveHeight, spectrumHeight;
};

// in-place radix-2 transform of a power-of-two length
void Transform(std::vector<std::complex<float>>& a) {
    size_t n = a.size();
    for (size_t i = 1, j = 0; i < n; ++i) {
        size_t bit = n >> 1;
        for (; j & bit; bit >>= 1) j ^= bit;
        j ^= bit;
        if (i < j) std::swap(a[i], a[j]);
    }
    for (size_t length = 2; length <= n; length <<= 1) {
        std::complex<float> step = std::polar(1.0f, float(-kTwoPi / double(length)));
        for (size_t start = 0; start < n; start += length) {
            std::complex<float> w = 1;
            for (size_t k = 0; k < length / 2; ++k, w *= step) {
                std::complex<float> even = a[start + k], odd = a[start + k + length / 2] * w;
                a[start + k] = even + odd;
                a[start + k + length / 2] = even - odd;
            }
        }
    }
}

// dark blue through red and yellow to white as t goes from 0 to 1
Colour Heat(float t) {
    static const Colour kStops[5] = {{8, 8, 16}, {40, 24, 120}, {200, 40, 70}, {255, 200, 40}, {255, 255, 240}};
    t = std::clamp(t, 0.0f, 1.0f) * 4;
    int i = std::min(int(t), 3);
    return Mix(kStops[i], kStops[i + 1], t - float(i));
}

void DrawWaveform(Canvas& sheet, const ReviewSound& sound, int x0, int y0, const Strips& strips) {
    size_t n = sound.samples.size();
    int h = strips.waveHeight;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < strips.width; ++x) BlendPixel(sheet, x0 + x, y0 + y, {18, 22, 34}, 1);
    for (int x = 0; x < strips.width; ++x) BlendPixel(sheet, x0 + x, y0 + h / 2, {60, 66, 90}, 1);
    if (n == 0) return;
    for (int x = 0; x < strips.width; ++x) {
        size_t a = n * size_t(x) / size_t(strips.width), b = std::max(a + 1, n * size_t(x + 1) / size_t(strips.width));
        auto [low, high] = std::minmax_element(sound.samples.begin() + long(a), sound.samples.begin() + long(std::min(b, n)));
        int top = int(std::lround((1 - *high) * 0.5f * float(h - 1))), bottom = int(std::lround((1 - *low) * 0.5f * float(h - 1)));
        for (int y = std::max(top, 0); y <= std::min(bottom, h - 1); ++y) BlendPixel(sheet, x0 + x, y0 + y, {90, 220, 240}, 1);
    }
}

// the spectrum of the window centred on sample `centre`, in dB relative to a full-scale sine
std::vector<float> SpectrumAt(const ReviewSound& sound, long centre) {
    std::vector<std::complex<float>> a(kWindow);
    for (int i = 0; i < kWindow; ++i) {
        long at = centre - kWindow / 2 + i;
        float v = at >= 0 && at < long(sound.samples.size()) ? sound.samples[size_t(at)] : 0;
        a[size_t(i)] = v * float(0.5 - 0.5 * std::cos(kTwoPi * (i + 0.5) / kWindow));
    }
    Transform(a);
    std::vector<float> db(kWindow / 2);
    for (int k = 0; k < kWindow / 2; ++k) db[size_t(k)] = 20 * std::log10(std::abs(a[size_t(k)]) / (kWindow / 4.0f) + 1e-9f);
    return db;
}

void DrawSpectrogram(Canvas& sheet, const ReviewSound& sound, int x0, int y0, const Strips& strips) {
    size_t n = sound.samples.size();
    int h = strips.spectrumHeight;
    double topBin = 11025.0 / (double(sound.rate) / kWindow);  // the strip shows 0 to 11025 Hz
    for (int x = 0; x < strips.width; ++x) {
        std::vector<float> db = SpectrumAt(sound, long((x + 0.5) * double(n) / strips.width));
        for (int y = 0; y < h; ++y) {
            int first = int(topBin * (h - 1 - y) / h), last = std::max(first + 1, int(topBin * (h - y) / h));
            float loudest = kFloorDb;
            for (int k = first; k < last && k < kWindow / 2; ++k) loudest = std::max(loudest, db[size_t(k)]);
            BlendPixel(sheet, x0 + x, y0 + y, Heat((loudest - kFloorDb) / -kFloorDb), 1);
        }
    }
}

std::string LabelOf(const ReviewSound& sound) {
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "   %.2f S", double(sound.samples.size()) / sound.rate);
    std::string label = sound.name + seconds;
    for (char& c : label) c = char(std::toupper((unsigned char)c));
    return label;
}

TextStyle LabelStyle(float capHeight) {
    TextStyle style;
    style.capHeight = capHeight;
    style.strokeRadius = capHeight / 7.5f;
    style.outline = 0;
    style.top = style.middle = style.bottom = {220, 220, 230};
    return style;
}

// a tile: the label, the waveform, the spectrogram; returns its height
int DrawTile(Canvas& sheet, const ReviewSound& sound, int x, int y, const Strips& strips) {
    DrawText(sheet, LabelOf(sound), float(x), float(y), LabelStyle(7));
    DrawWaveform(sheet, sound, x, y + kLabelHeight, strips);
    DrawSpectrogram(sheet, sound, x, y + kLabelHeight + strips.waveHeight + 2, strips);
    return kLabelHeight + strips.waveHeight + 2 + strips.spectrumHeight;
}

}  // namespace

Canvas SoundOverviewSheet(const std::vector<ReviewSound>& effects, const std::vector<ReviewSound>& modules) {
    const Strips effectStrips{(kSheetWidth - 3 * kGap) / 2, 56, 64};
    const Strips moduleStrips{kSheetWidth - 2 * kGap, 72, 96};
    int effectTile = kLabelHeight + effectStrips.waveHeight + 2 + effectStrips.spectrumHeight + kGap;
    int moduleTile = kLabelHeight + moduleStrips.waveHeight + 2 + moduleStrips.spectrumHeight + kGap;
    int top = 60;
    int height = top + int(effects.size() + 1) / 2 * effectTile + int(modules.size()) * moduleTile + kGap;
    Canvas sheet = MakeCanvas(kSheetWidth, height, {24, 24, 30}, 1);
    DrawText(sheet, "GULPKIN SOUND PACK", kGap, 10, LabelStyle(16));
    DrawText(sheet, "WAVEFORM ABOVE - SPECTROGRAM BELOW FROM 0 TO 11 KHZ - MUSIC ONE PASS", kGap, 40, LabelStyle(7));
    for (size_t i = 0; i < effects.size(); ++i) {
        int x = kGap + int(i % 2) * (effectStrips.width + kGap);
        DrawTile(sheet, effects[i], x, top + int(i / 2) * effectTile, effectStrips);
    }
    int y = top + int(effects.size() + 1) / 2 * effectTile;
    for (const ReviewSound& module : modules) y += DrawTile(sheet, module, kGap, y, moduleStrips) + kGap;
    return sheet;
}
