// Checking a whole recording before it is replayed, so that a damaged file
// is refused with one clear message before the game starts.
#include "media/platform/journal/journal_format.h"

namespace journal {

namespace {

constexpr uint64_t kMaxAnswers = 1ULL << 40;
constexpr uint64_t kMaxBlobIndex = 1ULL << 24;
constexpr size_t kMaxVersionText = 64;

// Walks the bytes; any read past the end marks the file as truncated.
class Cursor {
public:
    explicit Cursor(const std::vector<uint8_t>& bytes) : bytes_(bytes) {}

    bool Byte(uint8_t& value) {
        if (at_ >= bytes_.size()) return Short();
        value = bytes_[at_++];
        return true;
    }
    bool Varint(uint64_t& value) {
        switch (ReadVarint(bytes_, at_, value)) {
            case NumberRead::Read: return true;
            case NumberRead::Short: return Short();
            case NumberRead::Overlong: return Damaged();
        }
        return Damaged();
    }
    bool U64(uint64_t& value) {
        value = 0;
        for (int i = 0; i < 8; ++i) {
            uint8_t byte;
            if (!Byte(byte)) return false;
            value |= static_cast<uint64_t>(byte) << (8 * i);
        }
        return true;
    }
    bool Skip(uint64_t count) {
        if (count > bytes_.size() - at_) return Short();
        at_ += static_cast<size_t>(count);
        return true;
    }
    bool Damaged() {
        if (problem.empty()) problem = "is damaged";
        return false;
    }
    bool Short() {
        if (problem.empty()) problem = "is truncated";
        return false;
    }
    size_t At() const { return at_; }
    size_t Left() const { return bytes_.size() - at_; }

    std::string problem;

private:
    const std::vector<uint8_t>& bytes_;
    size_t at_ = 0;
};

bool ReadHeader(Cursor& in, const std::vector<uint8_t>& bytes, const Expected& expected, Header& header,
                std::string& problem) {
    const std::string magic = "GULPKREC";
    if (bytes.empty()) return (problem = "is empty"), false;
    for (size_t i = 0; i < magic.size(); ++i) {
        if (i >= bytes.size()) return (problem = "is truncated"), false;
        if (bytes[i] != static_cast<uint8_t>(magic[i])) return (problem = "is not a Gulpkin recording"), false;
    }
    in.Skip(magic.size());
    uint64_t length = 0;
    if (!in.Varint(header.formatVersion)) return false;
    if (header.formatVersion != kFormatVersion) {
        problem = "is of recording format " + std::to_string(header.formatVersion) + "; this game reads format " +
                  std::to_string(kFormatVersion);
        return false;
    }
    if (!in.Varint(length)) return false;
    if (length > kMaxVersionText) return in.Damaged();
    size_t start = in.At();
    if (!in.Skip(length)) return false;
    header.gameVersion.assign(bytes.begin() + static_cast<std::ptrdiff_t>(start),
                              bytes.begin() + static_cast<std::ptrdiff_t>(start + length));
    if (!in.U64(header.assetFingerprint) || !in.Varint(header.startLevel)) return false;
    if (header.gameVersion != expected.gameVersion && expected.strict) {
        problem = "was made by Gulpkin " + header.gameVersion + "; this is Gulpkin " + expected.gameVersion;
        return false;
    }
    if (header.assetFingerprint != expected.assetFingerprint && expected.strict) {
        problem = "was made with another asset pack";
        return false;
    }
    if (header.startLevel > 1000) return in.Damaged();
    return true;
}

// One token of the body; sets `ended` at the end token.
bool ReadToken(Cursor& in, Recording& recording, int64_t& lastChecksum, bool& ended) {
    uint8_t tag = 0;
    uint64_t value = 0;
    if (!in.Byte(tag)) return false;
    if (tag > kShortRun) {
        recording.answers += tag - kShortRun;
    } else if (tag > kSmallStep && tag < kShortRun) {
        ++recording.answers;
    } else if (tag == kRun) {
        if (!in.Varint(value)) return false;
        if (value == 0 || value > kMaxAnswers) return in.Damaged();
        recording.answers += value;
    } else if (tag == kNumber) {
        if (!in.Varint(value)) return false;
        ++recording.answers;
    } else if (tag == kBlob) {
        if (!in.Varint(value) || !in.Skip(value)) return false;
        ++recording.answers;
    } else if (tag == kBlobChange) {
        if (!in.Varint(value)) return false;
        if (value > in.Left() / 2) return in.Short();
        for (uint64_t i = 0, index = 0; i < value; ++i) {
            if (!in.Varint(index) || !in.Skip(1)) return false;
            if (index >= kMaxBlobIndex) return in.Damaged();
        }
        ++recording.answers;
    } else if (tag == kChecksum) {
        if (!in.Varint(value) || !in.Skip(8)) return false;
        if (value != static_cast<uint64_t>(lastChecksum + kChecksumEvery)) return in.Damaged();
        lastChecksum += kChecksumEvery;
    } else if (tag == kEnd) {
        uint64_t frames = 0, answers = 0;
        if (!in.Varint(frames) || !in.Varint(answers)) return false;
        if (frames < static_cast<uint64_t>(lastChecksum) || frames >= static_cast<uint64_t>(lastChecksum + kChecksumEvery) ||
            answers != recording.answers) {
            return in.Damaged();
        }
        recording.frames = static_cast<int64_t>(frames);
        ended = true;
    } else {
        return in.Damaged();
    }
    return recording.answers <= kMaxAnswers || in.Damaged();
}

}  // namespace

bool CheckRecording(const std::vector<uint8_t>& bytes, const Expected& expected, Recording& recording,
                    std::string& problem) {
    recording = Recording{};
    Cursor in(bytes);
    if (bytes.size() > kMaxRecordingBytes) return (problem = "is too large to be a recording"), false;
    if (!ReadHeader(in, bytes, expected, recording.header, problem)) {
        if (problem.empty()) problem = in.problem;
        return false;
    }
    recording.bodyStart = in.At();
    int64_t lastChecksum = 0;
    bool ended = false;
    while (!ended) {
        if (!ReadToken(in, recording, lastChecksum, ended)) return (problem = in.problem), false;
    }
    size_t hashed = in.At();
    uint64_t stored = 0;
    if (!in.U64(stored)) return (problem = in.problem), false;
    if (in.Left() != 0) return (problem = "is damaged"), false;
    if (expected.strict && stored != HashBytes(bytes.data(), hashed, kHashSeed)) {
        problem = "is damaged";
        return false;
    }
    return true;
}

}  // namespace journal
