// Sound effects: the numbered sound table inside the mixer, the restart rule
// of StartSound, and the alert tone.
#include "sound/sound.h"

#include "sound/audio_output.h"
#include "platform/platform.h"
#include "sound/wav_decoding.h"

#include <algorithm>
#include <cstdint>

namespace {

constexpr size_t kFirstTableSize = 50;
constexpr size_t kTableGrowth = 10;    // a table grown for number n gets n + 10 entries
constexpr int kHighestSoundId = 65535;  // beyond this a table would be absurdly large
constexpr size_t kMaxRecordedStarts = 256;
constexpr int kLowestToneHz = 37;
constexpr int kHighestToneHz = 20000;

// The sounds started since the driver last asked; bounded, so that a game
// that never asks allocates nothing while it plays.
std::vector<int>& StartedRecord() {
    static std::vector<int> record;
    return record;
}

void RecordStart(int id) {
    std::vector<int>& record = StartedRecord();
    if (record.size() < kMaxRecordedStarts) record.push_back(id);
}

// Puts decoded samples under sound id, growing the table as needed; the old
// samples come back in `samples`, to be freed once the lock is released.
void StoreSamples(int id, std::vector<int16_t>& samples) {
    AudioLock lock;
    std::vector<EffectVoice>& table = OutputMixer().effects;
    if (static_cast<size_t>(id) >= table.size()) table.resize(static_cast<size_t>(id) + kTableGrowth);
    EffectVoice& voice = table[id];
    voice.samples.swap(samples);
    voice.playing = false;
    voice.nextFrame = 0;
}

}  // namespace

int InitSound() {
    StartedRecord().reserve(kMaxRecordedStarts);
    if (OutputMixer().effects.size() < kFirstTableSize) OutputMixer().effects.resize(kFirstTableSize);
    return OpenAudioOutput() ? 1 : 0;
}

int LoadSoundFile(int id, const std::string& path) {
    if (!AudioOutputOpen() || id < 0 || id > kHighestSoundId) return 0;
    std::vector<uint8_t> bytes;
    std::vector<int16_t> samples;
    if (!platform::ReadWholeFile(path, bytes) || !DecodeWav(bytes, samples)) return 0;
    StoreSamples(id, samples);
    return 1;
}

void StartSound(int id, int loop) {
    if (id < 0) return;
    {
        AudioLock lock;
        std::vector<EffectVoice>& table = OutputMixer().effects;
        if (static_cast<size_t>(id) >= table.size() || table[id].samples.empty()) return;
        EffectVoice& voice = table[id];
        voice.nextFrame = 0;
        voice.loop = loop != 0;
        voice.playing = true;
    }
    RecordStart(id);
}

void StartSoundOnce(int id) { StartSound(id, 0); }

void EndSound() {
    CloseAudioOutput();
    std::vector<EffectVoice>().swap(OutputMixer().effects);
    StartedRecord().clear();
}

void Beep(int frequencyHz, int durationMs) {
    if (AudioOutputOpen() && frequencyHz >= kLowestToneHz && frequencyHz <= kHighestToneHz && durationMs > 0) {
        AudioLock lock;
        ToneVoice& tone = OutputMixer().tone;
        tone.frequency = frequencyHz;
        int64_t frames = static_cast<int64_t>(durationMs) * platform::kAudioRate / 1000;
        tone.framesTotal = static_cast<int>(std::min<int64_t>(frames, INT32_MAX));
        tone.framesLeft = tone.framesTotal;
        tone.phase = 0.0;
    }
    platform::SystemBeep(frequencyHz, durationMs);
}

std::vector<int> TakeStartedSounds() {
    std::vector<int>& record = StartedRecord();
    std::vector<int> out(record.begin(), record.end());
    record.clear();
    return out;
}

int SoundTableSize() { return static_cast<int>(OutputMixer().effects.size()); }

bool SoundPlaying(int id) {
    AudioLock lock;
    const std::vector<EffectVoice>& table = OutputMixer().effects;
    return id >= 0 && static_cast<size_t>(id) < table.size() && table[id].playing;
}
