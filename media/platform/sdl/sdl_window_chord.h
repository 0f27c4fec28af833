// Alt+Enter belongs to the window (it switches between full screen and a
// window), not to the game: from the moment both keys are down until both
// are up again, no Alt and no Enter key enters the game's key snapshot, so
// the chord never counts as a key press (the title menu's "any key", for
// one). Alt alone or Enter alone stay ordinary keys.
//
// A player presses Alt first and Enter a moment later, so a lone Alt is
// held back for a short while to see whether Enter follows: held longer, it
// enters the snapshot; let go sooner (a tap), it enters one snapshot then.
//
// The key state alone does not tell the whole story, so the chord also
// watches SDL's events as they arrive: an Enter tapped between two snapshots
// never shows in the state but its key press does; and when the window
// loses or gains the focus (the switch itself may move it), SDL lets go of
// every key and then presses again the modifiers still held. Keys found
// down after a focus change therefore stay out of the snapshot until they
// are let go, and the chord lasts until both keys are seen up with the
// focus settled.
#pragma once

#include <SDL.h>

#include <cstdint>

// whether the event is an Alt+Enter key press (not a repeat)
bool IsAltEnter(const SDL_Event& event);

class WindowChord {
public:
    // how long a lone Alt waits for Enter, in milliseconds
    static constexpr uint32_t kWaitForEnterMs = 250;

    // starts and stops watching SDL's events (while the video subsystem is up)
    void Watch();
    void StopWatching();
    // Clears the chord's keys from the snapshot `keys` (game scan codes) as
    // above, judged from SDL's key state at `nowMs` (SDL's tick count).
    void Hide(const Uint8* state, int count, uint8_t keys[256], uint32_t nowMs);

private:
    static int NoteEvent(void* chord, SDL_Event* event);
    void HoldBackLoneAlt(bool alt, uint8_t keys[256], uint32_t nowMs);
    void HoldBackStaleKeys(bool focusChanged, uint8_t keys[256]);

    enum class LoneAlt { Up, Waiting, Shown };
    bool held_ = false;            // the chord is down, or being let go
    LoneAlt alt_ = LoneAlt::Up;
    uint32_t altSince_ = 0;        // when a lone Alt went down
    uint8_t altCodes_[2] = {};     // which Alt keys are waiting (game codes, 0 = none)
    bool chordPressed_ = false;    // an Alt+Enter press arrived since the last snapshot
    uint32_t focusChanges_ = 0;    // focus changes seen so far, and at the last snapshot
    uint32_t focusChangesSeen_ = 0;
    bool stale_[256] = {};         // down since a focus change (game codes)
};
