// The title music: lead, bass, chord arpeggio (the tracker's own arpeggio
// effect on the chord's root) and drums on the four channels of a MOD.
#include <string>

#include "tools/assetgen/composer.h"
#include "tools/assetgen/instruments.h"
#include "tools/assetgen/songs.h"

namespace {

enum Channel { kLead, kBass, kArp, kDrums };
enum InstrumentNumber { kLeadSound = 1, kBassSound, kArpSound, kKickSound, kSnareSound, kHatSound };

const char* const kSections[7][2] = {
    // chords, melody
    {"C G Am F", ""},
    {"C G Am F", "E5:2 G5:2 C6:4 B5:2 C6:2 G5:4 D5:2 G5:2 B5:4 A5:2 B5:2 G5:4 "
                 "C6:2 B5:2 A5:4 E5:2 A5:2 C6:4 A5:4 G5:2 F5:2 E5:4 D5:4"},
    {"C G Am F", "E5:2 G5:2 C6:4 B5:2 C6:2 G5:4 D5:2 G5:2 B5:4 A5:2 B5:2 D6:4 "
                 "E6:2 D6:2 C6:4 B5:2 A5:2 E5:4 A5:2 C6:2 A5:2 F5:2 G5:8"},
    {"F G Em Am", "A5:6 C6:2 A5:4 F5:4 B5:6 D6:2 B5:4 G5:4 G5:2 B5:2 E6:4 D6:2 B5:2 G5:4 A5:8 r:4 E5:2 G5:2"},
    {"F G Em Am", "A5:2 C6:2 F6:4 E6:2 C6:2 A5:4 B5:2 D6:2 G6:4 F6:2 D6:2 B5:4 "
                  "G6:4 E6:4 B5:4 G5:4 A5:10 r:2 C6:2 B5:2"},
    {"Dm G C Am", "F5:3 E5:1 D5:4 A5:4 F5:4 G5:3 F5:1 D5:4 B5:4 G5:4 E5:2 G5:2 C6:2 E6:2 D6:4 C6:4 "
                  "B5:4 A5:4 G#5:4 B5:4"},
    {"C G Am F", "E5:2 G5:2 C6:4 B5:2 C6:2 G5:4 D5:2 G5:2 B5:4 A5:2 B5:2 D6:4 "
                 "E6:2 D6:2 C6:4 B5:2 A5:2 E5:4 F5:2 A5:2 G5:2 E5:2 C5:8"},
};

void WriteBass(Score& score, int bar, const Chord& chord) {
    int root = chord.Root(36);
    score.Rhythm(kBass, bar * kRowsPerBar, "R.O.R.O.R.O.F.O.", [&](char c) {
        return Note(c == 'R' ? root : c == 'O' ? root + 12 : root + 7, kBassSound);
    });
}

// the chord as the tracker's arpeggio effect, repeated on every row of the bar
void WriteArpeggio(Score& score, int bar, const Chord& chord) {
    int param = (chord.intervals[1] << 4) | chord.intervals[2];
    for (int row = 0; row < kRowsPerBar; ++row) {
        Cell& cell = score.At(kArp, bar * kRowsPerBar + row);
        if (row % 8 == 0) cell = Note(chord.Root(60), kArpSound);
        cell.effect = 0;
        cell.param = param;
    }
}

void WriteDrums(Score& score, int bar, bool intro) {
    const char* pattern = intro ? (bar % 4 == 3 ? "k...s...k.k.s.ss" : "k.h.h.h.k.h.h.h.")
                                : (bar % 4 == 3 ? "k.h.s.h.k.s.ssss" : "k.h.s.h.k.khs.hh");
    score.Rhythm(kDrums, bar * kRowsPerBar, pattern, [](char c) {
        if (c == 'k') return Note(60, kKickSound);
        if (c == 's') return Note(60, kSnareSound);
        return Note(60, kHatSound, 40);
    });
}

}  // namespace

Song TitleSong() {
    Song song;
    song.name = "gulpkin title";
    song.speed = 6;
    song.tempo = 125;
    const int rate = 8363, drumRate = 16726;
    song.instruments = {PulseInstrument("lead", 16, 0.25f, rate, 63), SawInstrument("bass", 128, rate, 64),
                        PulseInstrument("chords", 32, 0.5f, rate, 26), Kick("kick", drumRate, 64),
                        Snare("snare", drumRate, 50), HiHat("hat", drumRate, 40, false)};
    Score score(4, 28);
    for (int section = 0; section < 7; ++section) {
        std::vector<Chord> chords = Chords(kSections[section][0]);
        for (int i = 0; i < 4; ++i) {
            int bar = section * 4 + i;
            WriteBass(score, bar, chords[i]);
            WriteArpeggio(score, bar, chords[i]);
            WriteDrums(score, bar, section == 0);
        }
        score.Line(kLead, section * 4 * kRowsPerBar, kSections[section][1], kLeadSound);
    }
    score.Vibrato(kLead, 6, 0x43);
    score.Finish(song, 4);
    return song;
}
