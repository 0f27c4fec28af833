// Inside the headless backend: the clock tells the audio recording (see
// StartAudioRecording in headless.h) each time virtual time moves.
#pragma once

namespace headless {

// pulls and writes every frame due by the virtual time now (nothing while the
// game holds the audio lock, or when no recording is open)
void CatchUpAudioRecording();
// whether the game holds the audio lock now (kept by LockAudio/UnlockAudio)
bool AudioLocked();

}  // namespace headless
