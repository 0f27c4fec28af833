// What the board sets off on the floors above it. The ghosts and the screens
// define these; the board only calls them, at the moments the game's rules
// name: taking an energizer or spending a charge starts the frightened mode,
// losing the last life opens the options screen.
#pragma once

// starts (or restarts from 0) the frightened period, plays sound 1 and
// applies the frightened steps at once
void StartFrightenedMode();
// the end-of-game options screen; never returns (new game, title or end)
[[noreturn]] void OptionsScreen();
