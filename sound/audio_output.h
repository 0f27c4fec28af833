// The audio output shared by the sound effects, the music and the beep: one
// platform audio device fed by one Mixer.
//
// OpenAudioOutput at the sound service's start-up, CloseAudioOutput at its
// shut-down. Every change to the mixer from the game thread happens while an
// AudioLock is held, so the audio thread never sees half of it.
#pragma once

#include "sound/mixer.h"

// whether OpenAudioOutput may open the device at all (the player can turn the
// sound off); allowed until called
void AllowAudioOutput(bool allowed);
// the player's music and effects volumes in percent, applied on top of the
// game's own (player_volumes.cpp)
void SetPlayerVolumes(int musicPercent, int effectsPercent);
// opens the device with the mixer as its source; false when there is none
bool OpenAudioOutput();
// stops the device; the mixer's voices are silenced, loaded samples stay
void CloseAudioOutput();
// whether the device is open
bool AudioOutputOpen();
// the mixer behind the device; change it only under an AudioLock
Mixer& OutputMixer();

// Holds the audio thread off the mixer for the guard's lifetime.
class AudioLock {
public:
    AudioLock();
    ~AudioLock();
    AudioLock(const AudioLock&) = delete;
    AudioLock& operator=(const AudioLock&) = delete;

private:
    bool locked_;
};
