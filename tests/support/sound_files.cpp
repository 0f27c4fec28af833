// Sound files for tests, built from their documented layouts.
#include "tests/support/sound_files.h"

#include "sound/sound.h"
#include "tests/support/scratch_folder.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {

void PutU16(std::vector<uint8_t>& out, unsigned value) {
    out.push_back(value & 0xFF);
    out.push_back((value >> 8) & 0xFF);
}

void PutU32(std::vector<uint8_t>& out, uint32_t value) {
    PutU16(out, value & 0xFFFF);
    PutU16(out, value >> 16);
}

void PutU16BigEndian(std::vector<uint8_t>& out, unsigned value) {
    out.push_back((value >> 8) & 0xFF);
    out.push_back(value & 0xFF);
}

void PutText(std::vector<uint8_t>& out, const std::string& text, size_t width) {
    for (size_t i = 0; i < width; ++i) out.push_back(i < text.size() ? static_cast<uint8_t>(text[i]) : 0);
}

// One ProTracker sample header: 22-byte name, then big-endian words.
void PutModuleSample(std::vector<uint8_t>& out, unsigned lengthWords, unsigned volume, unsigned repeatWords) {
    PutText(out, lengthWords ? "square" : "", 22);
    PutU16BigEndian(out, lengthWords);
    out.push_back(0);  // finetune
    out.push_back(static_cast<uint8_t>(volume));
    PutU16BigEndian(out, 0);  // repeat start
    PutU16BigEndian(out, repeatWords);
}

// A pattern cell: sample number split over two nibbles, 12-bit period, effect.
void PutCell(std::vector<uint8_t>& out, unsigned sample, unsigned period, unsigned effect, unsigned parameter) {
    out.push_back(static_cast<uint8_t>((sample & 0xF0) | (period >> 8)));
    out.push_back(static_cast<uint8_t>(period & 0xFF));
    out.push_back(static_cast<uint8_t>((sample & 0x0F) << 4 | effect));
    out.push_back(static_cast<uint8_t>(parameter));
}

}  // namespace

std::vector<uint8_t> WavFile::Bytes() const {
    const int sampleBytes = bitsPerSample / 8;
    std::vector<uint8_t> data;
    for (int s : samples) {
        if (sampleBytes == 1) data.push_back(static_cast<uint8_t>(s));
        else PutU16(data, static_cast<uint16_t>(s));
    }
    std::vector<uint8_t> out;
    PutText(out, "RIFF", 4);
    PutU32(out, static_cast<uint32_t>(36 + data.size()));
    PutText(out, "WAVE", 4);
    PutText(out, "fmt ", 4);
    PutU32(out, 16);
    PutU16(out, tag);
    PutU16(out, channels);
    PutU32(out, sampleRate);
    PutU32(out, sampleRate * channels * sampleBytes);
    PutU16(out, channels * sampleBytes);
    PutU16(out, bitsPerSample);
    PutText(out, chunkName, 4);
    PutU32(out, declaredSize >= 0 ? static_cast<uint32_t>(declaredSize) : static_cast<uint32_t>(data.size()));
    out.insert(out.end(), data.begin(), data.end());
    return out;
}

std::vector<uint8_t> ConstantWav(int frames, int value) {
    WavFile wav;
    wav.samples.assign(frames, value);
    return wav.Bytes();
}

std::vector<uint8_t> TinyProTrackerModule() {
    constexpr unsigned kSquareWords = 16;
    std::vector<uint8_t> out;
    PutText(out, "gulpkin test", 20);
    PutModuleSample(out, kSquareWords, 64, kSquareWords);
    for (int i = 2; i <= 31; ++i) PutModuleSample(out, 0, 0, 1);
    out.push_back(1);    // song length: one position
    out.push_back(127);  // restart byte
    for (int i = 0; i < 128; ++i) out.push_back(0);
    PutText(out, "M.K.", 4);
    for (int row = 0; row < 64; ++row) {
        for (int channel = 0; channel < 4; ++channel) {
            bool note = row == 0 && channel == 0;
            bool speed = row == 0 && channel == 1;
            PutCell(out, note ? 1 : 0, note ? 428 : 0, speed ? 0xF : 0, speed ? 1 : 0);
        }
    }
    for (unsigned i = 0; i < 2 * kSquareWords; ++i) out.push_back(i < kSquareWords ? 100 : static_cast<uint8_t>(-100));
    return out;
}

ScratchDirectory::ScratchDirectory() : path_(MakeScratchFolder("gulpkin-sound")) {}

ScratchDirectory::~ScratchDirectory() {
    if (path_.empty()) return;
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string ScratchDirectory::Write(const std::string& name, const std::vector<uint8_t>& bytes) const {
    std::string path = path_ + "/" + name;
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return path;
}

int PeakOf(const std::vector<int16_t>& samples, size_t firstFrame, size_t frameCount) {
    size_t begin = std::min(samples.size(), 2 * firstFrame);
    size_t end = frameCount == SIZE_MAX ? samples.size() : std::min(samples.size(), begin + 2 * frameCount);
    int peak = 0;
    for (size_t i = begin; i < end; ++i) peak = std::max(peak, std::abs(static_cast<int>(samples[i])));
    return peak;
}

void PrepareSounds() {
    static const ScratchDirectory directory;
    static const std::string click = directory.Write("click.wav", ConstantWav(441, 1000));
    EndSound();
    InitSound();
    for (int id = 0; id <= 13; ++id) LoadSoundFile(id, click);
    TakeStartedSounds();
}
