// Controls of the headless backend: the virtual clock, the input script and
// the frames kept for inspection. Only the headless driver and tests include
// this; the game itself sees the plain platform seam.
//
// The virtual clock moves only when the game presents a frame (one 75 Hz
// period, accumulated exactly: after n frames it has moved floor(n * 1000 / 75)
// ms), sleeps (by the sleep's length) or reads the fine counter (1 us a read,
// so that a busy wait ends). Script commands take effect as soon as their
// frame number of presented frames is reached, before the next keyboard read.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace headless {

// one parsed script line
struct Command {
    int64_t frame = 0;
    std::string verb;                // keys, joy, pad, focus, shot, dump, quit, clear, ...
    std::vector<std::string> args;
};

struct Options {
    uint32_t startTick = 1000000;
    int64_t maxFrames = -1;          // -1: no limit
    bool joystick = false;           // OpenJoystick finds one
    bool displayRefuses75 = false;   // the display does not run at 75 Hz
    bool displayFails = false;       // no display can be opened at all
    bool noKeyboard = false;         // OpenKeyboard finds no keyboard
    bool noAudio = false;            // OpenAudio finds no audio device
    uint64_t freeVideoBytes = 64ULL << 20;  // free memory for images while the display is open
};

// Resets the backend to a fresh machine with these options and this script.
void Configure(const Options& options, std::vector<Command> script);
// Parses a script text; returns false and an error text on a bad line.
bool ParseScript(const std::string& text, std::vector<Command>& out, std::string& error);
// The game's number (1 = A) of a pad button named in the script (A, B, X, Y,
// BACK, GUIDE, START, LEFTSTICK, RIGHTSTICK, LEFTSHOULDER, RIGHTSHOULDER and
// the D-pad's UP, DOWN, LEFT, RIGHT), in SDL's order; -1 if unknown.
int PadButtonForName(const std::string& name);
// A KEY name of the script (ESC, SPACE, F1.., UP, ...) or a decimal code; -1 if unknown.
int ScanCodeForName(const std::string& name);

// Commands the backend does not handle itself (dump, shot, quit, clear and
// any later ones) go to this handler, with the backend still inside the call
// that found them (a keyboard read or a present). When the script runs out
// during a wait for a key, or --max-frames is reached, the handler receives
// the verb "quit".
using CommandHandler = std::function<void(const Command&)>;
void SetCommandHandler(CommandHandler handler);

// frames presented so far
int64_t PresentedFrames();
// the last presented frame (1024 x 768 5:6:5 pixels; empty before the first)
const std::vector<uint16_t>& LastFrame();
int LastFrameWidth();
int LastFrameHeight();
// the virtual time in microseconds
uint64_t VirtualMicros();
// the keys held now by the script, for tests
const uint8_t* HeldKeys();
// true while the script says the window has the focus
bool ScriptFocus();
// sleeps requested so far (ms each), for tests of pauses and beeps
const std::vector<uint32_t>& Sleeps();
// beeps requested so far as (frequency, duration) pairs
const std::vector<std::pair<int, int>>& Beeps();
// the title the display was opened with ("" when none is open)
const std::string& DisplayTitle();
// pulls `frames` stereo frames from the audio callback, if audio is open
void PullAudio(int16_t* out, int frames);
// Records what the audio device plays from now on into a WAV file (44100 Hz
// 16-bit stereo): as the virtual clock moves, the frames due by then are
// pulled from the audio callback (silence while no audio is open) and
// written. False, with a one-line reason in `error`, if the file cannot be
// created.
bool StartAudioRecording(const std::string& path, std::string& error);
// writes the frames due by now, completes the file and puts it in place;
// false with a one-line reason on a write error (true when no recording is
// open)
bool FinishAudioRecording(std::string& error);
// while set, keyboard reads fail, as when the keyboard is lost with the focus
void SetKeyboardReadsFail(bool fail);
// the player's switch to or from a window (Alt+Enter on the real display):
// tells the listener given to ListenToWindowMode, as the real display does
void SwitchWindowMode(bool windowed);
// sets the joystick's raw axes (-1000 .. 1000) until the next "joy" command
void SetJoystickAxes(int x, int y);

}  // namespace headless
