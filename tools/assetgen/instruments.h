// The instruments of the music modules, computed: looped waveforms for the
// pitched voices and one-shot drums. `rate` is the sample rate each is
// computed at (8363 Hz suits the MOD, 22050 or 44100 the XM). Every sample
// averages zero, starts at silence and peaks below -1 dBFS.
#pragma once

#include "tools/assetgen/tracker.h"

// a looped single cycle of a pulse of the given duty (0..1) with rounded edges
// and no offset, as loud as a plain +-0.7 pulse where the peak limit allows
Instrument PulseInstrument(const char* name, int cycleLength, float duty, int rate, int volume);
// a looped triangle cycle
Instrument TriangleInstrument(const char* name, int cycleLength, int rate, int volume);
// a looped saw cycle, softened
Instrument SawInstrument(const char* name, int cycleLength, int rate, int volume);
// a long loop of two slightly detuned saws: a warm pad or string
Instrument ChorusPad(const char* name, int rate, int volume);
// a long loop of a square whose duty sweeps: a lively lead
Instrument SweepLead(const char* name, int rate, int volume);
// a long loop of a soft sine with a little vibrato and breath: a flute
Instrument Flute(const char* name, int rate, int volume);
// a bell-like plucked tone that dies away (not looped)
Instrument Bell(const char* name, int rate, int volume);
// drums, played at MIDI note 60
Instrument Kick(const char* name, int rate, int volume);
Instrument Snare(const char* name, int rate, int volume);
Instrument HiHat(const char* name, int rate, int volume, bool open);
// the instrument with a volume envelope (XM only): its points, the sustain
// point (-1 for none) and the fadeout after the note is released
Instrument WithEnvelope(Instrument instrument, std::vector<EnvelopePoint> envelope, int sustain, int fadeout);
