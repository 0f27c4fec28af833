// Small value helpers the game uses everywhere: colours, rounding, decimal
// text, the millisecond tick and pauses.
#pragma once

#include <cstdint>
#include <string>

// r + g * 256 + b * 65536, without clamping (a component above 255 spills over)
int32_t MixColour(int32_t r, int32_t g, int32_t b);
// drops the fraction toward zero (2.9 -> 2, -2.9 -> -2)
int32_t RoundToInt(float value);
// signed decimal, no leading zeros
std::string IntToText(int32_t n);
// optional blanks, sign and the run of digits that follows; no digits give 0
int32_t TextToInt(const std::string& text);
// byte value 0..255 of the first character; 0 for an empty text
int32_t CharCode(const std::string& text);
// the millisecond tick count every game timer reads
int32_t GetTickCount();
// blocks the game for ms milliseconds
void Pause(int32_t ms);
// the nearest integer, halves to the even neighbour
int32_t NearestInt(double value);
