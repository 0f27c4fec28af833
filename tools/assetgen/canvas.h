// Pictures while the generator draws them: premultiplied RGBA in floats
// (0..255 colour, 0..1 coverage), painted with signed distance shapes so
// every edge is smooth. Sprites are later written with black as the
// transparent colour; backgrounds are opaque.
#pragma once

#include <functional>
#include <vector>

struct Colour {
    float r = 0, g = 0, b = 0;
};

// linear mix of two colours, t = 0 gives a, 1 gives b
Colour Mix(Colour a, Colour b, float t);
// a colour scaled by f (clamped later, when written)
Colour Scale(Colour c, float f);

struct Canvas {
    int width = 0;
    int height = 0;
    std::vector<float> rgb;    // premultiplied, 3 per pixel, top row first
    std::vector<float> alpha;  // coverage, 1 per pixel
};

// a canvas filled with one colour at the given coverage (0 = transparent)
Canvas MakeCanvas(int width, int height, Colour fill = {}, float coverage = 0);
// source-over blend of colour c at coverage a onto pixel (x, y); outside does nothing
void BlendPixel(Canvas& canvas, int x, int y, Colour c, float a);
// the straight (not premultiplied) colour of pixel (x, y); black if transparent
Colour PixelColour(const Canvas& canvas, int x, int y);
float PixelCoverage(const Canvas& canvas, int x, int y);

// Distance from a point to a shape's edge in pixels, negative inside.
using Distance = std::function<float(float x, float y)>;
// Colour of a shape at a point, given the distance there.
using Shader = std::function<Colour(float x, float y, float distance)>;

struct Box {
    int x0, y0, x1, y1;  // pixels x0..x1-1, y0..y1-1
};

// paints a shape over the box with a one-pixel soft edge; pixel centres are
// at (x + 0.5, y + 0.5)
void PaintShape(Canvas& canvas, Box box, const Distance& distance, const Shader& shader);
// copies src onto dst at (x, y), blending by coverage
void Composite(Canvas& dst, const Canvas& src, int x, int y);
// src scaled by an integer factor (nearest) or shrunk by averaging
Canvas Enlarge(const Canvas& src, int factor);
Canvas Shrink(const Canvas& src, int factor);

// ---- distance primitives --------------------------------------------------
float CircleDistance(float x, float y, float cx, float cy, float radius);
float EllipseDistance(float x, float y, float cx, float cy, float rx, float ry);
// rectangle centred at (cx, cy) with half sizes hx, hy and corner radius r
float RoundBoxDistance(float x, float y, float cx, float cy, float hx, float hy, float r);
// distance to the segment (ax, ay)-(bx, by) minus a radius: a capsule
float CapsuleDistance(float x, float y, float ax, float ay, float bx, float by, float radius);
// inside a convex or concave polygon (even-odd), signed distance to its edges
float PolygonDistance(float x, float y, const std::vector<float>& xy);
