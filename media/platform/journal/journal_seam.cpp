// The seam calls that hand the game an answer from the machine. Each asks the
// machine (platform::machine) and, while recording, notes the answer; while
// replaying it hands out the recorded answer instead. With no session running
// they are the machine's own calls.
#include "media/platform/journal/journal_session.h"
#include "media/platform/machine.h"
#include "media/platform/platform.h"

#include <cstring>

namespace {

using journal::Kind;
using journal::Mode;

constexpr size_t kKeysBlob = 1 + 256;
constexpr size_t kJoystickBlob = 1 + 4 + 4 + 32;
constexpr size_t kClockBlob = 6 * 4;

void (*endHandler)() = nullptr;

// A number answer of any integer type, through the journal.
template <typename T, typename Ask>
T Number(Kind kind, Ask ask) {
    Mode mode = journal::CurrentMode();
    if (mode == Mode::Replaying) return static_cast<T>(journal::RecordedNumber(kind));
    T value = ask();
    if (mode == Mode::Recording) journal::NoteNumber(kind, static_cast<uint64_t>(value));
    return value;
}

// An opening of a device: replayed, the machine's device is opened too when
// the recorded opening succeeded (so that the replay is seen and heard).
template <typename Open>
bool Opening(Kind kind, Open open) {
    if (journal::CurrentMode() != Mode::Replaying) return Number<bool>(kind, open);
    bool opened = journal::RecordedNumber(kind) != 0;
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

}  // namespace

namespace platform {

uint32_t TickCount() {
    if (journal::CurrentMode() != Mode::Replaying) return Number<uint32_t>(Kind::Tick, machine::TickCount);
    uint32_t tick = static_cast<uint32_t>(journal::RecordedNumber(Kind::Tick));
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
    if (journal::CurrentMode() == Mode::Replaying) return journal::RecordedNumber(Kind::JoystickOpen) != 0;
    return Number<bool>(Kind::JoystickOpen, machine::OpenJoystick);
}

bool ReadJoystick(JoystickReading& reading) {
    Mode mode = journal::CurrentMode();
    if (mode == Mode::Replaying) {
        const uint8_t* blob = journal::RecordedBlob(Kind::Joystick, kJoystickBlob);
        reading.x = GetInt(blob + 1);
        reading.y = GetInt(blob + 5);
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

bool OpenAudio(AudioCallback callback, void* user) {
    return Opening(Kind::AudioOpen, [&] { return machine::OpenAudio(callback, user); });
}

// The asset pack is not recorded (its fingerprint is); any other file the
// game reads (the best score) is.
bool ReadWholeFile(const std::string& gamePath, std::vector<uint8_t>& out, size_t limit) {
    Mode mode = journal::CurrentMode();
    if (mode == Mode::Off || mode == Mode::Stopped || machine::IsAssetFile(gamePath)) {
        return machine::ReadWholeFile(gamePath, out, limit);
    }
    if (mode == Mode::Replaying) return journal::RecordedFile(out);
    bool ok = machine::ReadWholeFile(gamePath, out, limit);
    std::vector<uint8_t> blob;
    blob.reserve(out.size() + 1);
    blob.push_back(ok ? 1 : 0);
    if (ok) blob.insert(blob.end(), out.begin(), out.end());
    journal::NoteBlob(Kind::File, blob.data(), blob.size());
    return ok;
}

}  // namespace platform
