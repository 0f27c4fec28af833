// The recording's writer and reader (format in journal_format.h).
#include "platform/journal/journal_format.h"

#include <cstring>

namespace journal {

namespace {

constexpr size_t kBufferBytes = 64 * 1024;

size_t Index(Kind kind) { return static_cast<size_t>(kind); }

}  // namespace

uint64_t HashBytes(const uint8_t* data, size_t size, uint64_t hash) {
    for (size_t i = 0; i < size; ++i) hash = (hash ^ data[i]) * 0x100000001b3ULL;
    return hash;
}

// ---- writer ------------------------------------------------------------------

bool Writer::Open(const std::string& path, const Header& header, std::string& error) {
    // a fresh file beside FILE until the recording is finished: an old FILE
    // stays whole until then, and an interrupted game never leaves a half one
    // in its place; a finished one that cannot take FILE's place is kept
    if (!file_.Begin(path, platform::fs::Access::Private, error)) return false;
    file_.KeepIfNotRenamed();
    buffer_.clear();
    buffer_.reserve(kBufferBytes + 64);
    hash_ = kHashSeed;
    run_ = answers_ = 0;
    failed_ = false;
    last_ = LastAnswers{};
    buffer_.insert(buffer_.end(), kMagic, kMagic + kMagicSize);
    EncodeVarint(buffer_, header.formatVersion);
    EncodeVarint(buffer_, header.gameVersion.size());
    buffer_.insert(buffer_.end(), header.gameVersion.begin(), header.gameVersion.end());
    EncodeU64(buffer_, header.assetFingerprint);
    EncodeVarint(buffer_, header.startLevel);
    return true;
}

void Writer::Number(Kind kind, uint64_t value) {
    ++answers_;
    uint64_t& last = last_.numbers[Index(kind)];
    if (value == last) {
        if (run_ > 0 && runKind_ != kind) FlushRun();
        runKind_ = kind;
        ++run_;
        return;
    }
    FlushRun();
    EncodeNumber(buffer_, kind, value - last);
    last = value;
    DrainIfFull();
}

void Writer::Blob(Kind kind, const uint8_t* data, size_t size) {
    ++answers_;
    std::vector<uint8_t>& last = last_.blobs[Index(kind)];
    if (size == last.size() && (size == 0 || std::memcmp(data, last.data(), size) == 0)) {
        if (run_ > 0 && runKind_ != kind) FlushRun();
        runKind_ = kind;
        ++run_;
        return;
    }
    FlushRun();
    EncodeBlob(buffer_, kind, data, size, last);
    last.assign(data, data + size);
    DrainIfFull();
}

void Writer::Checksum(int64_t frame, uint64_t hash) {
    FlushRun();
    EncodeChecksum(buffer_, frame, hash);
    DrainIfFull();
}

bool Writer::Close(int64_t frames, std::string& error) {
    if (!file_.IsOpen()) return true;
    FlushRun();
    EncodeEnd(buffer_, frames, answers_);
    Drain();
    uint8_t trailer[8];
    for (int i = 0; i < 8; ++i) trailer[i] = static_cast<uint8_t>(hash_ >> (8 * i));
    if (!file_.Write(trailer, sizeof trailer)) failed_ = true;
    if (!file_.Commit(error)) failed_ = true;  // the error names a write that failed
    return !failed_;
}

void Writer::FlushRun() {
    EncodeRepeats(buffer_, runKind_, run_);
    run_ = 0;
}

void Writer::DrainIfFull() {
    if (buffer_.size() >= kBufferBytes) Drain();
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

// A token of another kind is left where it is, so that the replay can say
// what it found.
ReadResult Reader::Advance(Kind kind, Token& token, bool& repeat) {
    repeat = run_ > 0;
    if (repeat) {
        if (runKind_ != kind) return (recordedKind_ = runKind_), ReadResult::KindMismatch;
        --run_;
        return ReadResult::Ok;
    }
    if (bytes_ == nullptr) return ReadResult::End;
    size_t at = at_;
    if (DecodeToken(*bytes_, at, token) != Decoded::Ok) return ReadResult::Mismatch;
    if (token.type == Token::Type::End) return ReadResult::End;
    if (token.type == Token::Type::Checksum) return ReadResult::Mismatch;
    if (token.kind != kind) return (recordedKind_ = token.kind), ReadResult::KindMismatch;
    at_ = at;
    repeat = token.op == Op::Same || token.op == Op::Run;
    if (token.op == Op::Run) {
        run_ = token.count - 1;
        runKind_ = kind;
    }
    return ReadResult::Ok;
}

ReadResult Reader::Number(Kind kind, uint64_t& value) {
    Token token;
    bool repeat = false;
    ReadResult result = Advance(kind, token, repeat);
    if (result != ReadResult::Ok) return result;
    uint64_t& last = last_.numbers[Index(kind)];
    if (!repeat) last += token.difference;
    value = last;
    return ReadResult::Ok;
}

ReadResult Reader::Blob(Kind kind, const std::vector<uint8_t>*& value) {
    Token token;
    bool repeat = false;
    ReadResult result = Advance(kind, token, repeat);
    if (result != ReadResult::Ok) return result;
    std::vector<uint8_t>& last = last_.blobs[Index(kind)];
    value = &last;
    if (repeat) return ReadResult::Ok;
    if (token.op == Op::Blob) {
        last.assign(bytes_->begin() + static_cast<std::ptrdiff_t>(token.payload),
                    bytes_->begin() + static_cast<std::ptrdiff_t>(token.payload + token.payloadSize));
        return ReadResult::Ok;
    }
    return ApplyBlobChange(*bytes_, token, last) ? ReadResult::Ok : ReadResult::Mismatch;
}

ReadResult Reader::Checksum(int64_t frame, uint64_t& hash) {
    Token token;
    size_t at = at_;
    if (run_ > 0 || bytes_ == nullptr || DecodeToken(*bytes_, at, token) != Decoded::Ok) return ReadResult::Mismatch;
    if (token.type != Token::Type::Checksum || token.frame != static_cast<uint64_t>(frame)) return ReadResult::Mismatch;
    at_ = at;
    hash = token.value;
    return ReadResult::Ok;
}

bool Reader::HoldsNext(Kind kind) {
    if (run_ > 0) return runKind_ == kind;
    Token token;
    size_t at = at_;
    return bytes_ != nullptr && DecodeToken(*bytes_, at, token) == Decoded::Ok && token.type == Token::Type::Answer &&
           token.kind == kind;
}

bool Reader::Exhausted() {
    return run_ == 0 && bytes_ != nullptr && at_ < bytes_->size() && (*bytes_)[at_] == kEndByte;
}

}  // namespace journal
