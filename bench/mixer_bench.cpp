// The CPU cost of one audio block (512 frames, 11.6 ms of sound) as the audio
// callback mixes it on the headless backend: pack effects looping, with and
// without the play music, and a pile of effects loud enough that the limiter
// bends most samples. Run from the game directory (it loads wav/ and music/).
#include "sound/mixer.h"
#include "platform/headless/headless.h"
#include "sound/sound.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

namespace {

const char* const kEffects[] = {"boules.wav",  "boulesr.wav", "meur1.wav",   "vie1.wav",    "5f.wav",
                                "sprint.wav",  "apple.wav",   "gulp1.wav",   "bouffe1.wav", "bouffe.wav",
                                "bouffe5.wav", "bouffe6.wav", "bouffe4.wav"};

// effects 0..effects-1 looping, the play music if asked
bool StartSounds(int effects, bool music) {
    EndMusic();
    EndSound();
    headless::Configure(headless::Options{}, {});
    if (!InitSound() || !InitMusic()) return false;
    for (int i = 0; i < effects; ++i) {
        if (!LoadSoundFile(i, std::string("wav/") + kEffects[i])) return false;
        StartSound(i, 1);
    }
    if (music && (!LoadMusicFile(0, "music/5.xm") || StartMusic(0) == 0)) return false;
    return true;
}

void MixBlock(benchmark::State& state) {
    if (!StartSounds(static_cast<int>(state.range(0)), state.range(1) != 0)) {
        state.SkipWithError("run it from the game directory: the pack's wav/ and music/ are needed");
        return;
    }
    static int16_t block[2 * kMixBlockFrames];
    double seconds = 0;
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        headless::PullAudio(block, kMixBlockFrames);
        benchmark::DoNotOptimize(block);
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    // the share of the audio thread's time the mixing takes: a block lasts 512 / 44100 s
    state.counters["load_percent"] = 100 * seconds / (double(state.iterations()) * kMixBlockFrames / 44100.0);
    EndMusic();
    EndSound();
}

}  // namespace

// (looping effects, music on): quiet effects, effects and music, thirteen effects at once
BENCHMARK(MixBlock)->Args({4, 0})->Args({4, 1})->Args({13, 1})->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
