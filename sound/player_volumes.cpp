// The player's volumes reach the mixer as gains beside the game's own.
#include "sound/audio_output.h"

#include <algorithm>

void SetPlayerVolumes(int musicPercent, int effectsPercent) {
    AudioLock lock;
    Mixer& mixer = OutputMixer();
    mixer.playerMusicGain = static_cast<float>(std::clamp(musicPercent, 0, 100)) / 100.0f;
    mixer.playerEffectsGain = static_cast<float>(std::clamp(effectsPercent, 0, 100)) / 100.0f;
}
