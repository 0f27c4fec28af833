// Writing music for the modules: a score of bars on a fixed number of
// channels, melodies written as text, chords by name, and rhythm patterns
// one character per row. The finished score is cut into 64-row patterns,
// identical ones shared, and the order list follows the score.
//
// Melody text: tokens separated by spaces, each NOTE:ROWS, where NOTE is a
// name with octave ("C5", "F#4", "Bb3"; C4 = MIDI 60), "r" for a rest (the
// note stops) or "-" to hold the previous note on.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "tools/assetgen/tracker.h"

constexpr int kRowsPerBar = 16;

// MIDI number of a note name with octave, e.g. "A4" = 69
int NoteNumber(const std::string& name);

struct Chord {
    int root;                    // pitch class 0..11 (0 = C)
    std::vector<int> intervals;  // semitones above the root, 0 first
    // the chord's tones from the octave of `base` (MIDI) upwards
    std::vector<int> Tones(int base) const;
    // the root in the octave starting at `base` (MIDI, a C)
    int Root(int base) const { return base + root; }
};
// "C", "Am", "G7", "Bb", "F#m", "Dm7", "Esus"
Chord ChordNamed(const std::string& name);
// chords separated by spaces, one per bar
std::vector<Chord> Chords(const std::string& names);

class Score {
public:
    Score(int channels, int bars);
    int Rows() const { return int(cells_.size()); }
    int Channels() const { return channels_; }
    Cell& At(int channel, int row) { return cells_[row][channel]; }
    // writes a melody from `row`; returns the row after its end
    int Line(int channel, int row, const std::string& text, int instrument, int volume = -1);
    // one cell per character of `pattern` from `row`; '.' leaves the row
    // empty, any other character is turned into a cell by `make`
    void Rhythm(int channel, int row, const std::string& pattern, const std::function<Cell(char)>& make);
    // vibrato (effect 4, `param`) on the held rows of every note on `channel`
    // that lasts at least `minRows`, from its third row on
    void Vibrato(int channel, int minRows, int param);
    // copies channel `from` onto channel `to` `delay` rows later, quieter and
    // panned (effect 8): an echo
    void Echo(int from, int to, int delay, int volume, int panning);
    // the song's patterns and order list, restarting at the given bar (a multiple of 4)
    void Finish(Song& song, int restartBar) const;

private:
    int channels_;
    std::vector<std::vector<Cell>> cells_;
};
