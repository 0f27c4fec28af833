// The seam between the game and the machine.
//
// Everything the game and the media services know of the computer goes
// through these few calls: a millisecond tick and a fine counter, sleeping,
// the local clock, one window that shows a 1024 x 768 frame of 5:6:5 pixels,
// the 256-key snapshot under the game's scan codes, one joystick, one audio
// output that pulls 44100 Hz 16-bit stereo samples from a mixer callback, text
// rasterising and files. Two backends implement it and the build picks one at
// link time: the real one on SDL (media/platform/sdl) and a headless one with a
// virtual clock and a script (media/platform/headless).
//
// Game logic reads only TickCount() and sleeps only through SleepMs(); the
// counter is for the frame limiter, the local clock for the date text.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// ---- time --------------------------------------------------------------
// milliseconds since an arbitrary start; wraps like the system tick count
uint32_t TickCount();
// high-resolution counter value; only the frame limiter reads it
uint64_t CounterNow();
// counter ticks per second, 0 when there is no such counter
uint64_t CounterFrequency();
// block the caller for ms milliseconds, processing no window events
void SleepMs(uint32_t ms);
// lets the processor rest for about us microseconds while the frame limiter
// waits on the counter; not a game pause (the headless clock just moves on)
void IdleMicros(uint32_t us);

struct LocalTime {
    int year = 1970, month = 1, day = 1, hour = 0, minute = 0, second = 0;
};
// the wall clock of the machine's time zone
LocalTime LocalClock();

// ---- display -------------------------------------------------------------
// How the frame fills the screen: as large as fits with its proportions kept,
// or the largest whole multiple that fits (1x when nothing larger does), for
// sharp pixels; both centred on black.
enum class FrameScaling { Fit, WholeMultiples };
struct DisplayChoice {
    bool windowed = false;  // a window of the frame's size instead of the full screen
    FrameScaling scaling = FrameScaling::Fit;
    bool keepDesktopMode = false;  // the full screen never changes the display's mode
};
// how every later OpenDisplay shows the frame (full screen and fit until called)
void ChooseDisplay(const DisplayChoice& choice);
// the player switched between full screen and a window (Alt+Enter): called
// from PumpWindowEvents on the game thread with the new mode
using WindowModeListener = void (*)(bool windowed);
void ListenToWindowMode(WindowModeListener listener);
// whether a display can be opened at all; if not, `problem` says why
bool DisplayAvailable(std::string& problem);
// whether OpenDisplay has succeeded at least once in this run; if not,
// `problem` says why the last attempt failed
bool DisplayWasOpened(std::string& problem);
// Opens the game's full-screen display showing width x height pixels. With
// refreshHz > 0 the display must run at that rate, already or by switching
// its mode for the full screen (unless the choice keeps the desktop's mode);
// the display then paces the frames. Otherwise the call fails and opens
// nothing; 0 accepts any rate.
bool OpenDisplay(int width, int height, int refreshHz, const std::string& title);
// closes the display (harmless when none is open)
void CloseDisplay();
// refresh rate of the open display in Hz, 0 if unknown or nothing is open
int DisplayRefreshRate();
// shows a frame of 5:6:5 pixels, `pitch` pixels per row, scaled to the screen.
// pixels == nullptr marks a frame the game skipped while its window was
// inactive: the display keeps what it shows (the headless backend still counts
// the frame, so that its clock and script move on).
void PresentPixels(const uint16_t* pixels, int width, int height, int pitch);
// processes pending window events (focus changes among them)
void PumpWindowEvents();
// whether the game's window is the active application
bool WindowHasFocus();
// free display memory in bytes, for the title screen's information line
uint64_t FreeVideoBytes();
// the alert tone of the given frequency and length: blocks for its length
// (the media layer plays the tone itself through its mixer)
void SystemBeep(int frequencyHz, int durationMs);

// ---- keyboard and joystick -------------------------------------------------
bool OpenKeyboard();
// fills 256 bytes indexed by scan code; 0x80 = held. False keeps nothing new.
bool ReadKeyboard(uint8_t keys[256]);
void CloseKeyboard();

struct JoystickReading {
    int x = 0, y = 0;          // axes, -1000 .. 1000
    uint8_t buttons[32] = {};  // 0x80 = pressed, button 1 first
};
// Opens the pad service; false when there is none. A backend that follows
// pads plugged in later opens it with no pad attached, and reads fail while
// there is none.
bool OpenJoystick();
// reads the pad (the first one attached); false when there is none
bool ReadJoystick(JoystickReading& reading);
void CloseJoystick();

// ---- audio ----------------------------------------------------------------
// Fills `frames` stereo frames of interleaved signed 16-bit samples at 44100 Hz.
// Runs on the audio thread; the game thread guards shared state with
// LockAudio/UnlockAudio.
using AudioCallback = void (*)(int16_t* out, int frames, void* user);
constexpr int kAudioRate = 44100;
bool OpenAudio(AudioCallback callback, void* user);
void LockAudio();
void UnlockAudio();
void CloseAudio();

// ---- text -------------------------------------------------------------------
// Coverage of one line of text in the default face: width x height bytes,
// 0 = background, 255 = ink; the box is the full line height.
struct TextBitmap {
    int width = 0, height = 0;
    std::vector<uint8_t> coverage;
};
bool RasterizeText(const std::string& text, TextBitmap& out);

// ---- files --------------------------------------------------------------------
// The game names files relative to its directory, with backslashes
// ("graph\ball2.bmp", "Hit Score.ini"). Started from its own directory (one
// holding "graph"), every file is taken from the working directory. Started
// from anywhere else, the asset pack (graph, font, wav, music) is taken from
// beside the executable or from the installed data directory, and the files
// the game writes go to the per-user data directory of the backend.
std::string HostPath(const std::string& gamePath);
// the per-user directory for written files, ending in '/'; "" = working directory
std::string UserDataDirectory();
// the per-user settings folder ($XDG_CONFIG_HOME/gulpkin/, else
// ~/.config/gulpkin/), ending in '/'; "" when neither can be told
std::string SettingsDirectory();
// takes the asset pack from `directory` from now on; false (and nothing
// changed) when it holds no asset pack
bool UseAssetDirectory(const std::string& directory);
// forgets the directories chosen so far (the next HostPath chooses again)
void ForgetDataPaths();
// reads a whole file; false if it cannot be opened or read
bool ReadWholeFile(const std::string& gamePath, std::vector<uint8_t>& out);
// writes a file so that a crash never leaves a half-written one in its place:
// the bytes go to a temporary file beside it, which is then renamed over it
bool WriteFileAtomically(const std::string& gamePath, const void* data, size_t size);
// writes a file in place (a capture may be read by other programs meanwhile)
bool WriteWholeFile(const std::string& gamePath, const void* data, size_t size);

}  // namespace platform
