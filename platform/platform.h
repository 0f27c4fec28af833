// The seam between the game and the machine.
//
// Everything the game and the media services know of the computer goes
// through these few calls: a millisecond tick and a fine counter, sleeping,
// the local clock, one window that shows a 1024 x 768 frame of 5:6:5 pixels,
// the 256-key snapshot under the game's scan codes, one joystick, one audio
// output that pulls 44100 Hz 16-bit stereo samples from a mixer callback, text
// rasterising and files. Two backends implement it and the build picks one at
// link time: the real one on SDL (platform/sdl) and a headless one with a
// virtual clock and a script (platform/headless).
//
// The calls come in two halves. ANSWERS are what the game reads from the
// machine; a recording keeps each one with its kind and a replay hands it
// back (platform/journal). EFFECTS are what the game does to the
// machine (draw, sound, sleep, write a file); they are never recorded and
// never take an answer. A few calls serve neither: the set-up made before a
// game starts, pacing that only decides when a frame is shown, and the
// player's own files.
//
// Game logic reads only TickCount() and sleeps only through SleepMs(); the
// counter is for the frame limiter, the local clock for the date text.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

struct LocalTime {
    int year = 1970, month = 1, day = 1, hour = 0, minute = 0, second = 0;
};
struct JoystickReading {
    int x = 0, y = 0;          // axes, -1000 .. 1000
    uint8_t buttons[32] = {};  // 0x80 = pressed, button 1 first
};
// Fills `frames` stereo frames of interleaved signed 16-bit samples at 44100 Hz.
// Runs on the audio thread; the game thread guards shared state with
// LockAudio/UnlockAudio.
using AudioCallback = void (*)(int16_t* out, int frames, void* user);
constexpr int kAudioRate = 44100;

// ==== ANSWERS: what the game reads from the machine (recorded) ================

// milliseconds since an arbitrary start; wraps like the system tick count
uint32_t TickCount();
// the wall clock of the machine's time zone
LocalTime LocalClock();
// Opens the game's full-screen display showing width x height pixels. With
// refreshHz > 0 the display must run at that rate, already or by switching
// its mode for the full screen (unless the choice keeps the desktop's mode);
// the display then paces the frames. Otherwise the call fails and opens
// nothing; 0 accepts any rate.
bool OpenDisplay(int width, int height, int refreshHz, const std::string& title);
// refresh rate of the open display in Hz, 0 if unknown or nothing is open
int DisplayRefreshRate();
// whether the game's window is the active application
bool WindowHasFocus();
// free display memory in bytes, for the title screen's information line
uint64_t FreeVideoBytes();
bool OpenKeyboard();
// fills 256 bytes indexed by scan code; 0x80 = held. False keeps nothing new.
bool ReadKeyboard(uint8_t keys[256]);
// Opens the pad service; false when there is none. A backend that follows
// pads plugged in later opens it with no pad attached, and reads fail while
// there is none.
bool OpenJoystick();
// reads the pad (the first one attached); false when there is none
bool ReadJoystick(JoystickReading& reading);
// Opens the audio output; `wanted` false (the player turned the sound off)
// answers no without opening the machine's device
bool OpenAudio(AudioCallback callback, void* user, bool wanted);
// Reads a whole file of the game: the asset pack (not recorded: its
// fingerprint is) or the best score. Only a regular file of at most `limit`
// bytes is read; anything else gets one warning line on stderr. False if it
// cannot be read.
constexpr size_t kLargestGameFile = 64u << 20;
bool ReadWholeFile(const std::string& gamePath, std::vector<uint8_t>& out, size_t limit = kLargestGameFile);
// (PumpWindowEvents, below, also takes an answer: whether the player asked
// to end the program.)

// ==== EFFECTS: what the game does to the machine (never recorded) =============

// ---- display ---------------------------------------------------------------
// closes the display (harmless when none is open)
void CloseDisplay();
// shows a frame of 5:6:5 pixels, `pitch` pixels per row, scaled to the screen.
// pixels == nullptr marks a frame the game skipped while its window was
// inactive: the display keeps what it shows (the headless backend still counts
// the frame, so that its clock and script move on). The pixels stay readable
// until the next present or until the display closes: a display whose window
// changes in between (Alt+Enter, uncovered) shows them again.
void PresentPixels(const uint16_t* pixels, int width, int height, int pitch);
// processes pending window events (focus changes among them). When the
// player has asked to end the program (the window closed, or SIGINT, SIGTERM
// or SIGHUP), the end handler runs here, on the game thread.
void PumpWindowEvents();
// From now on a request to end the program runs `handler` inside
// PumpWindowEvents, the same orderly end as the game's own Escape; it is
// expected to unwind the game (it may throw). Also catches the signals.
void SetEndHandler(void (*handler)());
// the alert tone of the given frequency and length: blocks for its length
// (the media layer plays the tone itself through its mixer)
void SystemBeep(int frequencyHz, int durationMs);
// block the caller for ms milliseconds, processing no window events
void SleepMs(uint32_t ms);

// ---- pads on the menus -------------------------------------------------------
// A button of a pad known as a game controller, by the game's button number
// (1 A, 2 B, 3 X, 4 Y, 5 Back, 6 Guide, 7 Start), and the key it presses.
struct PadKey {
    int button = 0;
    uint8_t code = 0;
};
// From now on, until called again, every keyboard read also presses the key
// of each listed button held on a game controller, so that the snapshot (and
// a recording of it) holds it like a key of the keyboard. A button already
// held when the list is chosen counts only once it has been let go. An empty
// list presses nothing; a plain joystick never presses keys.
void PressKeysWithPad(const PadKey* keys, size_t count);

// ---- devices ---------------------------------------------------------------
void CloseKeyboard();
void CloseJoystick();
void LockAudio();
void UnlockAudio();
void CloseAudio();

// ---- text ------------------------------------------------------------------
// Coverage of one line of text in the default face: width x height bytes,
// 0 = background, 255 = ink; the box is the full line height.
struct TextBitmap {
    int width = 0, height = 0;
    std::vector<uint8_t> coverage;
};
bool RasterizeText(const std::string& text, TextBitmap& out);

// ---- written files -----------------------------------------------------------
// Every write is safe: a fresh file beside the target, synced, renamed over
// it (the mode of the file replaced kept), the folder synced; a link another
// user owns in a folder others can write is never followed. A replay writes
// to a scratch folder of its own.
//
// writes one of the game's files (the best score); a new one is readable as
// the user's umask allows. False, and the reason in `error` when given, when
// it was not written completely.
bool WriteGameFile(const std::string& gamePath, const void* data, size_t size, std::string* error = nullptr);
// writes a screen capture the same way but unsynced: renamed into place
// whole, never seen half-written, yet no stall for the disk (F12 held
// captures every frame, and a capture is taken again at will)
bool WriteCaptureFile(const std::string& gamePath, const void* data, size_t size, std::string* error = nullptr);
// whether the game's file could be written (a file created beside it and removed)
bool CanWriteGameFile(const std::string& gamePath);
// Gives the process its file-creation mask back when it goes out of scope:
// held around a library call that narrows the mask for a temporary file of
// its own and leaves it so (the music library's converters of packed
// modules set 0177), which would take the search permission from every
// folder the game creates afterwards.
class KeepFileMask {
public:
    KeepFileMask();
    ~KeepFileMask();
    KeepFileMask(const KeepFileMask&) = delete;
    KeepFileMask& operator=(const KeepFileMask&) = delete;

private:
    unsigned mask_ = 0;
};

// ==== neither: set-up, pacing and the player's own files ======================

// ---- the page around the game ---------------------------------------------------
// The screens a page around the game (in a web browser) offers controls for:
// each reads keys of its own. Elsewhere nothing surrounds the game.
enum class ShownScreen { Intro, TitleMenu, Play, LostLifeWait, EndScreen };
// tells the page which screen the game shows from now on (no effect elsewhere)
void ShowingScreen(ShownScreen screen);

// ---- pacing (decides only when a frame is shown) ------------------------------
// high-resolution counter value; only the frame limiter reads it
uint64_t CounterNow();
// counter ticks per second, 0 when there is no such counter
uint64_t CounterFrequency();
// lets the processor rest for about us microseconds while the frame limiter
// waits on the counter; not a game pause (the headless clock just moves on)
void IdleMicros(uint32_t us);

// ---- display set-up (before the game starts) ----------------------------------
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
// A line telling the player why the game cannot start: on stderr, and where
// a game started from the desktop has no console (Windows) in a message box
// too, which waits for the player
void ShowFatalMessage(const std::string& line);

// ---- where files live ------------------------------------------------------------
// The game names files relative to its directory, with backslashes
// ("graph\ball2.bmp", "Hit Score.ini"). Its directory is where its program
// is, never the working directory: the asset pack (graph, font, wav, music)
// is taken from --data, else from beside the program, else from the
// installed data directory. The files the game writes go beside the program
// when the pack lies there (a built game), else to the per-user data
// directory of the backend (the headless backend: the working directory).
std::string HostPath(const std::string& gamePath);
// the per-user directory for written files, ending in '/'; "" = working directory
std::string UserDataDirectory();
// whether the backend keeps the files the game writes in the working
// directory wherever its program is (the headless driver does)
bool KeepsFilesInWorkingFolder();
// the per-user settings folder ($XDG_CONFIG_HOME/gulpkin/, else
// ~/.config/gulpkin/; on Windows the folder of the best score), ending in
// '/'; "" when neither can be told
std::string SettingsDirectory();
// takes the asset pack from `directory` from now on; false (and nothing
// changed) when it holds no asset pack
bool UseAssetDirectory(const std::string& directory);
// the folder the asset pack is taken from, ending in '/' ("" = the working
// directory); when no place holds one, the folder beside the program, where
// a player who copied the program alone would put it
std::string AssetPackFolder();
// forgets the directories chosen so far (the next HostPath chooses again)
void ForgetDataPaths();

// ---- the player's own files ----------------------------------------------------
// Settings and pad mappings the player keeps, by host path. A read takes only
// a regular file of at most 64 KiB, with one warning line on stderr otherwise
// (NotRead: a file is there but was not read, so it must not be rewritten
// from what was read); the text is empty unless Read. They are read once at
// start-up and never recorded: a game in progress never reads them.
enum class PlayerFileRead { Read, Missing, NotRead };
PlayerFileRead ReadPlayerFile(const std::string& path, std::string& text);
// writes a player's file, private to the user (0600 unless it replaces a file
// of another mode, its folder made 0700 when missing); false and a one-line
// reason in `error` when it was not written completely
bool WritePlayerFile(const std::string& path, const std::string& text, std::string& error);

}  // namespace platform
