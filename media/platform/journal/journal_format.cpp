// The recording's writer and reader (format in journal_format.h).
#include "media/platform/journal/journal_format.h"

#include <cstring>

namespace journal {

namespace {

constexpr size_t kBufferBytes = 64 * 1024;
constexpr uint64_t kMaxShortRun = 127;
constexpr uint64_t kMaxSmallStep = 63;

bool IsBlobKind(Kind kind) {
    return kind == Kind::Clock || kind == Kind::Keys || kind == Kind::Joystick || kind == Kind::File;
}

uint64_t ZigZag(uint64_t difference) {
    int64_t n = static_cast<int64_t>(difference);
    return (static_cast<uint64_t>(n) << 1) ^ static_cast<uint64_t>(n >> 63);
}

uint64_t UnZigZag(uint64_t z) {
    return (z >> 1) ^ (0 - (z & 1));
}

size_t Index(Kind kind) { return static_cast<size_t>(kind); }

}  // namespace

uint64_t HashBytes(const uint8_t* data, size_t size, uint64_t hash) {
    for (size_t i = 0; i < size; ++i) hash = (hash ^ data[i]) * 0x100000001b3ULL;
    return hash;
}

// ---- writer ------------------------------------------------------------------

bool Writer::Open(const std::string& path, const Header& header, std::string& error) {
    // FILE.part until the recording is finished: an old FILE stays whole
    // until then, and an interrupted game never leaves a half one in its place
    if (!file_.Begin(path, platform::fs::Access::Private, ".part", error)) return false;
    buffer_.clear();
    buffer_.reserve(kBufferBytes + 64);
    hash_ = kHashSeed;
    run_ = answers_ = 0;
    failed_ = false;
    last_ = LastAnswers{};
    for (char c : std::string("GULPKREC")) Put(static_cast<uint8_t>(c));
    PutVarint(header.formatVersion);
    PutVarint(header.gameVersion.size());
    for (char c : header.gameVersion) Put(static_cast<uint8_t>(c));
    PutU64(header.assetFingerprint);
    PutVarint(header.startLevel);
    return true;
}

void Writer::Number(Kind kind, uint64_t value) {
    ++answers_;
    uint64_t& last = last_.numbers[Index(kind)];
    if (value == last) {
        ++run_;
        return;
    }
    FlushRun();
    uint64_t difference = value - last;
    if (difference <= kMaxSmallStep) {
        Put(static_cast<uint8_t>(kSmallStep + difference));
    } else {
        Put(kNumber);
        PutVarint(ZigZag(difference));
    }
    last = value;
}

// A blob of the same length as the previous one is written as its changed
// bytes when that is shorter (a key pressed, a second gone by).
void Writer::Blob(Kind kind, const uint8_t* data, size_t size) {
    ++answers_;
    std::vector<uint8_t>& last = last_.blobs[Index(kind)];
    if (size == last.size() && (size == 0 || std::memcmp(data, last.data(), size) == 0)) {
        ++run_;
        return;
    }
    FlushRun();
    size_t changed = 0;
    if (size == last.size()) {
        for (size_t i = 0; i < size; ++i) changed += data[i] != last[i];
    }
    if (size == last.size() && changed * 3 < size) {
        Put(kBlobChange);
        PutVarint(changed);
        for (size_t i = 0; i < size; ++i) {
            if (data[i] == last[i]) continue;
            PutVarint(i);
            Put(data[i]);
        }
    } else {
        Put(kBlob);
        PutVarint(size);
        for (size_t i = 0; i < size; ++i) Put(data[i]);
    }
    last.assign(data, data + size);
}

void Writer::Checksum(int64_t frame, uint64_t hash) {
    FlushRun();
    Put(kChecksum);
    PutVarint(static_cast<uint64_t>(frame));
    PutU64(hash);
}

bool Writer::Close(int64_t frames, std::string& error) {
    if (!file_.IsOpen()) return true;
    FlushRun();
    Put(kEnd);
    PutVarint(static_cast<uint64_t>(frames));
    PutVarint(answers_);
    Drain();
    uint8_t trailer[8];
    for (int i = 0; i < 8; ++i) trailer[i] = static_cast<uint8_t>(hash_ >> (8 * i));
    if (!file_.Write(trailer, sizeof trailer)) failed_ = true;
    if (!file_.Commit()) failed_ = true;
    if (failed_) error = "the recording could not be written completely";
    return !failed_;
}

void Writer::FlushRun() {
    if (run_ == 0) return;
    if (run_ <= kMaxShortRun) {
        Put(static_cast<uint8_t>(kShortRun + run_));
    } else {
        Put(kRun);
        PutVarint(run_);
    }
    run_ = 0;
}

void Writer::Put(uint8_t byte) {
    buffer_.push_back(byte);
    if (buffer_.size() >= kBufferBytes) Drain();
}

void Writer::PutVarint(uint64_t value) {
    while (value >= 0x80) {
        Put(static_cast<uint8_t>(value | 0x80));
        value >>= 7;
    }
    Put(static_cast<uint8_t>(value));
}

void Writer::PutU64(uint64_t value) {
    for (int i = 0; i < 8; ++i) Put(static_cast<uint8_t>(value >> (8 * i)));
}

void Writer::Drain() {
    if (buffer_.empty() || !file_.IsOpen()) return;
    hash_ = HashBytes(buffer_.data(), buffer_.size(), hash_);
    if (!file_.Write(buffer_.data(), buffer_.size())) failed_ = true;
    buffer_.clear();
}

// ---- reader ------------------------------------------------------------------

void Reader::Start(const std::vector<uint8_t>& bytes, size_t bodyStart, int64_t recordedFrames) {
    bytes_ = &bytes;
    at_ = bodyStart;
    run_ = 0;
    recordedFrames_ = recordedFrames;
    last_ = LastAnswers{};
}

bool Reader::Byte(uint8_t& value) {
    if (bytes_ == nullptr || at_ >= bytes_->size()) return false;
    value = (*bytes_)[at_++];
    return true;
}

bool Reader::Varint(uint64_t& value) {
    return bytes_ != nullptr && ReadVarint(*bytes_, at_, value) == NumberRead::Read;
}

ReadResult Reader::Advance(bool& repeat) {
    repeat = false;
    if (run_ > 0) {
        --run_;
        repeat = true;
        return ReadResult::Ok;
    }
    if (bytes_ == nullptr || at_ >= bytes_->size()) return ReadResult::End;
    uint8_t tag = (*bytes_)[at_];
    if (tag == kEnd) return ReadResult::End;
    if (tag > kShortRun || tag == kRun) {
        uint64_t count = tag - kShortRun;
        ++at_;
        if (tag == kRun && (!Varint(count) || count == 0)) return ReadResult::Mismatch;
        run_ = count - 1;
        repeat = true;
    }
    return ReadResult::Ok;
}

ReadResult Reader::Number(Kind kind, uint64_t& value) {
    bool repeat;
    ReadResult result = Advance(repeat);
    if (result != ReadResult::Ok) return result;
    uint64_t& last = last_.numbers[Index(kind)];
    if (!repeat) {
        uint8_t tag = (*bytes_)[at_];
        uint64_t z = 0;
        if (IsBlobKind(kind)) return ReadResult::Mismatch;
        if (tag > kSmallStep && tag < kShortRun) {
            ++at_;
            last += tag - kSmallStep;
        } else if (tag == kNumber) {
            ++at_;
            if (!Varint(z)) return ReadResult::Mismatch;
            last += UnZigZag(z);
        } else {
            return ReadResult::Mismatch;
        }
    }
    value = last;
    return ReadResult::Ok;
}

ReadResult Reader::Blob(Kind kind, const std::vector<uint8_t>*& value) {
    bool repeat;
    ReadResult result = Advance(repeat);
    if (result != ReadResult::Ok) return result;
    std::vector<uint8_t>& last = last_.blobs[Index(kind)];
    value = &last;
    if (repeat) return ReadResult::Ok;
    if (!IsBlobKind(kind)) return ReadResult::Mismatch;
    uint8_t tag = (*bytes_)[at_];
    uint64_t size = 0;
    if (tag == kBlob) {
        ++at_;
        if (!Varint(size) || size > bytes_->size() - at_) return ReadResult::Mismatch;
        last.assign(bytes_->begin() + static_cast<std::ptrdiff_t>(at_),
                    bytes_->begin() + static_cast<std::ptrdiff_t>(at_ + size));
        at_ += size;
        return ReadResult::Ok;
    }
    if (tag != kBlobChange) return ReadResult::Mismatch;
    ++at_;
    uint64_t count = 0;
    if (!Varint(count)) return ReadResult::Mismatch;
    for (uint64_t i = 0; i < count; ++i) {
        uint64_t index = 0;
        uint8_t byte = 0;
        if (!Varint(index) || !Byte(byte) || index >= last.size()) return ReadResult::Mismatch;
        last[index] = byte;
    }
    return ReadResult::Ok;
}

ReadResult Reader::Checksum(int64_t frame, uint64_t& hash) {
    uint8_t tag = 0;
    uint64_t stored = 0;
    if (run_ > 0 || !Byte(tag)) return ReadResult::Mismatch;
    if (tag != kChecksum || !Varint(stored) || stored != static_cast<uint64_t>(frame)) return ReadResult::Mismatch;
    hash = 0;
    for (int i = 0; i < 8; ++i) {
        uint8_t byte;
        if (!Byte(byte)) return ReadResult::Mismatch;
        hash |= static_cast<uint64_t>(byte) << (8 * i);
    }
    return ReadResult::Ok;
}

bool Reader::Exhausted() {
    return run_ == 0 && bytes_ != nullptr && at_ < bytes_->size() && (*bytes_)[at_] == kEnd;
}

NumberRead ReadVarint(const std::vector<uint8_t>& bytes, size_t& at, uint64_t& value) {
    value = 0;
    for (int shift = 0; shift < 64; shift += 7) {
        if (at >= bytes.size()) return NumberRead::Short;
        uint8_t byte = bytes[at++];
        value |= static_cast<uint64_t>(byte & 0x7F) << shift;
        if ((byte & 0x80) == 0) return NumberRead::Read;
    }
    return NumberRead::Overlong;
}

}  // namespace journal
