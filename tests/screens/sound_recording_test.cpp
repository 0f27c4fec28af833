// What a scripted game sounds like, recorded with the headless driver's
// audio option: the title, a game with a hundred dots eaten, a Space charge,
// the frightened ghosts eaten, then a ghost kept on the player until the
// end-of-game options screen. The recording covers the whole run on the
// virtual clock, is never at full scale and keeps every second centred.
#include "board/maze.h"
#include "platform/headless/headless.h"
#include "core/game_state.h"
#include "tests/support/play_scenario.h"
#include "tests/support/scenario.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kRate = 44100;

struct Recording {
    int channels = 0, rate = 0, bits = 0;
    std::vector<int16_t> samples;  // interleaved
};

uint32_t Le(const unsigned char* p, int bytes) {
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | p[i];
    return v;
}

Recording ReadRecording(const std::string& path) {
    Recording r;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return r;
    unsigned char header[44];
    if (std::fread(header, 1, 44, file) == 44) {
        r.channels = int(Le(header + 22, 2));
        r.rate = int(Le(header + 24, 4));
        r.bits = int(Le(header + 34, 2));
        r.samples.resize(Le(header + 40, 4) / 2);
        r.samples.resize(std::fread(r.samples.data(), 2, r.samples.size(), file));
    }
    std::fclose(file);
    return r;
}

// the largest mean, as a share of full scale, of any one-second window
// (every tenth of a second) on either channel
double WorstSecondOffset(const std::vector<int16_t>& samples) {
    size_t frames = samples.size() / 2;
    double worst = 0;
    for (int channel = 0; channel < 2; ++channel) {
        std::vector<double> running(frames + 1, 0);
        for (size_t i = 0; i < frames; ++i) running[i + 1] = running[i] + samples[2 * i + size_t(channel)];
        for (size_t start = 0; start + kRate <= frames; start += kRate / 10)
            worst = std::max(worst, std::fabs(running[start + kRate] - running[start]) / kRate / 32768);
    }
    return worst;
}

// One hook per frame, acting only during play: a dot under the player every
// sixth frame while the ghosts wait in their corner; the five ghosts brought
// onto the player once, after the Space charge; from `touchFrom` on, a ghost
// kept on the player.
void PutGhostOnPlayer(int g) {
    game.actors[GhostActor(g)].x = game.actors[kPlayer].x;
    game.actors[GhostActor(g)].y = game.actors[kPlayer].y;
}

struct GameDirector {
    int dots = 0;
    bool gathered = false;
    void Step(int touchFrom, int gatherAt) {
        auto frame = headless::PresentedFrames();
        if (game.screen != Screen::Play) return;
        if (frame >= touchFrom) {
            PutGhostOnPlayer(1);
            return;
        }
        if (frame >= gatherAt && !gathered) {
            for (int g = 1; g <= kGhostCount; ++g) PutGhostOnPlayer(g);
            gathered = true;
            return;
        }
        ParkGhosts();
        if (frame % 6 == 0 && dots < 100) {
            ++dots;
            PlacePlayer(kDotX[dots], kDotY[dots]);
        }
    }
};

}  // namespace

TEST(SoundRecording, AScriptedGameSoundsCleanFromTheTitleToTheOptionsScreen) {
    ScratchGameDir dir;
    HeadlessRun options;
    options.audioPath = dir.Path() + "/run.wav";
    GameDirector director;
    const int start = 1000, space = 1300, gather = 1400, touch = 1700, end = 2300;
    options.calls["step"] = [&] { director.Step(touch, gather); };
    std::string script = "900 keys F1\n901 keys\n" + std::to_string(space) + " keys SPACE\n" +
                         std::to_string(space + 1) + " keys\n" +
                         // a key held from the first touch on: each lost life goes on at once
                         std::to_string(touch) + " keys F1\n" + CallEveryFrame(start, end, "step");
    for (int f : {space + 10, end}) script += std::to_string(f) + " dump\n";
    script += std::to_string(end) + " quit\n";
    ScenarioResult run = RunScenario(script, options);
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    ASSERT_EQ(run.dumps.size(), 2u);
    EXPECT_EQ(ParseJson(run.dumps[0])["frightened"].Int(), 1) << "the Space charge frightened the ghosts";
    Json last = ParseJson(run.dumps[1]);
    EXPECT_GE(last["eatenCount"].Int(), 90);
    EXPECT_EQ(last["screen"].text, "options");

    Recording r = ReadRecording(options.audioPath);
    ASSERT_EQ(r.channels, 2);
    EXPECT_EQ(r.rate, kRate);
    EXPECT_EQ(r.bits, 16);
    EXPECT_EQ(r.samples.size() / 2, headless::VirtualMicros() * kRate / 1000000) << "the whole run on the virtual clock";
    EXPECT_GT(*std::max_element(r.samples.begin(), r.samples.end()), 8000) << "the game is heard";
    EXPECT_TRUE(std::none_of(r.samples.begin(), r.samples.end(), [](int16_t v) { return v >= 32767 || v <= -32767; }))
        << "no sample at full scale";
    EXPECT_LE(WorstSecondOffset(r.samples), 0.005);
}

TEST(SoundRecording, AnUnwritableAudioFileIsNamedAndRefused) {
    ScratchGameDir dir;
    HeadlessRun options;
    options.audioPath = dir.Path() + "/missing/run.wav";
    ScenarioResult run = RunScenario("0 quit\n", options);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.errors.find("missing/run.wav"), std::string::npos) << run.errors;
}
