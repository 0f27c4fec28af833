// Painting primitives of the generator.
#include "tools/assetgen/canvas.h"

#include <algorithm>
#include <cmath>

Colour Mix(Colour a, Colour b, float t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Colour Scale(Colour c, float f) { return {c.r * f, c.g * f, c.b * f}; }

Canvas MakeCanvas(int width, int height, Colour fill, float coverage) {
    Canvas canvas;
    canvas.width = width;
    canvas.height = height;
    canvas.rgb.resize(size_t(width) * height * 3);
    canvas.alpha.assign(size_t(width) * height, coverage);
    for (size_t i = 0; i < canvas.alpha.size(); ++i) {
        canvas.rgb[i * 3] = fill.r * coverage;
        canvas.rgb[i * 3 + 1] = fill.g * coverage;
        canvas.rgb[i * 3 + 2] = fill.b * coverage;
    }
    return canvas;
}

void BlendPixel(Canvas& canvas, int x, int y, Colour c, float a) {
    if (x < 0 || y < 0 || x >= canvas.width || y >= canvas.height || a <= 0) return;
    a = std::min(a, 1.0f);
    size_t i = size_t(y) * canvas.width + x;
    float keep = 1 - a;
    canvas.rgb[i * 3] = c.r * a + canvas.rgb[i * 3] * keep;
    canvas.rgb[i * 3 + 1] = c.g * a + canvas.rgb[i * 3 + 1] * keep;
    canvas.rgb[i * 3 + 2] = c.b * a + canvas.rgb[i * 3 + 2] * keep;
    canvas.alpha[i] = a + canvas.alpha[i] * keep;
}

Colour PixelColour(const Canvas& canvas, int x, int y) {
    size_t i = size_t(y) * canvas.width + x;
    float a = canvas.alpha[i];
    if (a <= 0) return {};
    return {canvas.rgb[i * 3] / a, canvas.rgb[i * 3 + 1] / a, canvas.rgb[i * 3 + 2] / a};
}

float PixelCoverage(const Canvas& canvas, int x, int y) { return canvas.alpha[size_t(y) * canvas.width + x]; }

void PaintShape(Canvas& canvas, Box box, const Distance& distance, const Shader& shader) {
    int x0 = std::max(box.x0, 0), y0 = std::max(box.y0, 0);
    int x1 = std::min(box.x1, canvas.width), y1 = std::min(box.y1, canvas.height);
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            float px = x + 0.5f, py = y + 0.5f;
            float d = distance(px, py);
            float coverage = std::clamp(0.5f - d, 0.0f, 1.0f);
            if (coverage > 0) BlendPixel(canvas, x, y, shader(px, py, d), coverage);
        }
    }
}

void Composite(Canvas& dst, const Canvas& src, int x, int y) {
    for (int sy = 0; sy < src.height; ++sy) {
        for (int sx = 0; sx < src.width; ++sx) {
            float a = PixelCoverage(src, sx, sy);
            if (a > 0) BlendPixel(dst, x + sx, y + sy, PixelColour(src, sx, sy), a);
        }
    }
}

Canvas Enlarge(const Canvas& src, int factor) {
    Canvas out = MakeCanvas(src.width * factor, src.height * factor);
    for (int y = 0; y < out.height; ++y) {
        for (int x = 0; x < out.width; ++x) {
            size_t from = size_t(y / factor) * src.width + x / factor;
            size_t to = size_t(y) * out.width + x;
            out.alpha[to] = src.alpha[from];
            for (int k = 0; k < 3; ++k) out.rgb[to * 3 + k] = src.rgb[from * 3 + k];
        }
    }
    return out;
}

Canvas Shrink(const Canvas& src, int factor) {
    Canvas out = MakeCanvas(src.width / factor, src.height / factor);
    float share = 1.0f / float(factor * factor);
    for (int y = 0; y < out.height * factor; ++y) {
        for (int x = 0; x < out.width * factor; ++x) {
            size_t from = size_t(y) * src.width + x;
            size_t to = size_t(y / factor) * out.width + x / factor;
            out.alpha[to] += src.alpha[from] * share;
            for (int k = 0; k < 3; ++k) out.rgb[to * 3 + k] += src.rgb[from * 3 + k] * share;
        }
    }
    return out;
}

float CircleDistance(float x, float y, float cx, float cy, float radius) {
    return std::hypot(x - cx, y - cy) - radius;
}

float EllipseDistance(float x, float y, float cx, float cy, float rx, float ry) {
    // scaled circle distance: exact on the axes, close enough elsewhere
    float nx = (x - cx) / rx, ny = (y - cy) / ry;
    float k = std::hypot(nx, ny);
    if (k == 0) return -std::min(rx, ry);
    return (k - 1) * std::min(rx, ry);
}

float RoundBoxDistance(float x, float y, float cx, float cy, float hx, float hy, float r) {
    float qx = std::fabs(x - cx) - hx + r, qy = std::fabs(y - cy) - hy + r;
    float outside = std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f));
    return outside + std::min(std::max(qx, qy), 0.0f) - r;
}

float CapsuleDistance(float x, float y, float ax, float ay, float bx, float by, float radius) {
    float px = x - ax, py = y - ay, dx = bx - ax, dy = by - ay;
    float len2 = dx * dx + dy * dy;
    float t = len2 > 0 ? std::clamp((px * dx + py * dy) / len2, 0.0f, 1.0f) : 0;
    return std::hypot(px - dx * t, py - dy * t) - radius;
}

float PolygonDistance(float x, float y, const std::vector<float>& xy) {
    size_t n = xy.size() / 2;
    float best = 1e9f;
    bool inside = false;
    for (size_t i = 0, j = n - 1; i < n; j = i++) {
        float xi = xy[i * 2], yi = xy[i * 2 + 1], xj = xy[j * 2], yj = xy[j * 2 + 1];
        best = std::min(best, CapsuleDistance(x, y, xi, yi, xj, yj, 0));
        if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi) inside = !inside;
    }
    return inside ? -best : best;
}
