// The play music: a driving A-minor tune at 150 beats a minute with a lead,
// a chord arpeggio in sixteenths, a pumping bass, a three-voice pad and a
// full drum kit, and an echo of the lead.
#include <string>

#include "tools/assetgen/composer.h"
#include "tools/assetgen/instruments.h"
#include "tools/assetgen/songs.h"

namespace {

enum Channel { kLead, kArp, kBass, kPad1, kPad2, kPad3, kKick, kSnare, kHat, kCrash, kEcho, kSpare };
enum InstrumentNumber { kLeadSound = 1, kArpSound, kBassSound, kPadSound, kKickSound, kSnareSound, kHatSound, kOpenHatSound };

struct Section {
    const char* chords;
    const char* melody;
    bool drums;
};

const Section kSections[8] = {
    {"Am F G Em", "r:48 E5:2 A5:2 B5:2 C6:2 D6:2 E6:2 G6:4", true},
    {"Am F G Em", "A5:2 C6:2 E6:2 A6:2 G6:2 E6:2 C6:2 E6:2 F6:2 E6:2 C6:4 A5:2 F5:2 C6:4 "
                  "G5:2 B5:2 D6:4 B5:2 G5:2 D6:2 G6:2 E6:4 G6:2 B5:2 E6:4 D6:2 B5:2", true},
    {"Am F C G", "E6:3 D6:1 C6:2 B5:2 A5:4 E5:4 F5:2 G5:2 A5:2 C6:2 A5:4 F5:4 "
                 "G5:2 C6:2 E6:2 G6:2 E6:4 C6:4 D6:4 B5:4 G5:2 A5:2 B5:4", true},
    {"F G Am Am", "C6:6 A5:2 F5:4 A5:4 D6:6 B5:2 G5:4 B5:4 E6:4 D6:2 C6:2 B5:2 C6:2 A5:4 A5:12 r:4", true},
    {"F G E E", "C6:6 A5:2 F5:4 A5:4 D6:6 B5:2 G5:4 B5:4 E6:4 D6:2 C6:2 B5:4 G#5:4 E5:12 r:4", true},
    {"Dm Dm E E", "D5:8 F5:8 A5:8 F5:8 G#5:8 B5:8 E6:12 r:4", false},
    {"Am F G Em", "A5:2 C6:2 E6:2 A6:2 G6:2 E6:2 C6:2 E6:2 F6:2 E6:2 C6:4 A5:2 F5:2 C6:4 "
                  "G5:2 B5:2 D6:4 B5:2 G5:2 D6:2 G6:2 E6:4 G6:2 B5:2 E6:4 D6:2 B5:2", true},
    {"F G Am Am", "C6:6 A5:2 F5:4 A5:4 D6:6 B5:2 G5:4 B5:4 E6:4 D6:2 C6:2 B5:2 C6:2 A5:4 A5:8 E5:4 G5:4", true},
};

void WriteBass(Score& score, int bar, const Chord& chord) {
    int root = chord.Root(36);
    score.Rhythm(kBass, bar * kRowsPerBar, "R.RO.RR.R.RO.RF.", [&](char c) {
        return Note(c == 'R' ? root : c == 'O' ? root + 12 : root + 7, kBassSound, c == 'R' ? 56 : 44);
    });
}

void WriteArpeggio(Score& score, int bar, const Chord& chord) {
    std::vector<int> tones = chord.Tones(60);
    const int order[8] = {0, 1, 2, 3, 2, 1, 0, 1};
    for (int i = 0; i < kRowsPerBar; ++i) {
        int k = order[i % 8];
        int note = k < int(tones.size()) && k < 3 ? tones[k] : tones[0] + 12;
        score.At(kArp, bar * kRowsPerBar + i) = Note(note, kArpSound, i % 4 == 0 ? 30 : 20);
    }
}

void WritePad(Score& score, int bar, const Chord& chord) {
    std::vector<int> tones = chord.Tones(48);
    for (int v = 0; v < 3; ++v) score.At(kPad1 + v, bar * kRowsPerBar) = Note(tones[v] + 12 * (v == 0), kPadSound, 22);
}

void WriteDrums(Score& score, int bar, bool full, bool intro) {
    int row = bar * kRowsPerBar;
    bool fill = bar % 4 == 3;
    if (full) {
        score.Rhythm(kKick, row, intro && bar < 2 ? "k.......k......." : "k...k...k...k.k.", [](char) { return Note(60, kKickSound); });
        score.Rhythm(kSnare, row, fill ? "....s.......s.ss" : "....s.......s...", [](char) { return Note(60, kSnareSound); });
    }
    score.Rhythm(kHat, row, full ? "hhohhhohhhohhhoh" : "h...h...h...h...", [](char c) {
        return c == 'o' ? Note(60, kOpenHatSound, 30) : Note(60, kHatSound, 26);
    });
}

}  // namespace

Song PlaySong() {
    Song song;
    song.name = "gulpkin play";
    song.speed = 6;
    song.tempo = 150;
    const int rate = 44100;
    song.instruments = {
        WithEnvelope(SweepLead("lead", rate, 50), {{0, 64}, {6, 50}, {40, 42}}, 2, 900),
        WithEnvelope(SawInstrument("arp", 100, rate, 40), {{0, 64}, {4, 30}, {14, 0}}, -1, 0),
        WithEnvelope(SawInstrument("bass", 400, rate, 60), {{0, 64}, {6, 44}, {30, 30}}, 2, 3000),
        WithEnvelope(ChorusPad("pad", rate, 40), {{0, 10}, {24, 50}, {80, 40}}, 2, 600),
        Kick("kick", rate, 64),
        Snare("snare", rate, 52),
        HiHat("hat", rate, 40, false),
        HiHat("open hat", rate, 34, true),
    };
    song.instruments[1].panning = 80;
    song.instruments[6].panning = 170;
    Score score(12, 32);
    for (int section = 0; section < 8; ++section) {
        const Section& s = kSections[section];
        std::vector<Chord> chords = Chords(s.chords);
        for (int i = 0; i < 4; ++i) {
            int bar = section * 4 + i;
            WriteBass(score, bar, chords[i]);
            if (section > 0) WriteArpeggio(score, bar, chords[i]);
            WritePad(score, bar, chords[i]);
            WriteDrums(score, bar, s.drums, section == 0);
        }
        if (section == 1 || section == 6) score.At(kCrash, section * 4 * kRowsPerBar) = Note(60, kOpenHatSound, 48);
        score.Line(kLead, section * 4 * kRowsPerBar, s.melody, kLeadSound);
    }
    score.Vibrato(kLead, 6, 0x34);
    score.Echo(kLead, kEcho, 3, 18, 0xD0);
    score.Finish(song, 4);
    return song;
}
