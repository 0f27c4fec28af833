// Fetching the input events that have arrived for SDL (sdl_event_pump_*.cpp).
// On the desktop that is SDL's own pump. In a browser events arrive only
// while the page has control: a game loop that reads the keyboard again and
// again without showing a frame (waiting for a key after a lost life) must
// hand control to the page now and then, or it would wait for ever.
#pragma once

// fetches the key presses and releases that arrived since the last call
void PumpInputEvents();
