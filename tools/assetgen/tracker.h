// A tracker song as the generator composes it, before it is written as a
// ProTracker MOD or a FastTracker II XM file. Notes are MIDI numbers (60 =
// middle C); each instrument says which note sounds when its sample plays
// at its own rate, and the writers turn that into periods, relative notes
// and finetunes. Effects use the numbering both formats share (0xy
// arpeggio, Cxx volume, Fxx speed and tempo).
#pragma once

#include <string>
#include <vector>

constexpr int kNoteOff = -1;

struct Cell {
    int note = 0;        // 0 none, kNoteOff, else a MIDI note
    int instrument = 0;  // 1-based, 0 none
    int volume = -1;     // 0..64, -1 none
    int effect = 0;
    int param = 0;
};

// a cell that plays a note on an instrument, at a volume or the instrument's own
inline Cell Note(int note, int instrument, int volume = -1) {
    Cell cell;
    cell.note = note;
    cell.instrument = instrument;
    cell.volume = volume;
    return cell;
}

struct Pattern {
    int rows = 64;
    std::vector<std::vector<Cell>> cells;  // [row][channel]
};

struct EnvelopePoint {
    int tick;
    int value;  // 0..64
};

struct Instrument {
    std::string name;
    std::vector<float> data;  // -1..1
    int rate = 8363;          // samples per second of `data`
    double rootNote = 60;     // MIDI note heard when played at `rate`
    int loopStart = 0;        // in samples
    int loopLength = 0;       // 0 = plays once
    int volume = 64;
    int panning = 128;                    // XM only
    std::vector<EnvelopePoint> envelope;  // XM volume envelope, empty = none
    int sustainPoint = -1;                // index into envelope, -1 = none
    int fadeout = 0;                      // XM fade after a note-off
};

struct Song {
    std::string name;
    int channels = 4;
    int speed = 6;    // ticks per row
    int tempo = 125;  // BPM
    std::vector<Instrument> instruments;
    std::vector<Pattern> patterns;
    std::vector<int> order;
    int restart = 0;  // order position the song loops back to
};

// the bytes of a 4-channel ProTracker "M.K." module (8-bit samples at the
// reference rate); notes outside the three octaves are folded in by octaves
std::vector<unsigned char> ModFileBytes(const Song& song);
// the bytes of a FastTracker II module (16-bit samples, linear frequencies)
std::vector<unsigned char> XmFileBytes(const Song& song);
// writes bytes to a file; false on failure
bool WriteFileBytes(const std::string& path, const std::vector<unsigned char>& bytes);
