// The end-of-game music: a calm F-major air at 90 beats a minute, a flute
// over a soft pad, a harp arpeggio, a walking bass and light drums.
#include <string>

#include "tools/assetgen/composer.h"
#include "tools/assetgen/instruments.h"
#include "tools/assetgen/songs.h"

namespace {

enum Channel { kFlute, kHarp, kBass, kPad1, kPad2, kPad3, kKick, kHat };
enum InstrumentNumber { kFluteSound = 1, kHarpSound, kBassSound, kPadSound, kKickSound, kHatSound };

const char* const kSections[4][2] = {
    {"F C Dm Bb", "A5:8 G5:4 F5:4 G5:8 E5:4 C5:4 F5:6 E5:2 D5:4 F5:4 D5:12 C5:4"},
    {"Bb F Gm C", "F5:4 D5:4 F5:4 Bb5:4 A5:12 G5:4 Bb5:4 A5:4 G5:4 D5:4 E5:8 G5:8"},
    {"F C Dm Bb", "C6:8 A5:4 F5:4 E5:4 G5:4 C6:8 D6:6 C6:2 A5:4 F5:4 D5:4 F5:4 G5:8"},
    {"Dm Bb F C", "F5:8 A5:8 D6:8 Bb5:8 A5:6 G5:2 F5:8 E5:8 G5:4 C5:4"},
};

void WriteBass(Score& score, int bar, const Chord& chord) {
    int root = chord.Root(36);
    int fifth = root + chord.intervals[2];
    score.Rhythm(kBass, bar * kRowsPerBar, "R...F...O...F...", [&](char c) {
        return Note(c == 'R' ? root : c == 'F' ? fifth : root + 12, kBassSound, c == 'R' ? 60 : 44);
    });
}

void WriteHarp(Score& score, int bar, const Chord& chord) {
    std::vector<int> tones = chord.Tones(60);
    const int steps[8] = {0, 1, 2, 3, 4, 3, 2, 1};  // up through two octaves of the chord and back
    for (int i = 0; i < 8; ++i) {
        int k = steps[i];
        int note = tones[k % 3] + 12 * (k / 3);
        score.At(kHarp, bar * kRowsPerBar + i * 2) = Note(note, kHarpSound, i == 0 ? 34 : 24);
    }
}

void WritePad(Score& score, int bar, const Chord& chord) {
    std::vector<int> tones = chord.Tones(48);
    for (int v = 0; v < 3; ++v) score.At(kPad1 + v, bar * kRowsPerBar) = Note(tones[v], kPadSound, 20);
}

void WriteDrums(Score& score, int bar) {
    int row = bar * kRowsPerBar;
    score.Rhythm(kKick, row, bar % 2 ? "k.......k...k..." : "k.........k.....", [](char) { return Note(60, kKickSound, 40); });
    score.Rhythm(kHat, row, "..h...h...h...h.", [](char) { return Note(60, kHatSound, 18); });
}

}  // namespace

Song EndSong() {
    Song song;
    song.name = "gulpkin end";
    song.speed = 6;
    song.tempo = 90;
    const int rate = 44100;
    song.instruments = {
        WithEnvelope(Flute("flute", rate, 52), {{0, 0}, {8, 56}, {40, 48}}, 2, 500),
        Bell("harp", rate, 40),
        WithEnvelope(TriangleInstrument("bass", 400, rate, 60), {{0, 64}, {20, 44}, {60, 36}}, 2, 1500),
        WithEnvelope(ChorusPad("pad", rate, 36), {{0, 0}, {40, 44}, {120, 36}}, 2, 300),
        Kick("kick", rate, 48),
        HiHat("hat", rate, 30, false),
    };
    song.instruments[1].panning = 90;
    song.instruments[5].panning = 170;
    Score score(8, 16);
    for (int section = 0; section < 4; ++section) {
        std::vector<Chord> chords = Chords(kSections[section][0]);
        for (int i = 0; i < 4; ++i) {
            int bar = section * 4 + i;
            WriteBass(score, bar, chords[i]);
            WriteHarp(score, bar, chords[i]);
            WritePad(score, bar, chords[i]);
            if (section > 0) WriteDrums(score, bar);
        }
        score.Line(kFlute, section * 4 * kRowsPerBar, kSections[section][1], kFluteSound);
    }
    score.Finish(song, 0);
    return song;
}
