// FastTracker II XM writer (version 1.04): packed patterns, one sample per
// instrument, 16-bit delta-coded samples, linear frequency table.
#include <algorithm>
#include <cmath>

#include "tools/assetgen/tracker.h"

namespace {

using Bytes = std::vector<unsigned char>;

void PutText(Bytes& out, const std::string& text, size_t size) {
    for (size_t i = 0; i < size; ++i) out.push_back(i < text.size() ? (unsigned char)text[i] : 0);
}

void PutLe(Bytes& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back((unsigned char)(value >> (8 * i)));
}

// XM note number (1 = C-0, 97 = key off) of a MIDI note on an instrument
int XmNote(const Instrument& instrument, int note) {
    if (note == kNoteOff) return 97;
    int n = note - int(std::lround(instrument.rootNote)) + 49;
    while (n < 1) n += 12;
    while (n > 96) n -= 12;
    return n;
}

void PutCell(Bytes& out, const Song& song, const Cell& cell) {
    int note = 0;
    if (cell.note == kNoteOff) note = 97;
    else if (cell.note > 0 && cell.instrument > 0) note = XmNote(song.instruments[cell.instrument - 1], cell.note);
    int volume = cell.volume >= 0 ? 0x10 + std::min(cell.volume, 64) : 0;
    unsigned char flags = 0x80;
    if (note) flags |= 1;
    if (cell.instrument && note != 97) flags |= 2;
    if (volume) flags |= 4;
    if (cell.effect) flags |= 8;
    if (cell.param) flags |= 16;
    out.push_back(flags);
    if (flags & 1) out.push_back((unsigned char)note);
    if (flags & 2) out.push_back((unsigned char)cell.instrument);
    if (flags & 4) out.push_back((unsigned char)volume);
    if (flags & 8) out.push_back((unsigned char)cell.effect);
    if (flags & 16) out.push_back((unsigned char)cell.param);
}

void PutPattern(Bytes& out, const Song& song, const Pattern& pattern) {
    Bytes data;
    for (const auto& row : pattern.cells)
        for (int ch = 0; ch < song.channels; ++ch) PutCell(data, song, row[ch]);
    PutLe(out, 9, 4);
    out.push_back(0);
    PutLe(out, pattern.rows, 2);
    PutLe(out, uint32_t(data.size()), 2);
    out.insert(out.end(), data.begin(), data.end());
}

void PutEnvelope(Bytes& out, const std::vector<EnvelopePoint>& points) {
    for (size_t i = 0; i < 12; ++i) {
        PutLe(out, i < points.size() ? points[i].tick : 0, 2);
        PutLe(out, i < points.size() ? points[i].value : 0, 2);
    }
}

void PutInstrumentHeader(Bytes& out, const Instrument& instrument) {
    PutLe(out, 263, 4);
    PutText(out, instrument.name, 22);
    out.push_back(0);
    PutLe(out, 1, 2);
    PutLe(out, 40, 4);
    for (int i = 0; i < 96; ++i) out.push_back(0);
    PutEnvelope(out, instrument.envelope);
    PutEnvelope(out, {});
    out.push_back((unsigned char)instrument.envelope.size());
    out.push_back(0);
    out.push_back((unsigned char)std::max(instrument.sustainPoint, 0));
    out.insert(out.end(), {0, 0, 0, 0, 0});
    int type = instrument.envelope.empty() ? 0 : 1 | (instrument.sustainPoint >= 0 ? 2 : 0);
    out.push_back((unsigned char)type);
    out.insert(out.end(), {0, 0, 0, 0, 0});
    PutLe(out, instrument.fadeout, 2);
    for (int i = 0; i < 22; ++i) out.push_back(0);
}

// the sample header, then the delta-coded 16-bit samples; the sample's rate
// becomes a relative note and a finetune
void PutSample(Bytes& out, const Instrument& instrument) {
    double shift = 12 * std::log2(instrument.rate / 8363.0) + std::round(instrument.rootNote) - instrument.rootNote;
    int relative = int(std::floor(shift + 0.5));
    int finetune = std::clamp(int(std::lround((shift - relative) * 128)), -128, 127);
    PutLe(out, uint32_t(instrument.data.size() * 2), 4);
    PutLe(out, uint32_t(instrument.loopStart * 2), 4);
    PutLe(out, uint32_t(instrument.loopLength * 2), 4);
    out.push_back((unsigned char)std::min(instrument.volume, 64));
    out.push_back((unsigned char)(signed char)finetune);
    out.push_back((unsigned char)(0x10 | (instrument.loopLength > 0 ? 1 : 0)));
    out.push_back((unsigned char)instrument.panning);
    out.push_back((unsigned char)(signed char)relative);
    out.push_back(0);
    PutText(out, instrument.name, 22);
    int16_t previous = 0;
    for (float v : instrument.data) {
        int16_t s = int16_t(std::lround(std::clamp(v, -1.0f, 1.0f) * 32767));
        PutLe(out, uint16_t(int16_t(s - previous)), 2);
        previous = s;
    }
}

}  // namespace

std::vector<unsigned char> XmFileBytes(const Song& song) {
    Bytes out;
    PutText(out, "Extended Module: ", 17);
    PutText(out, song.name, 20);
    out.push_back(0x1A);
    PutText(out, "Gulpkin assetgen", 20);
    PutLe(out, 0x0104, 2);
    PutLe(out, 276, 4);
    PutLe(out, uint32_t(song.order.size()), 2);
    PutLe(out, song.restart, 2);
    PutLe(out, song.channels, 2);
    PutLe(out, uint32_t(song.patterns.size()), 2);
    PutLe(out, uint32_t(song.instruments.size()), 2);
    PutLe(out, 1, 2);
    PutLe(out, song.speed, 2);
    PutLe(out, song.tempo, 2);
    for (int i = 0; i < 256; ++i) out.push_back((unsigned char)(i < int(song.order.size()) ? song.order[i] : 0));
    for (const Pattern& pattern : song.patterns) PutPattern(out, song, pattern);
    for (const Instrument& instrument : song.instruments) {
        PutInstrumentHeader(out, instrument);
        PutSample(out, instrument);
    }
    return out;
}
