// Recording and replaying, the seam's door to the journal (journal/), which
// records a game and replays it exactly.
//
// The game is deterministic once everything it reads from the machine is
// fixed, and all of that passes through the seam (platform.h). While a
// recording runs, every answer the machine gives there (ticks, keyboard and
// joystick readings, focus, the display's open result and rate, the local
// clock, free video memory, the best score file, requests to end the
// program) is written to the recording with its kind, in the order the game
// reads it, with a checksum of the presented frame every 75 frames. A replay
// hands the game the recorded answers in the same order without asking the
// machine, checks the kinds and the frame checksums, and stops the game
// (through the stop handler) when the recording runs out or drifts. Drawing,
// sound and file writes still happen; a replay writes its files to a scratch
// folder of its own, made fresh and removed at the end. The fine counter,
// sleeps and the audio pulls only pace the frames and are never recorded.
//
// Order: StartRecording or StartReplay, then the game runs, then Finish.
// The file format is described in journal/journal_format.h.
#pragma once

#include <cstdint>
#include <string>

namespace journal {

enum class Mode { Off, Recording, Replaying, Stopped };

struct ReplayOptions {
    bool pace = false;         // keep the recorded pace in real time (the window)
    bool watchEscape = false;  // the machine's Escape key stops the replay
};

// How a replay ended, once Finish has run (or while it runs: Running).
// Damaged: the recording held an answer the machine never gives.
enum class ReplayEnd { Running, Completed, Escaped, Drifted, Damaged };

// The highest level a recording may start at (the game's last level); 0
// starts at the title.
constexpr uint64_t kHighestStartLevel = 30;

// Starts recording to `path`; `startLevel` (> 0: the game starts at that level
// without the title screen) goes into the header. False and a one-line
// error when the file cannot be written.
bool StartRecording(const std::string& path, int startLevel, std::string& error);
// Loads and checks a recording (header, asset pack, every token, the
// checksum) and starts replaying it; `startLevel` receives the header's.
// False and a one-line error for a file that cannot be replayed: one that is
// no regular file (a pipe, a device) or larger than kMaxRecordingBytes is
// never read.
bool StartReplay(const std::string& path, const ReplayOptions& options, int& startLevel, std::string& error);
// Ends the session: a recording writes its end and closes the file; a replay
// checks that it used the whole recording. False and an error otherwise.
// Afterwards every call goes to the machine again. Harmless when Off.
bool Finish(std::string& error);

Mode CurrentMode();
// how the replay ended (Running before the end and for recordings)
ReplayEnd ReplayOutcome();
// frames presented since the session started
int64_t Frames();
// 16 hex digits: the hash of the last presented frame's pixels
std::string LastFrameHashText();

// Called when a replay stops inside a seam call (end of the recording,
// Escape, drift); it is expected to unwind the game (it may throw).
void SetStopHandler(void (*handler)());

// the directory a replay writes files to, ending in '/'; "" when not replaying
std::string ScratchDirectory();

}  // namespace journal
