// Checking a whole recording before it is replayed, so that a damaged file
// is refused with one clear message before the game starts. The tokens are
// decoded by the same codec the reader uses.
#include "platform/journal/journal_format.h"

namespace journal {

namespace {

constexpr size_t kMaxVersionText = 64;

const char* Problem(Decoded decoded) {
    return decoded == Decoded::Short ? "is truncated" : "is damaged";
}

// Reads the magic and the format version; false with `problem` set.
bool ReadMagicAndFormat(const std::vector<uint8_t>& bytes, size_t& at, Header& header, std::string& problem) {
    if (bytes.empty()) return (problem = "is empty"), false;
    for (size_t i = 0; i < kMagicSize; ++i) {
        if (i >= bytes.size()) return (problem = "is truncated"), false;
        if (bytes[i] != static_cast<uint8_t>(kMagic[i])) return (problem = "is not a Gulpkin recording"), false;
    }
    at = kMagicSize;
    Decoded d = DecodeVarint(bytes, at, header.formatVersion);
    if (d != Decoded::Ok) return (problem = Problem(d)), false;
    if (header.formatVersion != kFormatVersion) {
        problem = "is of recording format " + std::to_string(header.formatVersion) + "; this game reads format " +
                  std::to_string(kFormatVersion);
        return false;
    }
    return true;
}

bool ReadHeader(const std::vector<uint8_t>& bytes, size_t& at, const Expected& expected, Header& header,
                std::string& problem) {
    if (!ReadMagicAndFormat(bytes, at, header, problem)) return false;
    uint64_t length = 0;
    Decoded d = DecodeVarint(bytes, at, length);
    if (d == Decoded::Ok && length > kMaxVersionText) d = Decoded::Damaged;
    if (d == Decoded::Ok && length > bytes.size() - at) d = Decoded::Short;
    if (d != Decoded::Ok) return (problem = Problem(d)), false;
    header.gameVersion.assign(bytes.begin() + static_cast<std::ptrdiff_t>(at),
                              bytes.begin() + static_cast<std::ptrdiff_t>(at + length));
    at += static_cast<size_t>(length);
    if ((d = DecodeU64(bytes, at, header.assetFingerprint)) != Decoded::Ok ||
        (d = DecodeVarint(bytes, at, header.startLevel)) != Decoded::Ok) {
        return (problem = Problem(d)), false;
    }
    if (header.gameVersion != expected.gameVersion && expected.strict) {
        problem = "was made by Gulpkin " + header.gameVersion + "; this is Gulpkin " + expected.gameVersion;
        return false;
    }
    if (header.assetFingerprint != expected.assetFingerprint && expected.strict) {
        problem = "was made with another asset pack";
        return false;
    }
    if (header.startLevel > kHighestStartLevel) return (problem = "is damaged"), false;
    return true;
}

// Counts one decoded token into the recording; false when the tokens do not
// add up (checksums out of step, an end that does not match).
bool CountToken(const Token& token, Recording& recording, int64_t& lastChecksum, bool& ended) {
    if (token.type == Token::Type::Answer) {
        recording.answers += token.op == Op::Run ? token.count : 1;
        return recording.answers <= kMaxAnswers;
    }
    if (token.type == Token::Type::Checksum) {
        if (token.frame != static_cast<uint64_t>(lastChecksum + kChecksumEvery)) return false;
        lastChecksum += kChecksumEvery;
        return true;
    }
    bool framesFit = token.frame >= static_cast<uint64_t>(lastChecksum) &&
                     token.frame < static_cast<uint64_t>(lastChecksum + kChecksumEvery);
    recording.frames = static_cast<int64_t>(token.frame);
    ended = true;
    return framesFit && token.value == recording.answers;
}

}  // namespace

bool CheckRecording(const std::vector<uint8_t>& bytes, const Expected& expected, Recording& recording,
                    std::string& problem) {
    recording = Recording{};
    if (bytes.size() > kMaxRecordingBytes) return (problem = "is too large to be a recording"), false;
    size_t at = 0;
    if (!ReadHeader(bytes, at, expected, recording.header, problem)) return false;
    recording.bodyStart = at;
    int64_t lastChecksum = 0;
    for (bool ended = false; !ended;) {
        Token token;
        Decoded d = DecodeToken(bytes, at, token);
        if (d != Decoded::Ok) return (problem = Problem(d)), false;
        if (!CountToken(token, recording, lastChecksum, ended)) return (problem = "is damaged"), false;
    }
    size_t hashed = at;
    uint64_t stored = 0;
    Decoded d = DecodeU64(bytes, at, stored);
    if (d != Decoded::Ok) return (problem = Problem(d)), false;
    if (at != bytes.size()) return (problem = "is damaged"), false;
    if (expected.strict && stored != HashBytes(bytes.data(), hashed, kHashSeed)) {
        problem = "is damaged";
        return false;
    }
    return true;
}

}  // namespace journal
