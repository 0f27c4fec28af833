// The CPU cost of the screens around play on the headless backend with the
// software drawing: one frame of the title's intro (the double wave and the
// fireworks), one pass of the options screen, and loading the whole sprite
// catalogue at start-up. Each frame is timed from one present to the next,
// so the copy of the frame to the virtual display is included.
#include "core/game_state.h"
#include "shell/headless/driver.h"
#include "shell/program_flow.h"
#include "shell/screens.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// Times the frames between `first` and `last` (presented frame numbers) of a
// run, as the gaps between consecutive presents.
std::vector<double> TimeFrames(HeadlessRun run, int first, int last) {
    std::vector<double> micros;
    micros.reserve(static_cast<size_t>(last - first + 1));
    Clock::time_point previous{};
    run.calls["tick"] = [&] {
        Clock::time_point now = Clock::now();
        if (previous != Clock::time_point{}) micros.push_back(std::chrono::duration<double, std::micro>(now - previous).count());
        previous = now;
    };
    for (int frame = first; frame <= last; ++frame) run.script += std::to_string(frame) + " call tick\n";
    run.script += std::to_string(last + 1) + " quit\n";
    std::ostringstream out, errors;
    RunHeadless(run, out, errors);
    return micros;
}

void Report(benchmark::State& state, std::vector<double> micros) {
    if (micros.empty()) return;
    std::sort(micros.begin(), micros.end());
    state.counters["median_us"] = micros[micros.size() / 2];
    state.counters["p90_us"] = micros[micros.size() * 9 / 10];
}

void TitleIntroFrame(benchmark::State& state) {
    std::vector<double> all;
    for (auto _ : state) {
        std::vector<double> micros = TimeFrames(HeadlessRun{}, 100, 700);
        all.insert(all.end(), micros.begin(), micros.end());
    }
    Report(state, all);
}

void OptionsScreenPass(benchmark::State& state) {
    std::vector<double> all;
    for (auto _ : state) {
        HeadlessRun run;
        run.directLevel = 7;
        run.calls["over"] = [] {
            game.score = 1230;
            OptionsScreen();
        };
        run.script = "2 call over\n";
        std::vector<double> micros = TimeFrames(run, 100, 700);
        all.insert(all.end(), micros.begin(), micros.end());
    }
    Report(state, all);
}

void LoadAllSprites(benchmark::State& state) {
    HeadlessRun run;
    run.directLevel = 1;
    run.script = "2 call load\n";
    run.calls["load"] = [&] {
        for (auto _ : state) LoadSprites();
        EndProgram();
    };
    std::ostringstream out, errors;
    RunHeadless(run, out, errors);
}

}  // namespace

BENCHMARK(TitleIntroFrame)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(OptionsScreenPass)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(LoadAllSprites)->Iterations(10)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
