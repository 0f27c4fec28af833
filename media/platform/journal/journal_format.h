// The recording's file format, its writer and its reader.
//
//   header  "GULPKREC", varint format version, varint length + game version
//           text, 8-byte asset pack fingerprint, varint start level
//   body    tokens (below), in the order the game read the answers
//   end     kEnd, varint frames presented, varint answers; then the 8-byte
//           hash of every byte before it
//
// Every answer has a kind; the answers of a kind are numbers or blobs (byte
// strings). The reader knows which kind the game asks for next, so a token
// only says how the answer differs from the previous answer of that kind:
//
//   0x80 + n  (n 1..127)   the next n answers each repeat the previous answer
//   kRun, varint n         of their own kind
//   0x40 + d  (d 1..63)    a number, d more than the previous of its kind
//   kNumber, zigzag varint a number, this difference from the previous
//   kBlob, varint length, bytes
//   kBlobChange, varint count, count x (varint index, byte)
//                          the previous blob of its kind with these bytes
//   kChecksum, varint frame, 8 bytes
//                          hash of the frame presented as number `frame`
//                          (every 75th); runs never reach across one
//
// Numbers and varints are little-endian base-128; all 8-byte fields are
// little-endian.
#pragma once

#include "media/platform/common/file_system.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace journal {

enum class Kind : uint8_t {
    Tick, Clock, DisplayOpen, RefreshRate, Focus, VideoBytes,
    KeyboardOpen, Keys, JoystickOpen, Joystick, AudioOpen, File, EndRequest,
};
constexpr int kKindCount = 13;
constexpr int64_t kChecksumEvery = 75;
constexpr uint64_t kFormatVersion = 2;
constexpr size_t kMaxRecordingBytes = 64u << 20;

enum Tag : uint8_t {
    kRun = 0x01, kNumber = 0x02, kBlob = 0x03, kBlobChange = 0x04, kChecksum = 0x05, kEnd = 0x06,
    kSmallStep = 0x40, kShortRun = 0x80,
};

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
    void Put(uint8_t byte);
    void PutVarint(uint64_t value);
    void PutU64(uint64_t value);
    void Drain();

    platform::fs::PendingFile file_;
    std::vector<uint8_t> buffer_;
    uint64_t hash_ = 0;
    uint64_t run_ = 0;
    uint64_t answers_ = 0;
    bool failed_ = false;
    LastAnswers last_;
};

enum class ReadResult { Ok, Mismatch, End };

// Hands out the answers of a checked recording in order.
class Reader {
public:
    void Start(const std::vector<uint8_t>& bytes, size_t bodyStart, int64_t recordedFrames);
    // the next answer, of the kind the game asks for; Mismatch when the
    // recording holds something else there, End when it has ended
    ReadResult Number(Kind kind, uint64_t& value);
    ReadResult Blob(Kind kind, const std::vector<uint8_t>*& value);
    // the checksum stored for presented frame number `frame`
    ReadResult Checksum(int64_t frame, uint64_t& hash);
    // frames the recording says it presented
    int64_t RecordedFrames() const { return recordedFrames_; }
    // true when every answer has been taken and the end is next
    bool Exhausted();

private:
    // reads the next token if no run is pending; true if the answer repeats
    // the previous one (a run)
    ReadResult Advance(bool& repeat);
    bool Varint(uint64_t& value);
    bool Byte(uint8_t& value);

    const std::vector<uint8_t>* bytes_ = nullptr;
    size_t at_ = 0;
    uint64_t run_ = 0;
    int64_t recordedFrames_ = 0;
    LastAnswers last_;
};

// How reading one whole number of the file ended: read, the file ended
// inside it, or it runs on past 64 bits.
enum class NumberRead { Read, Short, Overlong };
// reads the variable-length number at `at` (7 bits a byte, lowest first, the
// top bit set on every byte but the last), moving `at` past what it read
NumberRead ReadVarint(const std::vector<uint8_t>& bytes, size_t& at, uint64_t& value);

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
