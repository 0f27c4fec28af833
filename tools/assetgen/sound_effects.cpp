// The effects: a blip per dot, a rising siren when the ghosts take fright, a
// falling death, jingles and crunches. Each ends with FinishSound: no offset,
// silent ends, and a peak near -4 dBFS, so that two effects on top of the
// music still fit under full scale.
#include "tools/assetgen/sound_effects.h"

#include <cmath>

namespace {

constexpr int kRate = 22050;

Sound Empty() {
    Sound sound;
    sound.rate = kRate;
    return sound;
}

Voice Tone(Wave wave, double frequency, float volume, double halfLife, float duty = 0.5f) {
    Voice voice;
    voice.wave = wave;
    voice.frequency = [frequency](double) { return frequency; };
    voice.volume = [volume, halfLife](double t) { return volume * Pluck(t, 0.004, halfLife); };
    voice.duty = [duty](double) { return duty; };
    return voice;
}

// notes (MIDI numbers, negative = rest) played one after another
void AddMelody(Sound& sound, const std::vector<int>& notes, double start, double step, Wave wave, float volume,
               double halfLife, double length = 0) {
    for (size_t i = 0; i < notes.size(); ++i) {
        if (notes[i] < 0) continue;
        AddVoice(sound, Tone(wave, NoteFrequency(notes[i]), volume, halfLife, 0.25f), start + i * step,
                 length > 0 ? length : step * 0.95);
    }
}

Sound DotBlip() {
    Sound sound = Empty();
    Voice voice;
    voice.frequency = [](double t) { return 520 * std::pow(2.0, t / 0.06); };
    voice.volume = [](double t) { return Ramp(t, {{0, 0}, {0.003, 0.8f}, {0.03, 0.5f}, {0.065, 0}}); };
    voice.duty = [](double) { return 0.25f; };
    AddVoice(sound, voice, 0, 0.066);
    FinishSound(sound, 0.64f);
    return sound;
}

Sound FrightSiren() {
    Sound sound = Empty();
    Voice voice;
    voice.frequency = [](double t) { return 180 * std::pow(2.0, t * 3.2) * (1 + 0.05 * std::sin(t * 2 * M_PI * 14)); };
    voice.volume = [](double t) { return Ramp(t, {{0, 0}, {0.02, 0.6f}, {0.6, 0.5f}, {0.85, 0}}); };
    voice.duty = [](double t) { return float(0.15 + 0.3 * t); };
    AddVoice(sound, voice, 0, 0.85);
    Voice under = voice;
    under.wave = Wave::Triangle;
    under.frequency = [](double t) { return 90 * std::pow(2.0, t * 3.2); };
    AddVoice(sound, under, 0, 0.85);
    FinishSound(sound, 0.64f);
    return sound;
}

Sound Death() {
    Sound sound = Empty();
    Voice fall;
    fall.frequency = [](double t) { return 900 * std::pow(2.0, -t * 2.1) * (1 + 0.06 * std::sin(t * 2 * M_PI * 9)); };
    fall.volume = [](double t) { return Ramp(t, {{0, 0}, {0.02, 0.7f}, {1.3, 0.5f}, {1.5, 0}}); };
    fall.duty = [](double t) { return float(0.5 - 0.3 * t / 1.5); };
    AddVoice(sound, fall, 0, 1.5);
    for (double at : {1.6, 1.82}) {
        Voice pop;
        pop.wave = Wave::Sine;
        pop.frequency = [](double t) { return 180 * std::pow(2.0, -t * 12); };
        pop.volume = [](double t) { return 0.9f * Pluck(t, 0.002, 0.03); };
        AddVoice(sound, pop, at, 0.15);
        AddNoise(sound, 31, at, 0.08, [](double t) { return 0.5f * Pluck(t, 0.001, 0.015); },
                 [](double) { return 3000.0; });
    }
    FinishSound(sound, 0.68f);
    return sound;
}

Sound ExtraLife() {
    Sound sound = Empty();
    AddMelody(sound, {72, 76, 79, 84, 88, 91, 96}, 0, 0.06, Wave::Square, 0.4f, 0.08);
    for (int note : {84, 88, 91}) AddVoice(sound, Tone(Wave::Square, NoteFrequency(note), 0.25f, 0.18, 0.25f), 0.42, 0.55);
    AddVoice(sound, Tone(Wave::Triangle, NoteFrequency(60), 0.5f, 0.3), 0.42, 0.55);
    FinishSound(sound, 0.64f);
    return sound;
}

Sound FifthGhost() {
    Sound sound = Empty();
    AddMelody(sound, {67, 67, 67}, 0, 0.11, Wave::Square, 0.4f, 0.06);
    AddMelody(sound, {55, 55, 55}, 0, 0.11, Wave::Triangle, 0.5f, 0.06);
    for (int note : {72, 76, 79}) AddVoice(sound, Tone(Wave::Saw, NoteFrequency(note), 0.22f, 0.4), 0.33, 0.9);
    AddVoice(sound, Tone(Wave::Square, NoteFrequency(84), 0.3f, 0.35, 0.25f), 0.33, 0.9);
    AddVoice(sound, Tone(Wave::Triangle, NoteFrequency(48), 0.6f, 0.5), 0.33, 0.9);
    FinishSound(sound, 0.64f);
    return sound;
}

Sound Sprint() {
    Sound sound = Empty();
    Voice zip;
    zip.wave = Wave::Saw;
    zip.frequency = [](double t) { return 200 * std::pow(2.0, t * 11); };
    zip.volume = [](double t) { return Ramp(t, {{0, 0}, {0.01, 0.5f}, {0.25, 0.4f}, {0.32, 0}}); };
    AddVoice(sound, zip, 0, 0.32);
    AddNoise(sound, 7, 0, 0.4, [](double t) { return Ramp(t, {{0, 0}, {0.1, 0.5f}, {0.4, 0}}); },
             [](double t) { return 500 + t * 9000; });
    FinishSound(sound, 0.6f);
    return sound;
}

void AddCrunch(Sound& sound, uint32_t seed, double at, float volume, double cutoff) {
    AddNoise(sound, seed, at, 0.07, [volume](double t) { return volume * Pluck(t, 0.001, 0.012); },
             [cutoff](double) { return cutoff; });
}

Sound Apple() {
    Sound sound = Empty();
    AddCrunch(sound, 11, 0, 1.0f, 5000);
    AddCrunch(sound, 12, 0.06, 0.8f, 3500);
    AddVoice(sound, Tone(Wave::Sine, NoteFrequency(91), 0.35f, 0.12), 0.1, 0.4);
    AddVoice(sound, Tone(Wave::Sine, NoteFrequency(96), 0.3f, 0.12), 0.16, 0.34);
    AddVoice(sound, Tone(Wave::Square, NoteFrequency(84), 0.12f, 0.1, 0.2f), 0.1, 0.35);
    FinishSound(sound, 0.64f);
    return sound;
}

Sound InterludeJingle() {
    Sound sound = Empty();
    const double step = 0.16;
    AddMelody(sound, {72, 76, 79, 76, 77, 81, 84, 81, 79, 83, 86, 83, 84, -1, 79, -1, 84, 84, 84, -1},
              0, step, Wave::Square, 0.35f, 0.12);
    AddMelody(sound, {48, -1, 55, -1, 53, -1, 57, -1, 55, -1, 59, -1, 48, -1, 43, -1, 48, 48, 48, -1},
              0, step, Wave::Triangle, 0.55f, 0.2);
    for (int i = 0; i < 20; i += 2) AddCrunch(sound, 40 + i, i * step, i % 4 ? 0.35f : 0.15f, i % 4 ? 6000 : 800);
    FinishSound(sound, 0.64f);
    return sound;
}

Sound Growl() {
    Sound sound = Empty();
    Voice growl;
    growl.frequency = [](double t) { return 95 * (1 + 0.25 * std::sin(t * 2 * M_PI * 32)) * (1 + t); };
    growl.volume = [](double t) { return Ramp(t, {{0, 0}, {0.03, 0.7f}, {0.25, 0.6f}, {0.3, 0}}); };
    growl.duty = [](double) { return 0.3f; };
    AddVoice(sound, growl, 0, 0.3);
    AddNoise(sound, 5, 0, 0.3, [](double t) { return Ramp(t, {{0, 0}, {0.05, 0.4f}, {0.3, 0}}); },
             [](double) { return 1200.0; });
    AddCrunch(sound, 6, 0.3, 1.0f, 4000);
    FinishSound(sound, 0.64f);
    return sound;
}

Sound Chomp() {
    Sound sound = Empty();
    for (int i = 0; i < 2; ++i) {
        Voice bite;
        bite.frequency = [i](double t) { return (240 - i * 50) * std::pow(2.0, -t * 8); };
        bite.volume = [](double t) { return 0.7f * Pluck(t, 0.003, 0.03); };
        AddVoice(sound, bite, i * 0.11, 0.1);
        AddCrunch(sound, 20 + i, i * 0.11, 0.6f, 2500);
    }
    FinishSound(sound, 0.64f);
    return sound;
}

Sound GhostCrunch(uint32_t seed, double pitch, int bites) {
    Sound sound = Empty();
    for (int i = 0; i < bites; ++i) AddCrunch(sound, seed + i, i * 0.07, 1.0f - i * 0.15f, 4500 - i * 800);
    Voice gulp;
    gulp.wave = Wave::Triangle;
    gulp.frequency = [pitch](double t) { return pitch * std::pow(2.0, -t * 5); };
    gulp.volume = [](double t) { return Ramp(t, {{0, 0}, {0.02, 0.8f}, {0.3, 0.5f}, {0.42, 0}}); };
    AddVoice(sound, gulp, 0.03, 0.42);
    FinishSound(sound, 0.68f);
    return sound;
}

Sound Crunch5() { return GhostCrunch(100, 900, 3); }
Sound Crunch6() { return GhostCrunch(200, 700, 4); }
Sound Crunch4() { return GhostCrunch(300, 1100, 2); }

}  // namespace

const std::vector<SoundEffect>& SoundEffects() {
    static const std::vector<SoundEffect> effects = {
        {"boules.wav", DotBlip},    {"boulesr.wav", FrightSiren}, {"meur1.wav", Death},
        {"vie1.wav", ExtraLife},    {"5f.wav", FifthGhost},       {"sprint.wav", Sprint},
        {"apple.wav", Apple},       {"gulp1.wav", InterludeJingle}, {"bouffe1.wav", Growl},
        {"bouffe.wav", Chomp},      {"bouffe5.wav", Crunch5},     {"bouffe6.wav", Crunch6},
        {"bouffe4.wav", Crunch4},
    };
    return effects;
}
