// Bounds-checked reads from a file held in memory. Every read names its
// offset; callers ask Has() first, so nothing ever reads past the data.
// Multi-byte fields are little-endian, as in BMP files.
#pragma once

#include <cstddef>
#include <cstdint>

struct ByteSpan {
    const uint8_t* data = nullptr;
    size_t size = 0;

    // true if `count` bytes starting at `offset` lie inside the data
    bool Has(size_t offset, size_t count) const { return offset <= size && count <= size - offset; }
    // the 16-bit field at offset (checked with Has by the caller)
    uint32_t U16(size_t offset) const { return data[offset] | (uint32_t{data[offset + 1]} << 8); }
    // the 32-bit field at offset (checked with Has by the caller)
    uint32_t U32(size_t offset) const { return U16(offset) | (U16(offset + 2) << 16); }
    // the signed 32-bit field at offset (checked with Has by the caller)
    int32_t S32(size_t offset) const { return static_cast<int32_t>(U32(offset)); }
};
