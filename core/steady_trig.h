// Sine and cosine that give the same float on every system. The title's
// circling, the banner's wave and the spiral between levels place pictures
// by sines; the C library's sinf and cosf differ between systems in the last
// bit now and then (glibc, MinGW-w64's runtime), which could move a picture
// by a pixel and make a recording made on one system drift on another. These
// compute in double precision with only +, - and * and round once to float:
// the correctly rounded value for every angle the game uses.
#pragma once

// sin(x), x in radians, rounded to the nearest float
float SteadySin(float x);
// cos(x), x in radians, rounded to the nearest float
float SteadyCos(float x);
