// The CPU cost of one played frame on the headless backend with the software
// drawing: every game procedure of a frame and its drawing, without the
// present. The game runs level 1 with the player walking to and fro.
#include "core/game_state.h"
#include "media/screen.h"
#include "shell/frame_loop.h"
#include "shell/headless/driver.h"
#include "shell/program_flow.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <sstream>
#include <vector>

namespace {

// Keeps the board playable however long the benchmark runs: no game over,
// no cleared board, and the player turning round every 150 frames.
void KeepPlaying(long long frame) {
    game.lives = 3;
    if (game.eatenCount > 100) game.eatenCount = 0;
    if (frame % 150 == 0) game.direction = game.direction == Direction::Left ? Direction::Right : Direction::Left;
}

void PlayedFrame(benchmark::State& state) {
    std::vector<double> micros;
    micros.reserve(1 << 20);
    HeadlessRun run;
    run.directLevel = 1;
    run.script = "1 keys LEFT\n3 call bench\n";
    run.calls["bench"] = [&] {
        long long frame = 0;
        for (auto _ : state) {
            KeepPlaying(++frame);
            auto start = std::chrono::steady_clock::now();
            PlayOneFrame();
            auto end = std::chrono::steady_clock::now();
            micros.push_back(std::chrono::duration<double, std::micro>(end - start).count());
            PresentFrame();
        }
        EndProgram();
    };
    std::ostringstream out, errors;
    RunHeadless(run, out, errors);
    if (micros.empty()) return;
    std::sort(micros.begin(), micros.end());
    state.counters["median_us"] = micros[micros.size() / 2];
    state.counters["p90_us"] = micros[micros.size() * 9 / 10];
}

}  // namespace

BENCHMARK(PlayedFrame)->Iterations(3000)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
