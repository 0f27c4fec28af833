// The window manager's chords kept out of the key snapshot; see
// sdl_window_chord.h.
#include "platform/sdl/sdl_window_chord.h"

namespace {

// game codes: both Alt keys and both Super keys, then Enter, keypad Enter and Tab
constexpr uint8_t kModifierCodes[] = {0x38, 0xB8, 0xDB, 0xDC};
constexpr uint8_t kChordCodes[] = {0x38, 0xB8, 0xDB, 0xDC, 0x1C, 0x9C, 0x0F};
constexpr SDL_Scancode kModifiers[] = {SDL_SCANCODE_LALT, SDL_SCANCODE_RALT, SDL_SCANCODE_LGUI, SDL_SCANCODE_RGUI};
constexpr SDL_Scancode kPartners[] = {SDL_SCANCODE_RETURN, SDL_SCANCODE_KP_ENTER, SDL_SCANCODE_TAB};
constexpr Uint16 kChordMods = KMOD_ALT | KMOD_GUI;

template <size_t N>
bool AnyDown(const Uint8* state, int count, const SDL_Scancode (&keys)[N]) {
    for (SDL_Scancode key : keys) {
        if (key < count && state[key] != 0) return true;
    }
    return false;
}

bool IsChordPress(const SDL_Event& event) {
    const SDL_Keysym& key = event.key.keysym;
    bool partner = key.sym == SDLK_RETURN || key.sym == SDLK_KP_ENTER || key.sym == SDLK_TAB;
    return event.type == SDL_KEYDOWN && partner && (key.mod & kChordMods) != 0;
}

}  // namespace

bool IsAltEnter(const SDL_Event& event) {
    const SDL_KeyboardEvent& key = event.key;
    return event.type == SDL_KEYDOWN && key.repeat == 0 &&
           (key.keysym.sym == SDLK_RETURN || key.keysym.sym == SDLK_KP_ENTER) && (key.keysym.mod & KMOD_ALT) != 0;
}

void WindowChord::Watch() {
    SDL_AddEventWatch(NoteEvent, this);
}

void WindowChord::StopWatching() {
    SDL_DelEventWatch(NoteEvent, this);
}

// Called by SDL on the thread that pumps the events, as each one is queued.
int WindowChord::NoteEvent(void* chord, SDL_Event* event) {
    WindowChord& self = *static_cast<WindowChord*>(chord);
    if (IsChordPress(*event)) self.chordPressed_ = true;
    if (event->type != SDL_WINDOWEVENT) return 1;
    if ((SDL_GetModState() & kChordMods) != 0) self.windowTook_ = true;
    if (event->window.event == SDL_WINDOWEVENT_FOCUS_GAINED || event->window.event == SDL_WINDOWEVENT_FOCUS_LOST) {
        ++self.focusChanges_;
    }
    return 1;
}

void WindowChord::Hide(const Uint8* state, int count, uint8_t keys[256]) {
    bool focusChanged = focusChanges_ != focusChangesSeen_;
    focusChangesSeen_ = focusChanges_;
    HoldBackStaleKeys(focusChanged, keys);
    bool modifier = AnyDown(state, count, kModifiers);
    bool partner = AnyDown(state, count, kPartners);
    if ((modifier && (partner || focusChanged)) || chordPressed_ || windowTook_) {
        held_ = true;
        loneWaiting_ = false;  // the modifier that waited belonged to the chord
        for (uint8_t code : kModifierCodes) loneCodes_[code] = false;
    }
    chordPressed_ = false;
    windowTook_ = false;
    if (!modifier && !partner && !focusChanged) held_ = false;
    if (held_) {
        for (uint8_t code : kChordCodes) keys[code] = 0;
        return;
    }
    HoldBackLoneModifier(modifier, keys);
}

void WindowChord::HoldBackStaleKeys(bool focusChanged, uint8_t keys[256]) {
    for (uint8_t code : kChordCodes) {
        if (focusChanged) stale_[code] = keys[code] != 0;
        if (keys[code] == 0) stale_[code] = false;
        if (stale_[code]) keys[code] = 0;
    }
}

// Down, the modifiers are noted and cleared; let go with no chord seen (a
// tap, however long), they enter this one snapshot.
void WindowChord::HoldBackLoneModifier(bool modifier, uint8_t keys[256]) {
    if (modifier) {
        loneWaiting_ = true;
        for (uint8_t code : kModifierCodes) {
            if (keys[code] != 0) loneCodes_[code] = true;
            keys[code] = 0;
        }
        return;
    }
    if (!loneWaiting_) return;
    for (uint8_t code : kModifierCodes) {
        if (loneCodes_[code]) keys[code] = 0x80;
        loneCodes_[code] = false;
    }
    loneWaiting_ = false;
}
