// The CPU cost of one played frame on the headless backend with the software
// drawing: every game procedure of a frame and its drawing, without the
// present. The game runs level 1 with the player walking to and fro.
#include "core/game_state.h"
#include "input/input.h"
#include "platform/journal/journal_hashes.h"
#include "pictures/screen.h"
#include "shell/frame_loop.h"
#include "shell/headless/driver.h"
#include "shell/program_flow.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <sstream>
#include <unistd.h>
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

// A played frame with its present, as the frame loop runs it, plain (0) or
// while the journal records the run (1): the difference is what recording
// costs a frame, the frame checksum every 75th frame included.
void PresentedFrame(benchmark::State& state) {
    std::vector<double> micros;
    micros.reserve(1 << 20);
    HeadlessRun run;
    run.directLevel = 1;
    run.script = "1 keys LEFT\n3 call bench\n";
    if (state.range(0) != 0) run.recordPath = "/tmp/gulpkin-bench-" + std::to_string(getpid()) + ".rec";
    run.calls["bench"] = [&] {
        long long frame = 0;
        for (auto _ : state) {
            KeepPlaying(++frame);
            auto start = std::chrono::steady_clock::now();
            PollKeyboard();
            PlayOneFrame();
            PresentFrame();
            auto end = std::chrono::steady_clock::now();
            micros.push_back(std::chrono::duration<double, std::micro>(end - start).count());
        }
        EndProgram();
    };
    std::ostringstream out, errors;
    RunHeadless(run, out, errors);
    if (!run.recordPath.empty()) std::remove(run.recordPath.c_str());
    if (micros.empty()) return;
    std::sort(micros.begin(), micros.end());
    state.counters["median_us"] = micros[micros.size() / 2];
    state.counters["p90_us"] = micros[micros.size() * 9 / 10];
    state.counters["min_us"] = micros.front();
}

// The checksum the journal takes of every 75th presented frame.
void FrameChecksum(benchmark::State& state) {
    std::vector<uint16_t> frame(1024 * 768);
    for (size_t i = 0; i < frame.size(); ++i) frame[i] = static_cast<uint16_t>(i * 2654435761u >> 7);
    for (auto _ : state) benchmark::DoNotOptimize(journal::HashFrame(frame.data(), 1024, 768, 1024));
}

}  // namespace

BENCHMARK(FrameChecksum)->Unit(benchmark::kMicrosecond);
BENCHMARK(PlayedFrame)->Iterations(3000)->Unit(benchmark::kMicrosecond);
BENCHMARK(PresentedFrame)->Arg(0)->Arg(1)->Arg(0)->Arg(1)->Iterations(3000)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
