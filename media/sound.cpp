// Sound effects and music. Placeholder: records what the game plays.
#include "media/sound.h"

#include "media/platform/platform.h"

namespace {
std::vector<int> started;
int playing = -1;
int volume = 64;
}  // namespace

int InitSound() { return 1; }
int LoadSoundFile(int, const std::string&) { return 0; }
void StartSound(int id, int) { started.push_back(id); }
void StartSoundOnce(int id) { StartSound(id, 0); }
void EndSound() {}
int InitMusic() { return 1; }
int LoadMusicFile(int, const std::string&) { return 0; }
int StartMusic(int id) {
    playing = id;
    volume = 64;
    return id + 1;
}
void HaltMusic() { playing = -1; }
void SetMusicVolume(int, int percent) { volume = percent * 64 / 100; }
void EndMusic() { HaltMusic(); }
void Beep(int frequencyHz, int durationMs) { platform::SystemBeep(frequencyHz, durationMs); }
std::vector<int> TakeStartedSounds() {
    std::vector<int> out;
    out.swap(started);
    return out;
}
int PlayingMusic() { return playing; }
int PlayingMusicVolume() { return volume; }
