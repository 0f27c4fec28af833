// The headless machine: no window, no sound device, a virtual clock and a
// script for keys, joystick and focus. See headless.h for the rules.
#include "platform/headless/audio_recording.h"
#include "platform/files/file_written.h"
#include "platform/pad_keys.h"
#include "platform/headless/headless.h"
#include "platform/machine.h"
#include "platform/platform.h"

#include <algorithm>
#include <cstring>
#include <iostream>

namespace {

// A keyboard read that follows another with neither a present nor a sleep in
// between is part of a busy wait for a key; after this many in a row the
// script is fed to the wait one command per read.
constexpr int kBusyPollsBeforeFeeding = 3;
constexpr size_t kMaxRecordedSleeps = 4096;
constexpr size_t kMaxRecordedBeeps = 4096;

struct Machine {
    headless::Options options;
    std::vector<headless::Command> script;
    size_t nextCommand = 0;
    headless::CommandHandler handler;
    platform::WindowModeListener windowModeListener = nullptr;  // kept across Configure, like the handler

    uint64_t micros = 0;              // virtual time since start
    int64_t frames = 0;               // frames presented
    bool activitySincePoll = true;    // a present or sleep happened since the last read
    int busyPolls = 0;

    uint8_t keys[256] = {};
    bool focus = true;
    bool keyboardReadsFail = false;
    int joyX = 0, joyY = 0;           // raw axes, -1000 .. 1000
    uint8_t joyButtons[32] = {};
    bool controller = false;          // the script's last pad command was "pad", not "joy"

    bool displayOpen = false;
    int displayRefresh = 0;
    std::string title;
    std::vector<uint16_t> lastFrame;
    int frameWidth = 0, frameHeight = 0;

    std::vector<uint32_t> sleeps;
    std::vector<std::pair<int, int>> beeps;
    platform::AudioCallback audio = nullptr;
    void* audioUser = nullptr;
    int audioLocks = 0;               // LockAudio calls not yet undone
};

}  // namespace

namespace {

Machine& M() {
    static Machine machine;
    return machine;
}

void HandOver(const headless::Command& command) {
    if (M().handler) M().handler(command);
}

void ApplyKeys(const headless::Command& command) {
    std::memset(M().keys, 0, sizeof M().keys);
    for (const std::string& name : command.args) {
        int code = headless::ScanCodeForName(name);
        if (code >= 0 && code < 256) M().keys[code] = 0x80;
    }
}

void ApplyJoystick(const headless::Command& command) {
    auto arg = [&](size_t i) { return i < command.args.size() ? std::atoi(command.args[i].c_str()) : 0; };
    M().joyX = std::clamp(arg(0), -1, 1) * 1000;
    M().joyY = std::clamp(arg(1), -1, 1) * 1000;
    M().joyButtons[0] = arg(2) ? 0x80 : 0;
    M().joyButtons[1] = arg(3) ? 0x80 : 0;
    M().controller = false;
}

// A game controller: the named buttons held, the D-pad steering as on SDL.
void ApplyPad(const headless::Command& command) {
    Machine& m = M();
    std::memset(m.joyButtons, 0, sizeof m.joyButtons);
    for (const std::string& name : command.args) {
        int button = headless::PadButtonForName(name);
        if (button > 0) m.joyButtons[button - 1] = 0x80;
    }
    auto held = [&](const char* name) { return m.joyButtons[headless::PadButtonForName(name) - 1] != 0; };
    m.joyX = ((held("RIGHT") ? 1 : 0) - (held("LEFT") ? 1 : 0)) * 1000;
    m.joyY = ((held("DOWN") ? 1 : 0) - (held("UP") ? 1 : 0)) * 1000;
    m.controller = true;
}

void Apply(const headless::Command& command) {
    if (command.verb == "keys") {
        ApplyKeys(command);
    } else if (command.verb == "joy") {
        ApplyJoystick(command);
    } else if (command.verb == "pad") {
        ApplyPad(command);
    } else if (command.verb == "focus") {
        M().focus = !(command.args.size() == 1 && command.args[0] == "lost");
    } else {
        HandOver(command);
    }
}

// Applies every command whose frame has been reached. A handler may end the
// program (by unwinding), so the cursor moves before each command runs.
void ApplyDueCommands() {
    Machine& m = M();
    while (m.nextCommand < m.script.size() && m.script[m.nextCommand].frame <= m.frames) {
        headless::Command command = m.script[m.nextCommand++];
        Apply(command);
    }
}

// In a busy wait for a key the next command runs whatever its frame number;
// with none left the run ends, so that a wait never hangs.
void FeedBusyWait() {
    Machine& m = M();
    if (m.nextCommand < m.script.size()) {
        headless::Command command = m.script[m.nextCommand++];
        Apply(command);
        return;
    }
    headless::Command quit;
    quit.frame = m.frames;
    quit.verb = "quit";
    HandOver(quit);
}

void AdvanceMicros(uint64_t us) {
    M().micros += us;
    headless::CatchUpAudioRecording();
}

// micros of the frame boundary n: floor(n * 1000000 / 75)
uint64_t FrameBoundary(int64_t n) {
    return static_cast<uint64_t>(n) * 1000000ULL / 75ULL;
}

}  // namespace

namespace headless {

void Configure(const Options& options, std::vector<Command> script) {
    Machine& m = M();
    CommandHandler keep = std::move(m.handler);
    platform::WindowModeListener listener = m.windowModeListener;
    m = Machine{};
    m.handler = std::move(keep);
    m.windowModeListener = listener;
    m.options = options;
    m.script = std::move(script);
    // Recorded from the start at full size: recording allocates nothing while the game runs.
    m.sleeps.reserve(kMaxRecordedSleeps);
    m.beeps.reserve(kMaxRecordedBeeps);
    platform::ForgetDataPaths();
    std::stable_sort(m.script.begin(), m.script.end(),
                     [](const Command& a, const Command& b) { return a.frame < b.frame; });
}

void SetCommandHandler(CommandHandler handler) { M().handler = std::move(handler); }

void SwitchWindowMode(bool windowed) {
    if (M().windowModeListener != nullptr) M().windowModeListener(windowed);
}
int64_t PresentedFrames() { return M().frames; }
const std::vector<uint16_t>& LastFrame() { return M().lastFrame; }
int LastFrameWidth() { return M().frameWidth; }
int LastFrameHeight() { return M().frameHeight; }
uint64_t VirtualMicros() { return M().micros; }
const uint8_t* HeldKeys() { return M().keys; }
bool ScriptFocus() { return M().focus; }
const std::vector<uint32_t>& Sleeps() { return M().sleeps; }
const std::vector<std::pair<int, int>>& Beeps() { return M().beeps; }
const std::string& DisplayTitle() { return M().title; }

void PullAudio(int16_t* out, int frames) {
    if (M().audio) {
        M().audio(out, frames, M().audioUser);
    } else {
        std::memset(out, 0, sizeof(int16_t) * 2 * static_cast<size_t>(frames));
    }
}

bool AudioLocked() { return M().audioLocks > 0; }

void SetKeyboardReadsFail(bool fail) { M().keyboardReadsFail = fail; }

void SetJoystickAxes(int x, int y) {
    M().joyX = std::clamp(x, -1000, 1000);
    M().joyY = std::clamp(y, -1000, 1000);
}

}  // namespace headless

namespace platform {

uint32_t machine::TickCount() {
    return M().options.startTick + static_cast<uint32_t>(M().micros / 1000);
}

uint64_t CounterNow() {
    AdvanceMicros(1);  // a busy wait on the counter must see time pass
    return M().micros;
}

uint64_t CounterFrequency() { return 1000000; }

// no page around the game to keep or offer a written file
void TellFileWritten(const std::string&) {}

// no page to offer controls for a screen
void ShowingScreen(ShownScreen) {}

void SleepMs(uint32_t ms) {
    Machine& m = M();
    if (m.sleeps.size() < kMaxRecordedSleeps) m.sleeps.push_back(ms);
    AdvanceMicros(static_cast<uint64_t>(ms) * 1000);
    m.activitySincePoll = true;
}

void IdleMicros(uint32_t us) {
    AdvanceMicros(us);
}

// A headless run keeps everything it writes in its working directory.
std::string UserDataDirectory() {
    return "";
}

bool KeepsFilesInWorkingFolder() {
    return true;
}

LocalTime machine::LocalClock() {
    // A fixed date keeps captures of the options screen reproducible.
    LocalTime t;
    t.year = 2026;
    t.month = 3;
    t.day = 5;
    uint64_t seconds = M().micros / 1000000;
    t.hour = static_cast<int>(12 + seconds / 3600 % 12);
    t.minute = static_cast<int>(seconds / 60 % 60);
    t.second = static_cast<int>(seconds % 60);
    return t;
}

bool machine::OpenDisplay(int width, int height, int refreshHz, const std::string& title) {
    Machine& m = M();
    if (m.options.displayFails) return false;
    if (refreshHz != 0 && (refreshHz != 75 || m.options.displayRefuses75)) return false;
    m.displayOpen = true;
    m.displayRefresh = m.options.displayRefuses75 ? 60 : 75;
    m.title = title;
    m.frameWidth = width;
    m.frameHeight = height;
    m.lastFrame.assign(static_cast<size_t>(width) * height, 0);
    return true;
}

void machine::CloseDisplay() {
    M().displayOpen = false;
    M().title.clear();
}

int machine::DisplayRefreshRate() { return M().displayOpen ? M().displayRefresh : 0; }

void machine::PresentPixels(const uint16_t* pixels, int width, int height, int pitch) {
    Machine& m = M();
    if (pixels != nullptr && m.displayOpen && width == m.frameWidth && height == m.frameHeight) {
        for (int row = 0; row < height; ++row) {
            std::memcpy(&m.lastFrame[static_cast<size_t>(row) * width], pixels + static_cast<size_t>(row) * pitch,
                        sizeof(uint16_t) * width);
        }
    }
    ++m.frames;
    AdvanceMicros(FrameBoundary(m.frames) - FrameBoundary(m.frames - 1));
    m.activitySincePoll = true;
    if (m.options.maxFrames >= 0 && m.frames >= m.options.maxFrames) {
        headless::Command quit;
        quit.frame = m.frames;
        quit.verb = "quit";
        HandOver(quit);
    }
    ApplyDueCommands();
}

// The headless display is never a window and scales nothing; it is always
// there to open.
void ChooseDisplay(const DisplayChoice&) {}
void ListenToWindowMode(WindowModeListener listener) { M().windowModeListener = listener; }
bool DisplayAvailable(std::string&) { return true; }
bool DisplayWasOpened(std::string&) { return true; }
void ShowFatalMessage(const std::string& line) { std::cerr << line << '\n'; }

void machine::PumpWindowEvents() {}
bool machine::WindowHasFocus() { return M().displayOpen && M().focus; }
uint64_t machine::FreeVideoBytes() { return M().displayOpen ? M().options.freeVideoBytes : 0; }

void SystemBeep(int frequencyHz, int durationMs) {
    if (M().beeps.size() < kMaxRecordedBeeps) M().beeps.emplace_back(frequencyHz, durationMs);
    AdvanceMicros(static_cast<uint64_t>(std::max(durationMs, 0)) * 1000);
    M().activitySincePoll = true;
}

bool machine::OpenKeyboard() { return !M().options.noKeyboard; }

bool machine::ReadKeyboard(uint8_t keys[256]) {
    Machine& m = M();
    if (m.activitySincePoll) {
        m.busyPolls = 0;
    } else {
        ++m.busyPolls;
    }
    m.activitySincePoll = false;
    ApplyDueCommands();
    if (m.busyPolls >= kBusyPollsBeforeFeeding) FeedBusyWait();
    if (m.keyboardReadsFail) return false;
    std::memcpy(keys, m.keys, 256);
    platform::padkeys::Press(m.options.joystick && m.controller ? m.joyButtons : nullptr, keys);
    return true;
}

void CloseKeyboard() {}

bool machine::OpenJoystick() { return M().options.joystick; }

bool machine::ReadJoystick(JoystickReading& reading) {
    Machine& m = M();
    if (!m.options.joystick) return false;
    reading.x = m.joyX;
    reading.y = m.joyY;
    std::memcpy(reading.buttons, m.joyButtons, sizeof reading.buttons);
    return true;
}

void CloseJoystick() {}

bool machine::OpenAudio(AudioCallback callback, void* user) {
    if (M().options.noAudio) return false;
    M().audio = callback;
    M().audioUser = user;
    return true;
}

void LockAudio() { ++M().audioLocks; }
void UnlockAudio() { --M().audioLocks; }

void CloseAudio() {
    M().audio = nullptr;
    M().audioUser = nullptr;
}

}  // namespace platform
