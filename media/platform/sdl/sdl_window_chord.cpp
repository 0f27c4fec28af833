// The Alt+Enter chord kept out of the key snapshot; see sdl_window_chord.h.
#include "media/platform/sdl/sdl_window_chord.h"

namespace {

constexpr uint8_t kLeftAlt = 0x38, kRightAlt = 0xB8;
// the game codes of both Alt keys and both Enter keys
constexpr uint8_t kChordCodes[] = {kLeftAlt, kRightAlt, 0x1C, 0x9C};

bool Down(const Uint8* state, int count, SDL_Scancode key) {
    return key < count && state[key] != 0;
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
    if (IsAltEnter(*event)) self.chordPressed_ = true;
    if (event->type == SDL_WINDOWEVENT &&
        (event->window.event == SDL_WINDOWEVENT_FOCUS_GAINED || event->window.event == SDL_WINDOWEVENT_FOCUS_LOST)) {
        ++self.focusChanges_;
    }
    return 1;
}

void WindowChord::Hide(const Uint8* state, int count, uint8_t keys[256], uint32_t nowMs) {
    bool focusChanged = focusChanges_ != focusChangesSeen_;
    focusChangesSeen_ = focusChanges_;
    HoldBackStaleKeys(focusChanged, keys);
    bool alt = Down(state, count, SDL_SCANCODE_LALT) || Down(state, count, SDL_SCANCODE_RALT);
    bool enter = Down(state, count, SDL_SCANCODE_RETURN) || Down(state, count, SDL_SCANCODE_KP_ENTER);
    if ((alt && enter) || chordPressed_) {
        held_ = true;
        alt_ = LoneAlt::Up;  // the Alt that waited belonged to the chord
    }
    chordPressed_ = false;
    if (!alt && !enter && !focusChanged) held_ = false;
    if (held_) {
        for (uint8_t code : kChordCodes) keys[code] = 0;
        return;
    }
    if (!enter) HoldBackLoneAlt(alt, keys, nowMs);
}

void WindowChord::HoldBackStaleKeys(bool focusChanged, uint8_t keys[256]) {
    for (int code = 0; code < 256; ++code) {
        if (focusChanged) stale_[code] = keys[code] != 0;
        if (keys[code] == 0) stale_[code] = false;
        if (stale_[code]) keys[code] = 0;
    }
}

void WindowChord::HoldBackLoneAlt(bool alt, uint8_t keys[256], uint32_t nowMs) {
    if (alt) {
        if (alt_ == LoneAlt::Up) {
            alt_ = LoneAlt::Waiting;
            altSince_ = nowMs;
        }
        if (alt_ == LoneAlt::Waiting && nowMs - altSince_ >= kWaitForEnterMs) alt_ = LoneAlt::Shown;
        if (alt_ != LoneAlt::Waiting) return;
        altCodes_[0] = keys[kLeftAlt] != 0 ? kLeftAlt : 0;
        altCodes_[1] = keys[kRightAlt] != 0 ? kRightAlt : 0;
        keys[kLeftAlt] = keys[kRightAlt] = 0;
        return;
    }
    if (alt_ == LoneAlt::Waiting) {  // a tap: shown once, now
        for (uint8_t code : altCodes_) {
            if (code != 0) keys[code] = 0x80;
        }
    }
    alt_ = LoneAlt::Up;
}
