// ProTracker MOD writer: 31 sample slots, 128 orders, "M.K.", four channels,
// 8-bit signed samples whose rate at C-2 is 8363 Hz.
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "tools/assetgen/tracker.h"

namespace {

constexpr int kPeriods[36] = {856, 808, 762, 720, 678, 640, 604, 570, 538, 508, 480, 453,
                              428, 404, 381, 360, 339, 320, 302, 285, 269, 254, 240, 226,
                              214, 202, 190, 180, 170, 160, 151, 143, 135, 127, 120, 113};
constexpr double kReferenceRate = 8363;

void PutText(std::vector<unsigned char>& out, const std::string& text, size_t size) {
    for (size_t i = 0; i < size; ++i) out.push_back(i < text.size() ? (unsigned char)text[i] : 0);
}

void PutBe16(std::vector<unsigned char>& out, int value) {
    out.push_back((unsigned char)(value >> 8));
    out.push_back((unsigned char)value);
}

// index into the period table (0 = C-1) of a MIDI note on an instrument
int NoteIndex(const Instrument& instrument, int note) {
    double index = note - instrument.rootNote + 12 + 12 * std::log2(instrument.rate / kReferenceRate);
    int i = int(std::lround(index));
    while (i < 0) i += 12;
    while (i > 35) i -= 12;
    return i;
}

// the sample as 8-bit signed bytes of even length
std::vector<signed char> SampleBytes(const Instrument& instrument) {
    std::vector<signed char> bytes;
    for (float v : instrument.data) bytes.push_back((signed char)std::lround(std::clamp(v, -1.0f, 1.0f) * 127));
    if (bytes.size() % 2) bytes.push_back(0);
    return bytes;
}

void PutSampleHeader(std::vector<unsigned char>& out, const Instrument& instrument) {
    PutText(out, instrument.name, 22);
    size_t words = (instrument.data.size() + 1) / 2;
    PutBe16(out, int(words));
    out.push_back(0);  // finetune
    out.push_back((unsigned char)std::min(instrument.volume, 64));
    if (instrument.loopLength > 0) {
        PutBe16(out, instrument.loopStart / 2);
        PutBe16(out, std::max(instrument.loopLength / 2, 1));
    } else {
        PutBe16(out, 0);
        PutBe16(out, 1);
    }
}

void PutCell(std::vector<unsigned char>& out, const Song& song, const Cell& cell) {
    int period = 0, instrument = cell.instrument, effect = cell.effect, param = cell.param;
    if (cell.note > 0 && instrument > 0) period = kPeriods[NoteIndex(song.instruments[instrument - 1], cell.note)];
    if (cell.note == kNoteOff) effect = 0xC, param = 0;
    if (cell.volume >= 0 && effect == 0 && param == 0) effect = 0xC, param = cell.volume;
    out.push_back((unsigned char)((instrument & 0xF0) | (period >> 8)));
    out.push_back((unsigned char)(period & 0xFF));
    out.push_back((unsigned char)(((instrument & 0x0F) << 4) | (effect & 0x0F)));
    out.push_back((unsigned char)param);
}

}  // namespace

std::vector<unsigned char> ModFileBytes(const Song& song) {
    std::vector<unsigned char> out;
    PutText(out, song.name, 20);
    for (int i = 0; i < 31; ++i) {
        if (i < int(song.instruments.size())) {
            PutSampleHeader(out, song.instruments[i]);
        } else {
            PutText(out, "", 22);
            out.insert(out.end(), {0, 0, 0, 64, 0, 0, 0, 1});
        }
    }
    out.push_back((unsigned char)song.order.size());
    out.push_back(127);
    int highest = 0;
    for (int i = 0; i < 128; ++i) {
        int p = i < int(song.order.size()) ? song.order[i] : 0;
        highest = std::max(highest, p);
        out.push_back((unsigned char)p);
    }
    PutText(out, "M.K.", 4);
    for (int p = 0; p <= highest; ++p) {
        for (int row = 0; row < 64; ++row) {
            for (int ch = 0; ch < 4; ++ch) PutCell(out, song, song.patterns[p].cells[row][ch]);
        }
    }
    for (const Instrument& instrument : song.instruments) {
        std::vector<signed char> bytes = SampleBytes(instrument);
        out.insert(out.end(), bytes.begin(), bytes.end());
    }
    return out;
}

bool WriteFileBytes(const std::string& path, const std::vector<unsigned char>& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return (std::fclose(file) == 0) && ok;
}
