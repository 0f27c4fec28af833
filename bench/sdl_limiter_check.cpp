// The frame limiter on the real SDL backend: opens the game's screen the way
// start-up does (75 Hz, else the default refresh with a 75 frames-per-second
// cap), presents frames for 10 s and reports the frame rate, the spread of
// the intervals and the CPU the process used.
//   sdl_limiter_check [SECONDS]
#include "pictures/screen.h"

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
    double seconds = argc > 1 ? std::atof(argv[1]) : 10.0;
    InitScreen();
    SetScreenRefresh(75);
    bool capped = false;
    if (OpenFullScreen(1024, 768, 16, "Gulpkin") == 0) {
        SetScreenRefresh(0);
        if (OpenFullScreen(1024, 768, 16, "Test") == 0) {
            std::printf("no display\n");
            return 1;
        }
        capped = SetFrameCap(75) != 0;
    }
    using Clock = std::chrono::steady_clock;
    std::vector<double> intervals;
    intervals.reserve(static_cast<size_t>(seconds * 200));
    double cpuStart = CpuSeconds();
    Clock::time_point start = Clock::now(), previous = start;
    int shade = 0;
    while (std::chrono::duration<double>(previous - start).count() < seconds) {
        FillScreen(shade, 0, 255 - shade);
        shade = (shade + 1) & 255;
        PresentFrame();
        Clock::time_point now = Clock::now();
        intervals.push_back(std::chrono::duration<double, std::milli>(now - previous).count());
        previous = now;
    }
    double elapsed = std::chrono::duration<double>(previous - start).count();
    double cpu = CpuSeconds() - cpuStart;
    EndScreen();
    intervals.erase(intervals.begin());  // the first interval includes the set-up
    std::sort(intervals.begin(), intervals.end());
    auto at = [&](double q) { return intervals[static_cast<size_t>(q * (intervals.size() - 1))]; };
    std::printf("limiter %s, %zu frames in %.2f s: %.2f frames per second\n", capped ? "on" : "off (vsync)",
                intervals.size() + 1, elapsed, (intervals.size() + 1) / elapsed);
    std::printf("interval ms: min %.3f  p1 %.3f  median %.3f  p99 %.3f  max %.3f\n", intervals.front(), at(0.01),
                at(0.5), at(0.99), intervals.back());
    std::printf("cpu: %.1f %% of one core\n", 100.0 * cpu / elapsed);
    return 0;
}
