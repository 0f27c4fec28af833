// The player's effects volume scales the effects in the mix; the sound
// turned off keeps the audio device shut.
#include "media/audio_output.h"
#include "media/mixer.h"

#include <gtest/gtest.h>

namespace {

TEST(PlayerVolumes, TheEffectsVolumeScalesTheEffects) {
    const struct {
        int percent;
        int16_t sample;
    } cases[] = {{100, 10000}, {50, 5000}, {0, 0}};
    for (const auto& c : cases) {
        Mixer mixer;
        mixer.effects.resize(1);
        mixer.effects[0].samples.assign(8, 10000);
        mixer.effects[0].playing = true;
        SetPlayerVolumes(100, c.percent);
        mixer.playerEffectsGain = OutputMixer().playerEffectsGain;
        int16_t out[8] = {};
        MixInto(mixer, out, 4);
        for (int16_t sample : out) EXPECT_EQ(sample, c.sample) << c.percent;
    }
    SetPlayerVolumes(100, 100);
}

TEST(PlayerVolumes, SoundOffKeepsTheDeviceShut) {
    CloseAudioOutput();
    AllowAudioOutput(false);
    EXPECT_FALSE(OpenAudioOutput());
    AllowAudioOutput(true);
    EXPECT_TRUE(OpenAudioOutput());
    CloseAudioOutput();
}

}  // namespace
