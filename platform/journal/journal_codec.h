// The recording's tokens, encoded and decoded in one place: the writer
// encodes them, and the reader and the whole-file check decode them with the
// same DecodeToken.
//
// A token's first byte holds the kind of answer in its high four bits and
// what the token says in its low four (the Op); a kind of 15 marks the
// checksum and the end tokens instead.
//
//   Same                    the answer repeats the previous one of its kind
//   Run, varint n (n >= 2)  the next n answers, all of this kind, repeat it
//   Number, zigzag varint   a number, this difference from the previous
//   Step + d (d 1..11)      a number, d more than the previous
//   Blob, varint length, bytes
//   BlobChange, varint count, count x (varint index, byte)
//                           the previous blob of its kind with these bytes
//   0xF0, varint frame, 8 bytes    hash of presented frame number `frame`
//   0xF1, varint frames, varint answers    the end of the body
//
// Varints are little-endian base-128 (7 bits a byte, the top bit set on every
// byte but the last); 8-byte fields are little-endian.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace journal {

enum class Kind : uint8_t {
    Tick, Clock, DisplayOpen, RefreshRate, Focus, VideoBytes,
    KeyboardOpen, Keys, JoystickOpen, Joystick, AudioOpen, File, EndRequest,
};
constexpr int kKindCount = 13;
// the kinds' names, the previous answers and the lead byte's four bits all
// count on this
static_assert(static_cast<int>(Kind::EndRequest) + 1 == kKindCount && kKindCount < 15);
// the recording's first bytes
constexpr char kMagic[] = "GULPKREC";
constexpr size_t kMagicSize = sizeof kMagic - 1;

enum class Op : uint8_t { Same = 0, Run = 1, Number = 2, Blob = 3, BlobChange = 4, Step = 5 };
constexpr uint64_t kLargestStep = 15 - static_cast<uint64_t>(Op::Step) + 1;
constexpr uint8_t kChecksumByte = 0xF0;
constexpr uint8_t kEndByte = 0xF1;
// the most answers a run, or a whole recording, may hold
constexpr uint64_t kMaxAnswers = 1ULL << 40;
// the largest blob index a change may name
constexpr uint64_t kMaxBlobIndex = 1ULL << 24;

// whether the answers of a kind are byte strings (else numbers)
bool IsBlobKind(Kind kind);
// the kind's name, for messages ("keyboard reading")
const char* KindName(Kind kind);

// One decoded token.
struct Token {
    enum class Type { Answer, Checksum, End } type = Type::Answer;
    Kind kind = Kind::Tick;
    Op op = Op::Same;
    uint64_t count = 1;       // Run: answers; BlobChange: changed bytes
    uint64_t difference = 0;  // Number and Step: added to the previous number
    uint64_t frame = 0;       // Checksum: the frame; End: frames presented
    uint64_t value = 0;       // Checksum: the hash; End: answers
    size_t payload = 0;       // Blob: where its bytes start; BlobChange: its pairs
    size_t payloadSize = 0;   // Blob: its length
};

enum class Decoded { Ok, Short, Damaged };
// Decodes the token at `at` and moves `at` past it: Short when the bytes end
// inside it, Damaged when it cannot be a token (an unknown kind or op, an op
// of the wrong type for its kind, a run under 2, an index out of range).
Decoded DecodeToken(const std::vector<uint8_t>& bytes, size_t& at, Token& token);
// applies a decoded BlobChange to `blob`; false when an index is outside it
bool ApplyBlobChange(const std::vector<uint8_t>& bytes, const Token& token, std::vector<uint8_t>& blob);
// reads the variable-length number at `at`, moving `at` past it; Damaged
// when it runs on past 64 bits (a tenth byte above 1, or an eleventh)
Decoded DecodeVarint(const std::vector<uint8_t>& bytes, size_t& at, uint64_t& value);
// reads the 8-byte little-endian number at `at`
Decoded DecodeU64(const std::vector<uint8_t>& bytes, size_t& at, uint64_t& value);

// Encoders: each appends one token (or field) to `out`.
void EncodeVarint(std::vector<uint8_t>& out, uint64_t value);
void EncodeU64(std::vector<uint8_t>& out, uint64_t value);
// `count` repeats of the previous answer of `kind` (Same for one, else Run)
void EncodeRepeats(std::vector<uint8_t>& out, Kind kind, uint64_t count);
// a number `difference` (modulo 2^64) from the previous one of its kind
void EncodeNumber(std::vector<uint8_t>& out, Kind kind, uint64_t difference);
// a blob, as its changes from `previous` when that is shorter
void EncodeBlob(std::vector<uint8_t>& out, Kind kind, const uint8_t* data, size_t size,
                const std::vector<uint8_t>& previous);
void EncodeChecksum(std::vector<uint8_t>& out, int64_t frame, uint64_t hash);
void EncodeEnd(std::vector<uint8_t>& out, int64_t frames, uint64_t answers);

}  // namespace journal
