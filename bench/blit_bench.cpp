// The display service's copies against SDL_BlitSurface doing the same on
// RGB565 surfaces, side by side in one run: a full-screen opaque draw (the
// background every frame) and a 32 x 32 keyed draw (an actor). Also the
// media side of one played frame: the background copy and draw, a dozen
// actors and the present. After the table it prints how long each of our
// copies takes against SDL's, as a ratio.
//
//   build/game/blit_bench
#include "pictures/drawing.h"
#include "pictures/picture_decoding.h"
#include "platform/headless/headless.h"
#include "pictures/screen.h"

#include <benchmark/benchmark.h>

#include <SDL.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

constexpr int kWidth = 1024, kHeight = 768;

// a 32 x 32 actor: a yellow disc on a transparent (0) background
bool InDisc(int x, int y) {
    int dx = x - 16, dy = y - 16;
    return dx * dx + dy * dy < 15 * 15;
}

// The screen open on the headless backend; sprite 100 a full-screen
// background, sprite 4 an actor.
void OpenScreen() {
    headless::Configure(headless::Options{}, {});
    InitImageDecoders();
    InitScreen();
    SetScreenRefresh(75);
    OpenFullScreen(kWidth, kHeight, 16, "Gulpkin");
    MakeBlankSprite(100, kWidth, kHeight);
    SetBlitTarget(100);
    FillScreen(40, 90, 200);
    SetBlitTarget(-1);
    MakeBlankSprite(4, 32, 32);
    BeginDrawing(SpriteDrawTarget(4));
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            if (InDisc(x, y)) PutPixel(x, y, 0x00FFFF);
        }
    }
    EndDrawing();
}

SDL_Surface* Rgb565Surface(int width, int height) {
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, width, height, 16, SDL_PIXELFORMAT_RGB565);
    SDL_SetSurfaceBlendMode(surface, SDL_BLENDMODE_NONE);
    return surface;
}

void OursOpaqueFullScreen(benchmark::State& state) {
    OpenScreen();
    for (auto _ : state) {
        DrawSpriteOpaque(100, 0, 0);
        benchmark::DoNotOptimize(BackBufferPixels());
    }
    EndScreen();
}
BENCHMARK(OursOpaqueFullScreen);

void SdlOpaqueFullScreen(benchmark::State& state) {
    SDL_Surface* source = Rgb565Surface(kWidth, kHeight);
    SDL_Surface* target = Rgb565Surface(kWidth, kHeight);
    SDL_FillRect(source, nullptr, 0x2B19);
    for (auto _ : state) {
        SDL_BlitSurface(source, nullptr, target, nullptr);
        benchmark::DoNotOptimize(target->pixels);
    }
    SDL_FreeSurface(source);
    SDL_FreeSurface(target);
}
BENCHMARK(SdlOpaqueFullScreen);

void OursKeyed32(benchmark::State& state) {
    OpenScreen();
    int x = 0;
    for (auto _ : state) {
        DrawSpriteKeyed(4, 100 + (x++ & 255), 300);
        benchmark::DoNotOptimize(BackBufferPixels());
    }
    EndScreen();
}
BENCHMARK(OursKeyed32);

void SdlKeyed32(benchmark::State& state) {
    SDL_Surface* source = Rgb565Surface(32, 32);
    SDL_Surface* target = Rgb565Surface(kWidth, kHeight);
    for (int y = 0; y < 32; ++y) {
        auto* row = reinterpret_cast<uint16_t*>(static_cast<uint8_t*>(source->pixels) + y * source->pitch);
        for (int x = 0; x < 32; ++x) row[x] = InDisc(x, y) ? 0xFFE0 : 0;
    }
    SDL_SetColorKey(source, SDL_TRUE, 0);
    int x = 0;
    for (auto _ : state) {
        SDL_Rect at{100 + (x++ & 255), 300, 32, 32};
        SDL_BlitSurface(source, nullptr, target, &at);
        benchmark::DoNotOptimize(target->pixels);
    }
    SDL_FreeSurface(source);
    SDL_FreeSurface(target);
}
BENCHMARK(SdlKeyed32);

// What one played frame asks of the display service: the level's
// background copied into the working copy and drawn whole, a dozen actors,
// the present (on the headless backend: one copy of the frame).
void OursPlayedFrame(benchmark::State& state) {
    OpenScreen();
    for (auto _ : state) {
        CopySpriteImage(100, 110);
        DrawSpriteOpaque(110, 0, 0);
        for (int i = 0; i < 12; ++i) DrawSpriteKeyed(4, 60 + 70 * i, 100 + 40 * i);
        PresentFrame();
    }
    EndScreen();
}
BENCHMARK(OursPlayedFrame);

// The console table as usual, keeping each benchmark's CPU time per
// iteration for the ratios.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    RatioReporter() : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_ColorTabular : OO_Tabular) {}
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration && run.iterations > 0) {
                cpuNanos[run.run_name.function_name] = run.cpu_accumulated_time * 1e9 / static_cast<double>(run.iterations);
            }
        }
    }
    void PrintRatio(const char* what, const std::string& ours, const std::string& sdl) const {
        auto o = cpuNanos.find(ours), s = cpuNanos.find(sdl);
        if (o == cpuNanos.end() || s == cpuNanos.end() || o->second <= 0) return;
        std::printf("%-24s ours / SDL_BlitSurface = %.2f (ours %.1fx as fast)\n", what, o->second / s->second,
                    s->second / o->second);
    }

private:
    std::map<std::string, double> cpuNanos;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    reporter.PrintRatio("full-screen opaque:", "OursOpaqueFullScreen", "SdlOpaqueFullScreen");
    reporter.PrintRatio("32 x 32 keyed:", "OursKeyed32", "SdlKeyed32");
    return 0;
}
