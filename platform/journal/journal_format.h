// The recording's file format, its writer and its reader.
//
//   header  kMagic ("GULPKREC"), varint format version, varint length + game
//           version text, 8-byte asset pack fingerprint, varint start level
//   body    tokens (journal_codec.h), in the order the game read the answers,
//           each carrying its kind, with a checksum token every 75th frame
//   end     the end token (frames presented, answers); then the 8-byte hash
//           of every byte before it
//
// Every answer has a kind; the answers of a kind are numbers or blobs (byte
// strings), and a token says how the answer differs from the previous answer
// of its kind. A replay that asks for another kind than the recording holds
// next is caught at that answer.
#pragma once

#include "platform/files/file_system.h"
#include "platform/recording.h"
#include "platform/journal/journal_codec.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace journal {

constexpr int64_t kChecksumEvery = 75;
constexpr uint64_t kFormatVersion = 2;
// A recording takes about 55 KB a minute of play (the answers of 75 frames
// a second, mostly runs and steps): the cap holds some twenty hours, more
// than any sitting, and is still small enough to read whole.
constexpr size_t kMaxRecordingBytes = 64u << 20;

struct Header {
    uint64_t formatVersion = kFormatVersion;
    std::string gameVersion;
    uint64_t assetFingerprint = 0;
    uint64_t startLevel = 0;
};

// The previous answer of every kind, as both the writer and the reader keep it.
struct LastAnswers {
    std::array<uint64_t, kKindCount> numbers{};
    std::array<std::vector<uint8_t>, kKindCount> blobs;
};

// Writes a recording through a buffer of its own (no allocation per frame).
class Writer {
public:
    bool Open(const std::string& path, const Header& header, std::string& error);
    void Number(Kind kind, uint64_t value);
    void Blob(Kind kind, const uint8_t* data, size_t size);
    void Checksum(int64_t frame, uint64_t hash);
    // writes the end and the hash, closes the file; false if any write failed
    bool Close(int64_t frames, std::string& error);
    bool IsOpen() const { return file_.IsOpen(); }

private:
    void FlushRun();
    void DrainIfFull();
    void Drain();

    platform::fs::PendingFile file_;
    std::vector<uint8_t> buffer_;
    uint64_t hash_ = 0;
    uint64_t run_ = 0;  // repeats of the previous answer of runKind_ not yet written
    Kind runKind_ = Kind::Tick;
    uint64_t answers_ = 0;
    bool failed_ = false;
    LastAnswers last_;
};

// Ok; KindMismatch when the recording holds an answer of another kind there
// (the reader's RecordedKind names it); Mismatch when it holds a checksum, a
// damaged token or a blob of another size; End when it has ended.
enum class ReadResult { Ok, KindMismatch, Mismatch, End };

// Hands out the answers of a checked recording in order.
class Reader {
public:
    void Start(const std::vector<uint8_t>& bytes, size_t bodyStart, int64_t recordedFrames);
    // the next answer, of the kind the game asks for
    ReadResult Number(Kind kind, uint64_t& value);
    ReadResult Blob(Kind kind, const std::vector<uint8_t>*& value);
    // the checksum stored for presented frame number `frame`
    ReadResult Checksum(int64_t frame, uint64_t& hash);
    // frames the recording says it presented
    int64_t RecordedFrames() const { return recordedFrames_; }
    // true when every answer has been taken and the end is next
    bool Exhausted();
    // whether the next answer is of `kind` (nothing is taken)
    bool HoldsNext(Kind kind);
    // the kind of the answer the recording held at the last KindMismatch
    Kind RecordedKind() const { return recordedKind_; }

private:
    // takes the next answer of `kind`: a pending repeat, or the next token
    // (in `token`); `repeat` tells which
    ReadResult Advance(Kind kind, Token& token, bool& repeat);

    const std::vector<uint8_t>* bytes_ = nullptr;
    size_t at_ = 0;
    uint64_t run_ = 0;  // repeats of runKind_ still to hand out
    Kind runKind_ = Kind::Tick;
    Kind recordedKind_ = Kind::Tick;
    int64_t recordedFrames_ = 0;
    LastAnswers last_;
};

struct Expected {
    std::string gameVersion;
    uint64_t assetFingerprint = 0;
    // false: any game version, asset pack and hash pass, so that a fuzzer
    // reaches the body of the recordings it makes up
    bool strict = true;
};

// What the check of a recording found.
struct Recording {
    Header header;
    size_t bodyStart = 0;  // where the tokens begin
    int64_t frames = 0;    // frames presented while it was made
    uint64_t answers = 0;
};

// Checks a whole recording: the header against what this game expects, every
// token, the end and the hash. Otherwise `problem` says what is wrong in a
// few words ("is truncated").
bool CheckRecording(const std::vector<uint8_t>& bytes, const Expected& expected, Recording& recording,
                    std::string& problem);

// FNV-1a over bytes, continuing from `hash` (start with kHashSeed)
constexpr uint64_t kHashSeed = 0xcbf29ce484222325ULL;
uint64_t HashBytes(const uint8_t* data, size_t size, uint64_t hash);

}  // namespace journal
