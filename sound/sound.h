// Sound effects and module music, mixed together into one audio output.
//
// Effects are numbered WAV sounds; starting one that plays cuts it and starts
// it again, different numbers play together. Music modules (".mod", ".xm")
// play one at a time, looping. Order: InitSound, InitMusic, loads, plays,
// EndMusic, EndSound. A failed load never removes the previous entry; a
// number without an entry does nothing. Without an audio device every load
// fails and every play does nothing. Volumes are on the modules' 0..64 scale.
#pragma once

#include <string>
#include <vector>

// start-up: opens the audio output; non-zero on success
int InitSound();
// loads a WAV file as sound id; non-zero on success
int LoadSoundFile(int id, const std::string& path);
// stops sound id, rewinds it and plays it (loop non-zero: until stopped)
void StartSound(int id, int loop);
// StartSound(id, 0)
void StartSoundOnce(int id);
// shut-down: releases every sound and the output
void EndSound();
// start-up of the module player (after InitSound); non-zero on success
int InitMusic();
// loads a module file as music id; non-zero on success
int LoadMusicFile(int id, const std::string& path);
// stops the current module and plays module id from its start, looping;
// returns its play handle (non-zero), 0 if id holds no module
int StartMusic(int id);
// stops the current module (nothing if none)
void HaltMusic();
// volume of module id, on the 0..64 scale as percent * 64 / 100
void SetMusicVolume(int id, int percent);
// shut-down of the module player
void EndMusic();
// an alert tone of the frequency for duration ms; blocks for its length
void Beep(int frequencyHz, int durationMs);

// ---- what was played, for the headless driver and tests -------------------
// the sound numbers started since the last call, in order (cleared by the call)
std::vector<int> TakeStartedSounds();
// the music number playing, -1 for none
int PlayingMusic();
// the 0..64 volume of the playing music
int PlayingMusicVolume();
// the name stored in music module id, "" when id holds no module
std::string LoadedMusicName(int id);
// the number of entries of the sound table (it grows as numbers are loaded)
int SoundTableSize();
// whether sound id is sounding now (false once its last sample has played)
bool SoundPlaying(int id);
