// The page around the game in a web browser (the *_browser.cpp variants
// only). The game runs on the page's own thread: whenever it waits it hands
// control back (Asyncify unwinds and later rewinds its stack), so that the
// browser shows the canvas, delivers keys and plays sound meanwhile.
// sdl_page_browser.cpp is the only caller of the page's JavaScript, and
// web/page.js answers there, hook for hook.
#pragma once

#include <cstddef>
#include <cstdint>

namespace sdl {

// returns after `ms` milliseconds; 0 returns as soon as the browser has run
// its pending events
void RestInPage(double ms);
// copies rows top .. top + count - 1 of a picture of opaque 0xAABBGGRR
// pixels, as wide as the canvas, onto the canvas
void PutRowsOnCanvas(const uint8_t* picture, int pitchBytes, int top, int count);

// The canvas is a display of this many frames a second.
constexpr int kPageFramesPerSecond = 75;

// Ends a frame: tells the page whether it went to the canvas and how long the
// game worked on it (from the previous frame's end to the canvas updated),
// then waits for the next frame time. The frame times follow each other at
// even steps, so that late frames (the browser or the machine was busy) are
// made up for by the next ones; after a long stall the steps start again.
void EndFrameInPage(bool shown);

// hands control to the page when it has not had it for a few milliseconds,
// so that keys and sound go on while the game waits without showing frames
void LetPageRunIfOverdue();

// the game has ended with this exit code: once it has waited in the page,
// main's return goes back to no caller that could tell the page
void TellPageGameEnded(int code);

}  // namespace sdl
