// WAV effects: the RIFF header checks, the PCM format and the conversion to
// the mixer's 44100 Hz 16-bit stereo.
#include "sound/wav_decoding.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int kPcmTag = 1;
constexpr uint64_t kFormatOffset = 20;
constexpr size_t kMinFormatSize = 16;

uint32_t ReadU32(const std::vector<uint8_t>& data, uint64_t at) {
    return static_cast<uint32_t>(data[at]) | static_cast<uint32_t>(data[at + 1]) << 8 |
           static_cast<uint32_t>(data[at + 2]) << 16 | static_cast<uint32_t>(data[at + 3]) << 24;
}

int ReadU16(const std::vector<uint8_t>& data, uint64_t at) { return data[at] | data[at + 1] << 8; }

bool HasTag(const std::vector<uint8_t>& data, size_t at, const char* tag) {
    return data.size() >= at + 4 && std::memcmp(&data[at], tag, 4) == 0;
}

bool Playable(const WavFormat& format) {
    return format.tag == kPcmTag && (format.channels == 1 || format.channels == 2) &&
           (format.bitsPerSample == 8 || format.bitsPerSample == 16) && format.sampleRate >= 100 &&
           format.sampleRate <= 200000;
}

// One sample of the file as signed 16 bits: 8-bit samples are unsigned.
int16_t SampleAt(const uint8_t* at, int bits) {
    if (bits == 8) return static_cast<int16_t>((at[0] - 128) * 256);
    return static_cast<int16_t>(static_cast<uint16_t>(at[0] | at[1] << 8));
}

// The whole frames of the sample chunk as interleaved stereo, at the file's rate.
std::vector<int16_t> ToStereo(const uint8_t* samples, uint64_t bytes, const WavFormat& format) {
    const int sampleBytes = format.bitsPerSample / 8;
    const int frameBytes = sampleBytes * format.channels;
    const uint64_t frames = bytes / frameBytes;
    std::vector<int16_t> stereo(2 * frames);
    for (uint64_t i = 0; i < frames; ++i) {
        const uint8_t* frame = samples + i * frameBytes;
        stereo[2 * i] = SampleAt(frame, format.bitsPerSample);
        stereo[2 * i + 1] = format.channels == 2 ? SampleAt(frame + sampleBytes, format.bitsPerSample) : stereo[2 * i];
    }
    return stereo;
}

}  // namespace

std::vector<int16_t> ResampleTo44100(const std::vector<int16_t>& stereo, int rate) {
    const uint64_t inFrames = stereo.size() / 2;
    if (rate == 44100 || inFrames == 0 || rate <= 0) return stereo;
    uint64_t outFrames = std::max<uint64_t>(1, inFrames * 44100 / rate);
    outFrames = std::min<uint64_t>(outFrames, kMaxEffectFrames);
    std::vector<int16_t> out(2 * outFrames);
    const double step = static_cast<double>(rate) / 44100.0;
    for (uint64_t i = 0; i < outFrames; ++i) {
        double position = static_cast<double>(i) * step;
        uint64_t a = std::min<uint64_t>(static_cast<uint64_t>(position), inFrames - 1);
        uint64_t b = std::min<uint64_t>(a + 1, inFrames - 1);
        double fraction = position - static_cast<double>(a);
        for (int c = 0; c < 2; ++c) {
            double value = stereo[2 * a + c] * (1.0 - fraction) + stereo[2 * b + c] * fraction;
            out[2 * i + c] = static_cast<int16_t>(std::clamp(value, -32768.0, 32767.0));
        }
    }
    return out;
}

bool DecodeWav(const std::vector<uint8_t>& file, std::vector<int16_t>& frames) {
    if (!HasTag(file, 0, "RIFF") || !HasTag(file, 12, "fmt ") || file.size() < kFormatOffset) return false;
    const uint64_t formatSize = ReadU32(file, 16);
    // the next chunk's name (not examined) stands right after the format,
    // then its size and its bytes, taken as the samples
    const uint64_t sizeField = kFormatOffset + formatSize + 4;
    if (formatSize < kMinFormatSize || sizeField + 4 > file.size()) return false;
    WavFormat format;
    format.tag = ReadU16(file, kFormatOffset);
    format.channels = ReadU16(file, kFormatOffset + 2);
    format.sampleRate = static_cast<int>(std::min<uint32_t>(ReadU32(file, kFormatOffset + 4), 0x7FFFFFFF));
    format.bitsPerSample = ReadU16(file, kFormatOffset + 14);
    if (!Playable(format)) return false;
    const uint64_t start = sizeField + 4;
    const uint64_t bytes = std::min<uint64_t>(ReadU32(file, sizeField), file.size() - start);
    std::vector<int16_t> stereo = ToStereo(file.data() + start, bytes, format);
    if (stereo.empty()) return false;
    frames = ResampleTo44100(stereo, format.sampleRate);
    return true;
}
