// The chords of the window manager belong to the window, not to the game:
// Alt+Enter switches between full screen and a window, Alt+Tab and the
// chords held with Super switch windows or open the desktop's menus. From
// the moment a chord is seen until all its keys are up again, no Alt, Super,
// Enter or Tab key enters the game's key snapshot, so that a chord never
// counts as a key press (the title menu's "any key", for one). Enter and Tab
// alone stay ordinary keys.
//
// A player presses Alt or Super first and the other key a moment later, and
// a window manager often takes that key for itself, so the game never sees
// it. A lone Alt or Super is therefore held back while it is down, and
// enters one snapshot when it is let go, unless a chord was seen meanwhile.
//
// The key state alone does not tell the whole story, so the chord also
// watches SDL's events as they arrive: an Enter or Tab tapped between two
// snapshots never shows in the state but its key press does; a window event
// while Alt or Super is down (the window manager grabbing the keyboard moves
// the pointer out, a switch changes the window) means the window manager
// took the chord; and when the window loses or gains the focus, SDL lets go
// of every key and then presses again the modifiers still held. A chord key
// found down after a focus change therefore stays out of the snapshot until
// it is let go; any other key held counts at once.
#pragma once

#include <SDL.h>

#include <cstdint>

// whether the event is an Alt+Enter key press (not a repeat)
bool IsAltEnter(const SDL_Event& event);

class WindowChord {
public:
    // starts and stops watching SDL's events (while the video subsystem is up)
    void Watch();
    void StopWatching();
    // Clears the chords' keys from the snapshot `keys` (game scan codes) as
    // above, judged from SDL's key state.
    void Hide(const Uint8* state, int count, uint8_t keys[256]);
    // the same for an event SDL did not queue itself (for tests)
    void Note(const SDL_Event& event) { NoteEvent(this, const_cast<SDL_Event*>(&event)); }

private:
    static int NoteEvent(void* chord, SDL_Event* event);
    void HoldBackLoneModifier(bool modifier, uint8_t keys[256]);
    void HoldBackStaleKeys(bool focusChanged, uint8_t keys[256]);

    bool held_ = false;            // a chord is down, or being let go
    bool loneWaiting_ = false;     // a lone Alt or Super is down
    bool loneCodes_[256] = {};     // which of them (game codes)
    bool chordPressed_ = false;    // a chord's key press arrived since the last snapshot
    bool windowTook_ = false;      // a window event came with Alt or Super down since then
    uint32_t focusChanges_ = 0;    // focus changes seen so far, and at the last snapshot
    uint32_t focusChangesSeen_ = 0;
    bool stale_[256] = {};         // chord keys down since a focus change (game codes)
};
