// The page around the game in a web browser (Emscripten builds only). The
// game runs on the page's own thread: whenever it waits it hands control
// back (Asyncify unwinds and later rewinds its stack), so that the browser
// shows the canvas, delivers keys and plays sound meanwhile. web/page.js
// answers these calls.
#pragma once

#ifdef __EMSCRIPTEN__

namespace sdl {

// returns after `ms` milliseconds; 0 returns as soon as the browser has run
// its pending events
void RestInPage(double ms);
// the frame limiter read its counter: the last read before a frame is shown
// is when the game started working on that frame
void NoteFrameClockRead();
// tells the page that a frame went to the canvas, and how long the game
// worked on it (from the limiter's release to the canvas updated)
void NoteFramePresented();

}  // namespace sdl

#endif
