// The audio device and the mixer it pulls from.
#include "sound/audio_output.h"

#include "platform/platform.h"

namespace {

struct Output {
    Mixer mixer;
    bool open = false;
    bool allowed = true;
};

// Never destroyed: the audio thread may still be mixing while the program
// exits, so nothing it reads is freed under it.
Output& TheOutput() {
    static Output& output = *new Output;
    return output;
}

void PullFromMixer(int16_t* out, int frames, void* user) {
    MixInto(*static_cast<Mixer*>(user), out, frames);
}

}  // namespace

void AllowAudioOutput(bool allowed) {
    TheOutput().allowed = allowed;
}

bool OpenAudioOutput() {
    Output& output = TheOutput();
    if (output.open) return true;
    SilenceMixer(output.mixer);
    // asked even when not allowed, so that a recording holds the answer
    output.open = platform::OpenAudio(PullFromMixer, &output.mixer, output.allowed);
    return output.open;
}

void CloseAudioOutput() {
    Output& output = TheOutput();
    if (output.open) platform::CloseAudio();
    output.open = false;
    SilenceMixer(output.mixer);
}

bool AudioOutputOpen() { return TheOutput().open; }
Mixer& OutputMixer() { return TheOutput().mixer; }

AudioLock::AudioLock() : locked_(TheOutput().open) {
    if (locked_) platform::LockAudio();
}

AudioLock::~AudioLock() {
    if (locked_) platform::UnlockAudio();
}
