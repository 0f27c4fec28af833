// The score and its text notations.
#include "tools/assetgen/composer.h"

#include <cstdio>
#include <sstream>

namespace {

// semitones above C of a note letter with its sharps and flats (Cb = -1)
int LetterPitch(const std::string& name, size_t& pos) {
    static const int kLetters[7] = {9, 11, 0, 2, 4, 5, 7};  // A..G
    int pitch = kLetters[name[0] - 'A'];
    pos = 1;
    while (pos < name.size() && (name[pos] == '#' || name[pos] == 'b')) pitch += name[pos++] == '#' ? 1 : -1;
    return pitch;
}

bool SameRows(const std::vector<std::vector<Cell>>& a, const std::vector<std::vector<Cell>>& b) {
    for (size_t r = 0; r < a.size(); ++r) {
        for (size_t c = 0; c < a[r].size(); ++c) {
            const Cell &x = a[r][c], &y = b[r][c];
            if (x.note != y.note || x.instrument != y.instrument || x.volume != y.volume || x.effect != y.effect ||
                x.param != y.param)
                return false;
        }
    }
    return true;
}

}  // namespace

int NoteNumber(const std::string& name) {
    size_t pos = 0;
    int pitch = LetterPitch(name, pos);
    return 12 * (std::stoi(name.substr(pos)) + 1) + pitch;
}

std::vector<int> Chord::Tones(int base) const {
    std::vector<int> tones;
    for (int interval : intervals) tones.push_back(base + root + interval);
    return tones;
}

Chord ChordNamed(const std::string& name) {
    size_t pos = 0;
    Chord chord{(LetterPitch(name, pos) + 12) % 12, {0, 4, 7}};
    std::string kind = name.substr(pos);
    if (kind == "m") chord.intervals = {0, 3, 7};
    else if (kind == "7") chord.intervals = {0, 4, 7, 10};
    else if (kind == "m7") chord.intervals = {0, 3, 7, 10};
    else if (kind == "maj7") chord.intervals = {0, 4, 7, 11};
    else if (kind == "sus") chord.intervals = {0, 5, 7};
    else if (kind == "dim") chord.intervals = {0, 3, 6};
    return chord;
}

std::vector<Chord> Chords(const std::string& names) {
    std::vector<Chord> chords;
    std::istringstream in(names);
    std::string name;
    while (in >> name) chords.push_back(ChordNamed(name));
    return chords;
}

Score::Score(int channels, int bars)
    : channels_(channels), cells_(size_t(bars) * kRowsPerBar, std::vector<Cell>(channels)) {}

int Score::Line(int channel, int row, const std::string& text, int instrument, int volume) {
    std::istringstream in(text);
    std::string token;
    while (in >> token) {
        size_t colon = token.find(':');
        std::string what = token.substr(0, colon);
        int length = colon == std::string::npos ? 1 : std::stoi(token.substr(colon + 1));
        if (row >= Rows()) {
            std::fprintf(stderr, "assetgen: melody runs past the end of the score: %s\n", token.c_str());
            return row;
        }
        Cell& cell = At(channel, row);
        if (what == "r") {
            cell.note = kNoteOff;
        } else if (what != "-") {
            cell.note = NoteNumber(what);
            cell.instrument = instrument;
            cell.volume = volume;
        }
        row += length;
    }
    return row;
}

void Score::Rhythm(int channel, int row, const std::string& pattern, const std::function<Cell(char)>& make) {
    for (size_t i = 0; i < pattern.size() && row + int(i) < Rows(); ++i) {
        if (pattern[i] != '.' && pattern[i] != ' ') At(channel, row + int(i)) = make(pattern[i]);
    }
}

void Score::Vibrato(int channel, int minRows, int param) {
    int start = -1;
    for (int row = 0; row <= Rows(); ++row) {
        bool boundary = row == Rows() || At(channel, row).note != 0;
        if (!boundary) continue;
        if (start >= 0 && At(channel, start).note > 0 && row - start >= minRows) {
            for (int r = start + 2; r < row; ++r) {
                if (At(channel, r).effect == 0 && At(channel, r).param == 0) At(channel, r).effect = 4, At(channel, r).param = param;
            }
        }
        start = row;
    }
}

void Score::Echo(int from, int to, int delay, int volume, int panning) {
    for (int row = 0; row + delay < Rows(); ++row) {
        Cell cell = At(from, row);
        if (cell.note == 0) continue;
        if (cell.note > 0) {
            cell.volume = volume;
            cell.effect = 8;
            cell.param = panning;
        }
        At(to, row + delay) = cell;
    }
}

void Score::Finish(Song& song, int restartBar) const {
    song.channels = channels_;
    song.patterns.clear();
    song.order.clear();
    for (int start = 0; start < Rows(); start += 64) {
        std::vector<std::vector<Cell>> rows(cells_.begin() + start, cells_.begin() + std::min(start + 64, Rows()));
        rows.resize(64, std::vector<Cell>(channels_));
        int found = -1;
        for (size_t p = 0; p < song.patterns.size() && found < 0; ++p)
            if (SameRows(song.patterns[p].cells, rows)) found = int(p);
        if (found < 0) {
            found = int(song.patterns.size());
            song.patterns.push_back({64, rows});
        }
        song.order.push_back(found);
    }
    song.restart = restartBar / 4;
}
