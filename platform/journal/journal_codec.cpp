// The recording's tokens (format in journal_codec.h).
#include "platform/journal/journal_codec.h"

namespace journal {

namespace {

uint64_t ZigZag(uint64_t difference) {
    int64_t n = static_cast<int64_t>(difference);
    return (static_cast<uint64_t>(n) << 1) ^ static_cast<uint64_t>(n >> 63);
}

uint64_t UnZigZag(uint64_t z) {
    return (z >> 1) ^ (0 - (z & 1));
}

uint8_t Lead(Kind kind, Op op, uint64_t step = 0) {
    return static_cast<uint8_t>((static_cast<unsigned>(kind) << 4) | (static_cast<unsigned>(op) + step));
}

Decoded Skip(const std::vector<uint8_t>& bytes, size_t& at, uint64_t count) {
    if (count > bytes.size() - at) return Decoded::Short;
    at += static_cast<size_t>(count);
    return Decoded::Ok;
}

// The pairs of a BlobChange: each index a varint below the limit, then a byte.
Decoded SkipChanges(const std::vector<uint8_t>& bytes, size_t& at, uint64_t count) {
    if (count > (bytes.size() - at) / 2) return Decoded::Short;
    for (uint64_t i = 0; i < count; ++i) {
        uint64_t index = 0;
        Decoded d = DecodeVarint(bytes, at, index);
        if (d != Decoded::Ok) return d;
        if (index >= kMaxBlobIndex) return Decoded::Damaged;
        if ((d = Skip(bytes, at, 1)) != Decoded::Ok) return d;
    }
    return Decoded::Ok;
}

Decoded DecodeMarker(const std::vector<uint8_t>& bytes, size_t& at, uint8_t lead, Token& token) {
    token.type = lead == kChecksumByte ? Token::Type::Checksum : Token::Type::End;
    if (lead != kChecksumByte && lead != kEndByte) return Decoded::Damaged;
    Decoded d = DecodeVarint(bytes, at, token.frame);
    if (d != Decoded::Ok) return d;
    return lead == kChecksumByte ? DecodeU64(bytes, at, token.value) : DecodeVarint(bytes, at, token.value);
}

Decoded DecodeAnswer(const std::vector<uint8_t>& bytes, size_t& at, uint8_t lead, Token& token) {
    token.kind = static_cast<Kind>(lead >> 4);
    unsigned op = lead & 0x0F;
    bool blobKind = IsBlobKind(token.kind);
    token.op = op >= static_cast<unsigned>(Op::Step) ? Op::Step : static_cast<Op>(op);
    switch (token.op) {
        case Op::Same: return Decoded::Ok;
        case Op::Run: {
            Decoded d = DecodeVarint(bytes, at, token.count);
            if (d == Decoded::Ok && (token.count < 2 || token.count > kMaxAnswers)) return Decoded::Damaged;
            return d;
        }
        case Op::Step:
            token.difference = op - static_cast<unsigned>(Op::Step) + 1;
            return blobKind ? Decoded::Damaged : Decoded::Ok;
        case Op::Number: {
            if (blobKind) return Decoded::Damaged;
            Decoded d = DecodeVarint(bytes, at, token.difference);
            token.difference = UnZigZag(token.difference);
            return d;
        }
        case Op::Blob: {
            Decoded d = blobKind ? DecodeVarint(bytes, at, token.count) : Decoded::Damaged;
            token.payload = at;
            token.payloadSize = static_cast<size_t>(token.count);
            return d == Decoded::Ok ? Skip(bytes, at, token.count) : d;
        }
        case Op::BlobChange: {
            Decoded d = blobKind ? DecodeVarint(bytes, at, token.count) : Decoded::Damaged;
            token.payload = at;
            return d == Decoded::Ok ? SkipChanges(bytes, at, token.count) : d;
        }
    }
    return Decoded::Damaged;
}

}  // namespace

bool IsBlobKind(Kind kind) {
    return kind == Kind::Clock || kind == Kind::Keys || kind == Kind::Joystick || kind == Kind::File;
}

const char* KindName(Kind kind) {
    static const char* const names[kKindCount] = {
        "tick count", "local clock", "display opening", "refresh rate", "window focus",
        "free video memory", "keyboard opening", "keyboard reading", "joystick opening",
        "joystick reading", "audio opening", "file read", "end request",
    };
    auto index = static_cast<size_t>(kind);
    return index < static_cast<size_t>(kKindCount) ? names[index] : "unknown answer";
}

Decoded DecodeVarint(const std::vector<uint8_t>& bytes, size_t& at, uint64_t& value) {
    value = 0;
    for (int shift = 0; shift < 64; shift += 7) {
        if (at >= bytes.size()) return Decoded::Short;
        uint8_t byte = bytes[at++];
        if (shift == 63 && (byte & 0x7F) > 1) return Decoded::Damaged;  // bits past the 64th
        value |= static_cast<uint64_t>(byte & 0x7F) << shift;
        if ((byte & 0x80) == 0) return Decoded::Ok;
    }
    return Decoded::Damaged;
}

Decoded DecodeU64(const std::vector<uint8_t>& bytes, size_t& at, uint64_t& value) {
    if (at > bytes.size() || bytes.size() - at < 8) return Decoded::Short;
    value = 0;
    for (int i = 0; i < 8; ++i) value |= static_cast<uint64_t>(bytes[at++]) << (8 * i);
    return Decoded::Ok;
}

Decoded DecodeToken(const std::vector<uint8_t>& bytes, size_t& at, Token& token) {
    token = Token{};
    if (at >= bytes.size()) return Decoded::Short;
    uint8_t lead = bytes[at++];
    if ((lead >> 4) == 0x0F) return DecodeMarker(bytes, at, lead, token);
    if ((lead >> 4) >= kKindCount) return Decoded::Damaged;
    return DecodeAnswer(bytes, at, lead, token);
}

bool ApplyBlobChange(const std::vector<uint8_t>& bytes, const Token& token, std::vector<uint8_t>& blob) {
    size_t at = token.payload;
    for (uint64_t i = 0; i < token.count; ++i) {
        uint64_t index = 0;
        if (DecodeVarint(bytes, at, index) != Decoded::Ok || index >= blob.size() || at >= bytes.size()) return false;
        blob[static_cast<size_t>(index)] = bytes[at++];
    }
    return true;
}

void EncodeVarint(std::vector<uint8_t>& out, uint64_t value) {
    while (value >= 0x80) {
        out.push_back(static_cast<uint8_t>(value | 0x80));
        value >>= 7;
    }
    out.push_back(static_cast<uint8_t>(value));
}

void EncodeU64(std::vector<uint8_t>& out, uint64_t value) {
    for (int i = 0; i < 8; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

void EncodeRepeats(std::vector<uint8_t>& out, Kind kind, uint64_t count) {
    if (count == 0) return;
    if (count == 1) {
        out.push_back(Lead(kind, Op::Same));
        return;
    }
    out.push_back(Lead(kind, Op::Run));
    EncodeVarint(out, count);
}

void EncodeNumber(std::vector<uint8_t>& out, Kind kind, uint64_t difference) {
    if (difference >= 1 && difference <= kLargestStep) {
        out.push_back(Lead(kind, Op::Step, difference - 1));
        return;
    }
    out.push_back(Lead(kind, Op::Number));
    EncodeVarint(out, ZigZag(difference));
}

// A blob of the same length as the previous one is written as its changed
// bytes when that is shorter (a key pressed, a second gone by).
void EncodeBlob(std::vector<uint8_t>& out, Kind kind, const uint8_t* data, size_t size,
                const std::vector<uint8_t>& previous) {
    size_t changed = 0;
    if (size == previous.size()) {
        for (size_t i = 0; i < size; ++i) changed += data[i] != previous[i];
    }
    if (size == previous.size() && changed * 3 < size) {
        out.push_back(Lead(kind, Op::BlobChange));
        EncodeVarint(out, changed);
        for (size_t i = 0; i < size; ++i) {
            if (data[i] == previous[i]) continue;
            EncodeVarint(out, i);
            out.push_back(data[i]);
        }
        return;
    }
    out.push_back(Lead(kind, Op::Blob));
    EncodeVarint(out, size);
    out.insert(out.end(), data, data + size);
}

void EncodeChecksum(std::vector<uint8_t>& out, int64_t frame, uint64_t hash) {
    out.push_back(kChecksumByte);
    EncodeVarint(out, static_cast<uint64_t>(frame));
    EncodeU64(out, hash);
}

void EncodeEnd(std::vector<uint8_t>& out, int64_t frames, uint64_t answers) {
    out.push_back(kEndByte);
    EncodeVarint(out, static_cast<uint64_t>(frames));
    EncodeVarint(out, answers);
}

}  // namespace journal
