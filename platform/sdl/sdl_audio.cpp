// The audio device on SDL: 44100 Hz, signed 16-bit stereo, pulled from the
// mixer's callback on SDL's audio thread. SDL converts if the hardware wants
// another format. The beep's tone comes from the mixer; here it only blocks.
#include "platform/machine.h"
#include "platform/platform.h"

#include <SDL.h>

#include <algorithm>

namespace {

constexpr int kDeviceFrames = 512;  // about 12 ms a buffer: short enough for effects

struct Device {
    SDL_AudioDeviceID id = 0;
    platform::AudioCallback callback = nullptr;
    void* user = nullptr;
};

Device& TheDevice() {
    static Device device;
    return device;
}

void PullSamples(void* userdata, Uint8* stream, int length) {
    const Device& device = *static_cast<const Device*>(userdata);
    int frames = length / static_cast<int>(2 * sizeof(int16_t));
    device.callback(reinterpret_cast<int16_t*>(stream), frames, device.user);
}

}  // namespace

namespace platform {

bool machine::OpenAudio(AudioCallback callback, void* user) {
    Device& device = TheDevice();
    if (device.id != 0 || callback == nullptr) return false;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    device.callback = callback;
    device.user = user;
    SDL_AudioSpec wanted{};
    wanted.freq = kAudioRate;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = 2;
    wanted.samples = kDeviceFrames;
    wanted.callback = PullSamples;
    wanted.userdata = &device;
    SDL_AudioSpec obtained{};
    device.id = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
    if (device.id == 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    SDL_PauseAudioDevice(device.id, 0);
    return true;
}

void LockAudio() {
    if (TheDevice().id != 0) SDL_LockAudioDevice(TheDevice().id);
}

void UnlockAudio() {
    if (TheDevice().id != 0) SDL_UnlockAudioDevice(TheDevice().id);
}

void CloseAudio() {
    Device& device = TheDevice();
    if (device.id == 0) return;
    SDL_CloseAudioDevice(device.id);
    device = Device{};
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void SystemBeep(int, int durationMs) { SleepMs(static_cast<uint32_t>(std::max(durationMs, 0))); }

}  // namespace platform
