// The journal's state: one recording or one replay at a time.
#include "platform/journal/journal_session.h"

#include "platform/files/file_system.h"
#include "platform/journal/journal_hashes.h"
#include "platform/machine.h"
#include "platform/platform.h"

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>

#ifndef GULPKIN_VERSION
#define GULPKIN_VERSION "unknown"
#endif

namespace journal {

namespace {

constexpr int kEscapeCode = 0x01;
constexpr uint32_t kLongestPaceWaitMs = 5000;

struct Session {
    Mode mode = Mode::Off;
    Writer writer;
    std::vector<uint8_t> bytes;  // the recording being replayed
    Reader reader;
    ReplayOptions options;
    ReplayEnd end = ReplayEnd::Running;
    std::string problem;  // why a replay drifted
    std::string path;     // the recording being replayed
    int64_t frames = 0;
    const uint16_t* lastPixels = nullptr;
    int lastWidth = 0, lastHeight = 0, lastPitch = 0;
    uint64_t lastHash = 0;  // of the last frame, once its pixels are gone
    bool paceStarted = false;
    uint32_t paceOffset = 0;
    std::string scratch;
    void (*stopHandler)() = nullptr;
    uint8_t zeros[512] = {};
};

Session session;

void ResetFrames() {
    session.frames = 0;
    session.lastPixels = nullptr;
    session.lastHash = 0;
    session.end = ReplayEnd::Running;
    session.problem.clear();
    session.paceStarted = false;
}

void Stop(ReplayEnd why, const std::string& problem) {
    if (session.mode != Mode::Replaying) return;
    session.mode = Mode::Stopped;
    session.end = why;
    session.problem = problem;
    if (session.stopHandler != nullptr) session.stopHandler();
}

std::string FrameText(int64_t frame) {
    return "frame " + std::to_string(frame);
}

// The game asked for more than the recording holds: the recording ended here
// (its window was closed) or, at another frame, the replay went another way.
// An answer of another kind is named at once, with both kinds.
void StopAt(ReadResult result, Kind asked) {
    if (result == ReadResult::End && session.frames == session.reader.RecordedFrames()) {
        Stop(ReplayEnd::Completed, "");
    } else if (result == ReadResult::KindMismatch) {
        Stop(ReplayEnd::Drifted, "the replay drifted from its recording at " + FrameText(session.frames) +
                                     ": it asked for the " + KindName(asked) + ", the recording holds the " +
                                     KindName(session.reader.RecordedKind()));
    } else {
        Stop(ReplayEnd::Drifted, "the replay drifted from its recording at " + FrameText(session.frames));
    }
}

// A replay's own scratch folder, made fresh (a new name, private) in the
// user's own temporary folder; nobody else can have put anything in it.
bool MakeScratchDirectory(std::string& directory) {
    std::string parent = platform::fs::TemporaryFolder();
    directory = platform::fs::MakeUniqueDirectory(parent, "gulpkin-replay-");
    if (directory.empty()) directory = parent + "/gulpkin-replay-XXXXXX";
    return directory.back() == '/';
}

// Only a regular file is read, and only up to the largest recording: a pipe
// or a device is refused at once instead of waited on or read for ever.
bool ReadRecording(const std::string& path, std::vector<uint8_t>& bytes, std::string& error) {
    platform::fs::ReadOutcome outcome = platform::fs::ReadRegularFile(path, kMaxRecordingBytes, bytes);
    if (outcome == platform::fs::ReadOutcome::Read) return true;
    error = "recording " + path + " " + platform::fs::ReadProblem(outcome);
    return false;
}

}  // namespace

bool StartRecording(const std::string& path, int startLevel, std::string& error) {
    if (session.mode != Mode::Off) return (error = "a recording or replay is already running"), false;
    Header header;
    header.gameVersion = GULPKIN_VERSION;
    header.assetFingerprint = AssetPackFingerprint();
    header.startLevel = static_cast<uint64_t>(std::max(startLevel, 0));
    if (!session.writer.Open(path, header, error)) return false;
    ResetFrames();
    session.mode = Mode::Recording;
    return true;
}

bool StartReplay(const std::string& path, const ReplayOptions& options, int& startLevel, std::string& error) {
    if (session.mode != Mode::Off) return (error = "a recording or replay is already running"), false;
    std::vector<uint8_t>& bytes = session.bytes;
    if (!ReadRecording(path, bytes, error)) return false;
    Expected expected;
    expected.gameVersion = GULPKIN_VERSION;
    expected.assetFingerprint = AssetPackFingerprint();
    Recording recording;
    std::string problem;
    if (!CheckRecording(bytes, expected, recording, problem)) {
        std::vector<uint8_t>().swap(bytes);
        error = "recording " + path + " " + problem;
        return false;
    }
    if (!MakeScratchDirectory(session.scratch)) return (error = "cannot make " + session.scratch), false;
    session.reader.Start(bytes, recording.bodyStart, recording.frames);
    session.options = options;
    session.path = path;
    startLevel = static_cast<int>(recording.header.startLevel);
    ResetFrames();
    session.mode = Mode::Replaying;
    platform::ForgetDataPaths();  // files written from now on go to the scratch directory
    return true;
}

// A replay whose game ended by itself must have used its whole recording and
// presented as many frames.
void EndReplayedGame() {
    bool whole = session.reader.Exhausted() && session.frames == session.reader.RecordedFrames();
    session.mode = Mode::Stopped;
    session.end = whole ? ReplayEnd::Completed : ReplayEnd::Drifted;
    if (!whole) session.problem = "the replay ended at " + FrameText(session.frames) + ", its recording did not";
}

bool Finish(std::string& error) {
    Mode mode = session.mode;
    bool ok = true;
    if (mode == Mode::Recording) ok = session.writer.Close(session.frames, error);
    if (mode == Mode::Replaying) EndReplayedGame();
    bool failed = session.end == ReplayEnd::Drifted || session.end == ReplayEnd::Damaged;
    if ((mode == Mode::Replaying || mode == Mode::Stopped) && failed) {
        error = session.problem;
        ok = false;
    }
    NoteDisplayClosing();
    session.mode = Mode::Off;
    std::vector<uint8_t>().swap(session.bytes);
    if (!session.scratch.empty()) platform::fs::RemoveDirectoryTree(session.scratch);
    session.scratch.clear();
    if (mode != Mode::Off) platform::ForgetDataPaths();
    return ok;
}

Mode CurrentMode() { return session.mode; }
ReplayEnd ReplayOutcome() { return session.end; }
int64_t Frames() { return session.frames; }

std::string LastFrameHashText() {
    uint64_t hash = session.lastPixels != nullptr
                        ? HashFrame(session.lastPixels, session.lastWidth, session.lastHeight, session.lastPitch)
                        : session.lastHash;
    char text[17];
    std::snprintf(text, sizeof text, "%016" PRIx64, hash);
    return text;
}

void SetStopHandler(void (*handler)()) { session.stopHandler = handler; }

std::string ScratchDirectory() {
    return session.mode == Mode::Replaying || session.mode == Mode::Stopped ? session.scratch : "";
}

void NoteNumber(Kind kind, uint64_t value) { session.writer.Number(kind, value); }
void NoteBlob(Kind kind, const uint8_t* data, size_t size) { session.writer.Blob(kind, data, size); }

uint64_t RecordedNumber(Kind kind) {
    uint64_t value = 0;
    ReadResult result = session.reader.Number(kind, value);
    if (result == ReadResult::Ok) return value;
    StopAt(result, kind);
    return 0;
}

uint64_t RecordedNumberOr(Kind kind, uint64_t absent) {
    uint64_t value = 0;
    ReadResult result = session.reader.Number(kind, value);
    if (result == ReadResult::Ok) return value;
    if (result == ReadResult::KindMismatch) return absent;
    StopAt(result, kind);
    return 0;
}

const uint8_t* RecordedBlob(Kind kind, size_t size) {
    const std::vector<uint8_t>* blob = nullptr;
    ReadResult result = session.reader.Blob(kind, blob);
    if (result == ReadResult::Ok && blob->size() == size) return blob->data();
    StopAt(result == ReadResult::Ok ? ReadResult::Mismatch : result, kind);
    return session.zeros;
}

// The blob is the read's result (0 or 1) and, after a 1, the file's bytes.
bool RecordedFile(std::vector<uint8_t>& out, size_t limit) {
    const std::vector<uint8_t>* blob = nullptr;
    ReadResult result = session.reader.Blob(Kind::File, blob);
    if (result != ReadResult::Ok || blob->empty()) {
        StopAt(result == ReadResult::Ok ? ReadResult::Mismatch : result, Kind::File);
        return false;
    }
    uint8_t read = (*blob)[0];
    if (read > 1 || (read == 0 && blob->size() > 1) || blob->size() - 1 > limit) {
        StopAsDamaged(Kind::File);
        return false;
    }
    if (read == 0) return false;
    out.assign(blob->begin() + 1, blob->end());
    return true;
}

void StopAsDamaged(Kind kind) {
    Stop(ReplayEnd::Damaged, "recording " + session.path + " is damaged at " + FrameText(session.frames) +
                                 ": its " + KindName(kind) + " answer is out of range");
}

bool RecordedNext(Kind kind) {
    return session.mode == Mode::Replaying && session.reader.HoldsNext(kind);
}

// A frame is counted whether shown or skipped (the window inactive); every
// 75th is hashed, which costs a little over one frame's copy every second.
void NotePresent(const uint16_t* pixels, int width, int height, int pitch) {
    ++session.frames;
    if (pixels != nullptr) {
        session.lastPixels = pixels;
        session.lastWidth = width;
        session.lastHeight = height;
        session.lastPitch = pitch;
    }
    if (session.mode == Mode::Replaying && session.frames > session.reader.RecordedFrames()) {
        Stop(ReplayEnd::Drifted, "the replay drifted from its recording by " + FrameText(session.frames));
        return;
    }
    if (session.frames % kChecksumEvery != 0) return;
    uint64_t hash = HashFrame(pixels, width, height, pitch);
    if (session.mode == Mode::Recording) {
        session.writer.Checksum(session.frames, hash);
        return;
    }
    uint64_t stored = 0;
    if (session.reader.Checksum(session.frames, stored) != ReadResult::Ok || stored != hash) {
        Stop(ReplayEnd::Drifted, "the replay drifted from its recording by " + FrameText(session.frames));
    }
}

void NoteDisplayClosing() {
    if (session.lastPixels == nullptr) return;
    session.lastHash = HashFrame(session.lastPixels, session.lastWidth, session.lastHeight, session.lastPitch);
    session.lastPixels = nullptr;
}

// The first recorded tick fixes how the recorded clock maps onto the
// machine's; later ones wait until the machine's clock has caught up.
void PaceReplay(uint32_t recordedTick) {
    if (!session.options.pace || session.mode != Mode::Replaying) return;
    uint32_t now = platform::machine::TickCount();
    if (!session.paceStarted) {
        session.paceStarted = true;
        session.paceOffset = now - recordedTick;
        return;
    }
    int32_t wait = static_cast<int32_t>(recordedTick + session.paceOffset - now);
    if (wait > 0) platform::SleepMs(std::min(static_cast<uint32_t>(wait), kLongestPaceWaitMs));
}

void StopOnRequest() { Stop(ReplayEnd::Escaped, ""); }

void WatchForEscape() {
    if (!session.options.watchEscape || session.mode != Mode::Replaying) return;
    uint8_t keys[256];
    if (platform::machine::ReadKeyboard(keys) && (keys[kEscapeCode] & 0x80) != 0) Stop(ReplayEnd::Escaped, "");
}

}  // namespace journal
