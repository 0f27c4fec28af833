// Module music: the numbered music table of libxmp players, one module
// playing at a time through the mixer, its volume on the 0..64 scale.
#include "sound/sound.h"

#include "sound/audio_output.h"
#include "platform/platform.h"

#include <xmp.h>

#include <algorithm>
#include <climits>
#include <cstdint>

namespace {

constexpr size_t kFirstTableSize = 10;
constexpr size_t kTableGrowth = 10;    // a table grown for number n gets n + 10 entries
constexpr int kHighestMusicId = 65535;
constexpr int kFullVolume = 64;

struct Module {
    xmp_context player = nullptr;  // holds the loaded module
    int handle = 0;                // play handle of its last start, 0 = never started
};

struct MusicService {
    bool ready = false;
    std::vector<Module> table;
    int current = -1;          // the music number playing, -1 for none
    int volume = kFullVolume;  // the playing music's volume, 0..64
    int nextHandle = 1;
    int songLength = 0;        // patterns in the order list of the last loaded module
};

// Never destroyed, like the mixer that may be playing one of its modules.
MusicService& Service() {
    static MusicService& service = *new MusicService;
    return service;
}

// A fresh player holding the module in `bytes`, or null if libxmp refuses it.
xmp_context LoadModule(const std::vector<uint8_t>& bytes) {
    if (bytes.empty()) return nullptr;
    xmp_context player = xmp_create_context();
    if (player == nullptr) return nullptr;
    platform::KeepFileMask mask;  // a packed module's converter narrows it
    if (xmp_load_module_from_memory(player, bytes.data(), static_cast<long>(bytes.size())) != 0) {
        xmp_free_context(player);
        return nullptr;
    }
    return player;
}

void FreeModule(Module& module) {
    if (module.player == nullptr) return;
    xmp_release_module(module.player);
    xmp_free_context(module.player);
    module = Module{};
}

int SongLength(xmp_context player) {
    xmp_module_info info;
    xmp_get_module_info(player, &info);
    return info.mod != nullptr ? info.mod->len : 0;
}

Module* Loaded(int id) {
    MusicService& service = Service();
    if (!service.ready || id < 0 || static_cast<size_t>(id) >= service.table.size()) return nullptr;
    Module& module = service.table[id];
    return module.player != nullptr ? &module : nullptr;
}

int NewHandle() {
    MusicService& service = Service();
    int handle = service.nextHandle;
    service.nextHandle = handle == INT_MAX ? 1 : handle + 1;
    return handle;
}

}  // namespace

int InitMusic() {
    MusicService& service = Service();
    if (!AudioOutputOpen()) return 0;
    service.table.resize(std::max(service.table.size(), kFirstTableSize));
    service.ready = true;
    return 1;
}

int LoadMusicFile(int id, const std::string& path) {
    MusicService& service = Service();
    if (!service.ready || id < 0 || id > kHighestMusicId) return 0;
    std::vector<uint8_t> bytes;
    if (!platform::ReadWholeFile(path, bytes)) return 0;
    xmp_context player = LoadModule(bytes);
    if (player == nullptr) return 0;
    if (static_cast<size_t>(id) >= service.table.size()) service.table.resize(static_cast<size_t>(id) + kTableGrowth);
    // the module being replaced may be the one playing: stop it before freeing it
    if (id == service.current) HaltMusic();
    FreeModule(service.table[id]);
    service.table[id].player = player;
    service.songLength = SongLength(player);
    return 1;
}

int StartMusic(int id) {
    Module* module = Loaded(id);
    if (module == nullptr) return 0;
    HaltMusic();
    if (xmp_start_player(module->player, platform::kAudioRate, 0) != 0) return 0;
    MusicService& service = Service();
    module->handle = NewHandle();
    service.current = id;
    service.volume = kFullVolume;
    AudioLock lock;
    MusicVoice& music = OutputMixer().music;
    music.player = module->player;
    music.gain = music.targetGain = GainForVolume(kFullVolume);
    return module->handle;
}

void HaltMusic() {
    MusicService& service = Service();
    if (service.current < 0) return;
    {
        AudioLock lock;
        OutputMixer().music.player = nullptr;
    }
    xmp_end_player(service.table[service.current].player);
    service.current = -1;
}

// Only the module playing has a live play handle; a stopped one keeps silent.
void SetMusicVolume(int id, int percent) {
    MusicService& service = Service();
    Module* module = Loaded(id);
    if (module == nullptr || module->handle == 0 || id != service.current) return;
    int64_t volume = static_cast<int64_t>(percent) * kFullVolume / 100;
    service.volume = static_cast<int>(std::clamp<int64_t>(volume, 0, kFullVolume));
    AudioLock lock;
    OutputMixer().music.targetGain = GainForVolume(service.volume);
}

void EndMusic() {
    MusicService& service = Service();
    HaltMusic();
    for (Module& module : service.table) FreeModule(module);
    std::vector<Module>().swap(service.table);
    service.ready = false;
}

int PlayingMusic() { return Service().current; }
int PlayingMusicVolume() { return Service().volume; }

std::string LoadedMusicName(int id) {
    Module* module = Loaded(id);
    if (module == nullptr) return "";
    xmp_module_info info;
    xmp_get_module_info(module->player, &info);
    return info.mod != nullptr ? info.mod->name : "";
}
