// The seam calls that hand the game an answer from the machine. Each asks the
// machine (platform::machine) and, while recording, notes the answer; while
// replaying it hands out the recorded answer instead. With no session running
// they are the machine's own calls.
//
// A replayed answer is checked against what the machine can give (a clock
// hour of 0 to 23, a key byte of 0 or 0x80, a yes or no for an opening);
// anything else stops the replay as damaged at the frame it is read, before
// the game sees it.
#include "platform/journal/journal_session.h"
#include "platform/machine.h"
#include "platform/platform.h"

#include <cstring>

namespace {

using journal::Kind;
using journal::Mode;

constexpr size_t kKeysBlob = 1 + 256;
constexpr size_t kJoystickBlob = 1 + 4 + 4 + 32;
constexpr size_t kClockBlob = 6 * 4;
constexpr int kFullTravel = 1000;       // a joystick axis's end
constexpr uint64_t kHighestRefreshHz = 1000;
constexpr uint8_t kHeld = 0x80;         // a key or a button down

void (*endHandler)() = nullptr;

// The largest number of each kind the machine can give.
uint64_t HighestAnswer(Kind kind) {
    switch (kind) {
        case Kind::Tick: return UINT32_MAX;
        case Kind::RefreshRate: return kHighestRefreshHz;
        case Kind::VideoBytes: return UINT64_MAX;
        default: return 1;  // the openings, the focus and the end request are yes or no
    }
}

// The next recorded number of `kind`; 0 once the replay has stopped, for
// a number out of range too.
uint64_t Recorded(Kind kind) {
    uint64_t value = journal::RecordedNumber(kind);
    if (value <= HighestAnswer(kind)) return value;
    journal::StopAsDamaged(kind);
    return 0;
}

// A number answer of any integer type, through the journal.
template <typename T, typename Ask>
T Number(Kind kind, Ask ask) {
    Mode mode = journal::CurrentMode();
    if (mode == Mode::Replaying) return static_cast<T>(Recorded(kind));
    T value = ask();
    if (mode == Mode::Recording) journal::NoteNumber(kind, static_cast<uint64_t>(value));
    return value;
}

// An opening of a device: replayed, the machine's device is opened too when
// the recorded opening succeeded (so that the replay is seen and heard).
template <typename Open>
bool Opening(Kind kind, Open open) {
    if (journal::CurrentMode() != Mode::Replaying) return Number<bool>(kind, open);
    bool opened = Recorded(kind) != 0;
    if (opened) open();
    return opened;
}

void PutInt(uint8_t* at, int32_t value) {
    for (int i = 0; i < 4; ++i) at[i] = static_cast<uint8_t>(static_cast<uint32_t>(value) >> (8 * i));
}

int32_t GetInt(const uint8_t* at) {
    uint32_t value = 0;
    for (int i = 0; i < 4; ++i) value |= static_cast<uint32_t>(at[i]) << (8 * i);
    return static_cast<int32_t>(value);
}

bool Within(int value, int lowest, int highest) { return value >= lowest && value <= highest; }

// A date of four digits, as the machine's clock and the date text know it
// (a leap second included).
bool PossibleTime(const platform::LocalTime& t) {
    return Within(t.year, 1900, 9999) && Within(t.month, 1, 12) && Within(t.day, 1, 31) && Within(t.hour, 0, 23) &&
           Within(t.minute, 0, 59) && Within(t.second, 0, 60);
}

// The flag byte of a reading is a yes or no, and each of the `count` bytes
// after `from` is up or held.
bool PossibleReading(const uint8_t* blob, size_t from, size_t count) {
    if (blob[0] > 1) return false;
    for (size_t i = from; i < from + count; ++i) {
        if (blob[i] != 0 && blob[i] != kHeld) return false;
    }
    return true;
}

}  // namespace

namespace platform {

uint32_t TickCount() {
    if (journal::CurrentMode() != Mode::Replaying) return Number<uint32_t>(Kind::Tick, machine::TickCount);
    uint32_t tick = static_cast<uint32_t>(Recorded(Kind::Tick));
    journal::PaceReplay(tick);
    return tick;
}

LocalTime LocalClock() {
    Mode mode = journal::CurrentMode();
    uint8_t blob[kClockBlob];
    LocalTime t;
    if (mode != Mode::Replaying) {
        t = machine::LocalClock();
        if (mode != Mode::Recording) return t;
    } else {
        std::memcpy(blob, journal::RecordedBlob(Kind::Clock, kClockBlob), kClockBlob);
    }
    int* fields[6] = {&t.year, &t.month, &t.day, &t.hour, &t.minute, &t.second};
    for (int i = 0; i < 6; ++i) {
        if (mode == Mode::Recording) PutInt(blob + 4 * i, *fields[i]);
        if (mode == Mode::Replaying) *fields[i] = GetInt(blob + 4 * i);
    }
    if (mode == Mode::Recording) journal::NoteBlob(Kind::Clock, blob, kClockBlob);
    if (mode == Mode::Replaying && !PossibleTime(t)) {
        journal::StopAsDamaged(Kind::Clock);
        return LocalTime{};
    }
    return t;
}

// Replayed, the window opens at whatever rate the machine runs: the recorded
// answers, not the display, decide how the game paces its frames.
bool OpenDisplay(int width, int height, int refreshHz, const std::string& title) {
    Mode mode = journal::CurrentMode();
    return Opening(Kind::DisplayOpen, [&] {
        return machine::OpenDisplay(width, height, mode == Mode::Replaying ? 0 : refreshHz, title);
    });
}

void CloseDisplay() {
    if (journal::CurrentMode() != Mode::Off) journal::NoteDisplayClosing();
    machine::CloseDisplay();
}

int DisplayRefreshRate() { return Number<int>(Kind::RefreshRate, machine::DisplayRefreshRate); }

void PresentPixels(const uint16_t* pixels, int width, int height, int pitch) {
    Mode mode = journal::CurrentMode();
    if (mode == Mode::Recording || mode == Mode::Replaying) journal::NotePresent(pixels, width, height, pitch);
    machine::PresentPixels(pixels, width, height, pitch);
}

// A request to end the program is an answer like any other: recorded, the
// replay ends the game at the same moment. While a replay runs, the
// machine's own request (its window closed, a signal) stops the replay.
// Recordings made before the wait for a key after a lost life took window
// events hold no such answer there: where another answer comes next, none
// was asked for.
void PumpWindowEvents() {
    machine::PumpWindowEvents();
    bool end = false;
    if (journal::CurrentMode() == Mode::Replaying) {
        if (machine::TakeEndRequest()) journal::StopOnRequest();
        end = journal::CurrentMode() == Mode::Replaying && journal::RecordedNumberOr(Kind::EndRequest, 0) != 0;
    } else {
        end = Number<bool>(Kind::EndRequest, machine::TakeEndRequest);
    }
    if (end && endHandler != nullptr) endHandler();
}

void SetEndHandler(void (*handler)()) {
    endHandler = handler;
    machine::CatchEndSignals();
}

bool WindowHasFocus() { return Number<bool>(Kind::Focus, machine::WindowHasFocus); }
uint64_t FreeVideoBytes() { return Number<uint64_t>(Kind::VideoBytes, machine::FreeVideoBytes); }
bool OpenKeyboard() { return Opening(Kind::KeyboardOpen, machine::OpenKeyboard); }

// A failed read is recorded with zeros: the game keeps its previous snapshot.
bool ReadKeyboard(uint8_t keys[256]) {
    Mode mode = journal::CurrentMode();
    if (mode == Mode::Replaying) {
        journal::WatchForEscape();
        const uint8_t* blob = journal::RecordedBlob(Kind::Keys, kKeysBlob);
        if (!PossibleReading(blob, 1, 256)) {
            journal::StopAsDamaged(Kind::Keys);
            return false;
        }
        std::memcpy(keys, blob + 1, 256);
        return blob[0] != 0;
    }
    bool ok = machine::ReadKeyboard(keys);
    if (mode != Mode::Recording) return ok;
    uint8_t blob[kKeysBlob] = {};
    blob[0] = ok ? 1 : 0;
    if (ok) std::memcpy(blob + 1, keys, 256);
    journal::NoteBlob(Kind::Keys, blob, kKeysBlob);
    return ok;
}

// Replayed, the machine's joystick is never opened: it would not be read.
bool OpenJoystick() {
    if (journal::CurrentMode() == Mode::Replaying) return Recorded(Kind::JoystickOpen) != 0;
    return Number<bool>(Kind::JoystickOpen, machine::OpenJoystick);
}

bool ReadJoystick(JoystickReading& reading) {
    Mode mode = journal::CurrentMode();
    if (mode == Mode::Replaying) {
        const uint8_t* blob = journal::RecordedBlob(Kind::Joystick, kJoystickBlob);
        int x = GetInt(blob + 1), y = GetInt(blob + 5);
        if (!PossibleReading(blob, 9, sizeof reading.buttons) || !Within(x, -kFullTravel, kFullTravel) ||
            !Within(y, -kFullTravel, kFullTravel)) {
            journal::StopAsDamaged(Kind::Joystick);
            return false;
        }
        reading.x = x;
        reading.y = y;
        std::memcpy(reading.buttons, blob + 9, sizeof reading.buttons);
        return blob[0] != 0;
    }
    bool ok = machine::ReadJoystick(reading);
    if (mode != Mode::Recording) return ok;
    uint8_t blob[kJoystickBlob] = {};
    blob[0] = ok ? 1 : 0;
    if (ok) {
        PutInt(blob + 1, reading.x);
        PutInt(blob + 5, reading.y);
        std::memcpy(blob + 9, reading.buttons, sizeof reading.buttons);
    }
    journal::NoteBlob(Kind::Joystick, blob, kJoystickBlob);
    return ok;
}

// The opening is an answer whether or not the player wants sound, so that a
// recording replays the same with the sound on or off: unwanted, the
// machine's device stays closed and the answer is no. Replayed, the game
// gets the recorded answer, and the device opens only when it is yes and
// the sound is wanted. A recording made before unwanted sound was recorded
// holds no opening there: it was made without sound.
bool OpenAudio(AudioCallback callback, void* user, bool wanted) {
    auto open = [&] { return wanted && machine::OpenAudio(callback, user); };
    if (journal::CurrentMode() == Mode::Replaying && !journal::RecordedNext(Kind::AudioOpen)) return false;
    return Opening(Kind::AudioOpen, open);
}

// The asset pack is not recorded (its fingerprint is); any other file the
// game reads (the best score) is.
bool ReadWholeFile(const std::string& gamePath, std::vector<uint8_t>& out, size_t limit) {
    Mode mode = journal::CurrentMode();
    if (mode == Mode::Off || mode == Mode::Stopped || machine::IsAssetFile(gamePath)) {
        return machine::ReadWholeFile(gamePath, out, limit);
    }
    if (mode == Mode::Replaying) return journal::RecordedFile(out, limit);
    bool ok = machine::ReadWholeFile(gamePath, out, limit);
    std::vector<uint8_t> blob;
    blob.reserve(out.size() + 1);
    blob.push_back(ok ? 1 : 0);
    if (ok) blob.insert(blob.end(), out.begin(), out.end());
    journal::NoteBlob(Kind::File, blob.data(), blob.size());
    return ok;
}

}  // namespace platform
