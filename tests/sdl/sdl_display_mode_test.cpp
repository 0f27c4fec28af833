// The full screen's own display mode, on an X server with the dummy video
// driver whose configuration (tests/sdl/xorg-dummy-*.conf) offers a desktop
// of 1920 x 1080 at 60 Hz and some 75 Hz modes: opened as the game opens it,
// the display switches to 75 Hz, shows the frame 1:1 at 1024 x 768, is never
// faster than 75 frames a second, and the desktop gets its mode back on
// every way out; without a 75 Hz mode, in a window or with the desktop's mode
// chosen, the game takes its fallback and the mode never changes.
#include "media/frame_limiter.h"
#include "media/picture_decoding.h"
#include "media/platform/platform.h"
#include "media/screen.h"
#include "tests/support/dummy_x_server.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

using namespace std::chrono_literals;

bool Shell(const std::string& command) { return std::system((command + " >/dev/null 2>&1").c_str()) == 0; }

std::string Output(const std::string& command) {
    std::string text;
    std::FILE* pipe = popen((command + " 2>/dev/null").c_str(), "r");
    for (char buffer[256]; pipe && std::fgets(buffer, sizeof buffer, pipe);) text += buffer;
    if (pipe) pclose(pipe);
    return text;
}

constexpr const char* kDesktop = "1920x1080@60";

class DisplayMode : public ::testing::Test {
protected:
    void StartServer(const char* config) {
        std::string problem;
        ASSERT_TRUE(server.Start(config, problem)) << problem;
        ASSERT_EQ(DummyXServer::CurrentMode(), kDesktop);
        InitImageDecoders();
        InitScreen();
    }
    void TearDown() override { EndScreen(); }

    // The game's own opening: 75 Hz, else the default rate, the title
    // "Test" and the limiter. The title, or "" when nothing opened.
    static std::string OpenAsTheGame(const platform::DisplayChoice& choice = {}) {
        platform::ChooseDisplay(choice);
        SetScreenRefresh(75);
        if (OpenFullScreen(1024, 768, 16, "Gulpkin") != 0) return "Gulpkin";
        SetScreenRefresh(0);
        if (OpenFullScreen(1024, 768, 16, "Test") == 0) return "";
        SetFrameCap(75);
        return "Test";
    }
    static double FramesPerSecond(std::chrono::milliseconds span) {
        PresentFrame();
        auto start = std::chrono::steady_clock::now();
        int frames = 0;
        while (std::chrono::steady_clock::now() - start < span) PresentFrame(), ++frames;
        double rate = frames / std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        std::printf("%.2f frames a second\n", rate);
        return rate;
    }
    // the rate of the median frame: late wake-ups of a busy machine make a
    // few frames longer, but the limiter's own step shows in most of them
    static double MedianFramesPerSecond(std::chrono::milliseconds span) {
        std::vector<double> lengths;
        auto start = std::chrono::steady_clock::now(), last = start;
        PresentFrame();
        for (auto now = start; now - start < span; last = now) {
            PresentFrame();
            now = std::chrono::steady_clock::now();
            lengths.push_back(std::chrono::duration<double>(now - last).count());
        }
        std::nth_element(lengths.begin(), lengths.begin() + lengths.size() / 2, lengths.end());
        std::printf("median frame: %.2f frames a second\n", 1 / lengths[lengths.size() / 2]);
        return 1 / lengths[lengths.size() / 2];
    }
    static void Settle() {
        for (int i = 0; i < 15; ++i) PresentFrame();
    }

    DummyXServer server;
};

// A red pixel top left and a blue one bottom right of a green frame land on
// the screen's corners: 1:1.
void ExpectFrameOneToOne() {
    FillScreen(0, 255, 0);
    MakeBlankSprite(1, 1, 1);
    MakeBlankSprite(2, 1, 1);
    SetBlitTarget(1), FillScreen(255, 0, 0), SetBlitTarget(2), FillScreen(0, 0, 255), SetBlitTarget(-1);
    DrawSpriteOpaque(1, 0, 0);
    DrawSpriteOpaque(2, 1023, 767);
    TempDir dir;
    DecodedPicture shot;
    for (int attempt = 0; attempt < 10 && (shot.pixels.empty() || shot.pixels[1] != 0x07E0); ++attempt) {
        for (int i = 0; i < 10; ++i) PresentFrame();
        Shell("import -window root -type TrueColor BMP3:" + dir.File("s.bmp"));
        std::vector<uint8_t> bytes = ReadBytes(dir.File("s.bmp"));
        DecodePicture(bytes.data(), bytes.size(), shot);
    }
    ASSERT_EQ(shot.width, 1024);
    ASSERT_EQ(shot.height, 768);
    EXPECT_EQ(shot.pixels[0], 0xF800);
    EXPECT_EQ(shot.pixels[1], 0x07E0);
    EXPECT_EQ(shot.pixels[1024 * 768 - 1], 0x001F);
    EXPECT_EQ(shot.pixels[1024 * 768 - 2], 0x07E0);
}

TEST_F(DisplayMode, FullScreenRunsAt75HzAndTheDesktopGetsItsModeBack) {
    ASSERT_NO_FATAL_FAILURE(StartServer("sdl/xorg-dummy-1024at75.conf"));
    ASSERT_EQ(OpenAsTheGame(), "Gulpkin");
    EXPECT_EQ(DummyXServer::CurrentMode(), "1024x768@75");
    EXPECT_EQ(platform::DisplayRefreshRate(), 75);
    ExpectFrameOneToOne();
    EXPECT_NEAR(FramesPerSecond(10s), 75.0, 1.0);

    auto pressAltEnter = [] {
        Shell("xdotool search --name '^Gulpkin$' windowfocus --sync key alt+Return");
        Settle();
    };
    pressAltEnter();
    EXPECT_EQ(DummyXServer::CurrentMode(), kDesktop) << "in a window";
    EXPECT_LT(FramesPerSecond(1s), 77.0) << "in a window";
    pressAltEnter();
    EXPECT_EQ(DummyXServer::CurrentMode(), "1024x768@75") << "full screen again";
    EndScreen();
    EXPECT_EQ(DummyXServer::CurrentMode(), kDesktop) << "closed";
}

TEST_F(DisplayMode, TheDesktopsOwnSizeAt75HzIsPreferred) {
    ASSERT_NO_FATAL_FAILURE(StartServer("sdl/xorg-dummy-1080at75.conf"));
    ASSERT_EQ(OpenAsTheGame(), "Gulpkin");
    EXPECT_EQ(DummyXServer::CurrentMode(), "1920x1080@75");
    EndScreen();
    EXPECT_EQ(DummyXServer::CurrentMode(), kDesktop);
}

TEST_F(DisplayMode, WithoutA75HzModeTheLimiterPacesTheDesktopsMode) {
    ASSERT_NO_FATAL_FAILURE(StartServer("sdl/xorg-dummy-no75.conf"));
    ASSERT_EQ(OpenAsTheGame(), "Test");
    double rate = MedianFramesPerSecond(3s);
    EXPECT_GE(rate, 75.0);
    EXPECT_LE(rate, 76.5);
    EXPECT_EQ(DummyXServer::CurrentMode(), kDesktop);
}

// A window, or the desktop's mode chosen, never changes the mode.
TEST_F(DisplayMode, WindowAndDesktopChoiceKeepTheDesktopsMode) {
    ASSERT_NO_FATAL_FAILURE(StartServer("sdl/xorg-dummy-1024at75.conf"));
    const struct { const char* name; platform::DisplayChoice choice; } cases[] = {
        {"window", {.windowed = true}}, {"refresh = desktop", {.keepDesktopMode = true}}};
    for (const auto& c : cases) {
        EXPECT_EQ(OpenAsTheGame(c.choice), "Test") << c.name;
        Settle();
        EXPECT_EQ(DummyXServer::CurrentMode(), kDesktop) << c.name;
        EndScreen();
        InitScreen();
    }
}

// The game itself: its title in the 75 Hz mode, and the desktop's mode back
// after Escape, SIGTERM (an orderly end, exit code 0) and a crash signal
// (the program still ends by it, or by the sanitizer's report).
TEST_F(DisplayMode, TheGameGivesTheModeBackOnEveryWayOut) {
    ASSERT_NO_FATAL_FAILURE(StartServer("sdl/xorg-dummy-1024at75.conf"));
    TempDir config;
    const struct { const char* name; int signal; bool orderly; } endings[] = {
        {"Escape", 0, true}, {"SIGTERM", SIGTERM, true}, {"SIGSEGV", SIGSEGV, false}};
    for (const auto& ending : endings) {
        pid_t game = fork();
        if (game == 0) {
            setenv("XDG_CONFIG_HOME", config.File("").c_str(), 1);
            setenv("SDL_AUDIODRIVER", "dummy", 1);
            setenv("ASAN_OPTIONS", "detect_leaks=0", 1);
            execl(GULPKIN_GAME_DIR "/gulpkin", "gulpkin", static_cast<char*>(nullptr));
            _exit(127);
        }
        std::string title;
        for (int i = 0; i < 100 && title.empty(); ++i, std::this_thread::sleep_for(100ms)) {
            title = Output("xdotool search --onlyvisible --class '^gulpkin$' getwindowname");
        }
        EXPECT_EQ(title, "Gulpkin\n") << ending.name;
        EXPECT_EQ(DummyXServer::CurrentMode(), "1024x768@75") << ending.name;
        if (ending.signal != 0) kill(game, ending.signal);
        int status = -1;
        for (int i = 0; i < 100 && waitpid(game, &status, WNOHANG) != game; ++i) {
            // pressed again while the game still loads and reads no key
            if (ending.signal == 0 && i % 10 == 0) {
                Shell("xdotool search --class '^gulpkin$' windowfocus --sync keydown Escape sleep 0.2 keyup Escape");
            }
            std::this_thread::sleep_for(50ms);
        }
        EXPECT_EQ(WIFEXITED(status) && WEXITSTATUS(status) == 0, ending.orderly) << ending.name << " " << status;
        EXPECT_EQ(DummyXServer::CurrentMode(), kDesktop) << ending.name;
        if (!WIFEXITED(status) && !WIFSIGNALED(status)) kill(game, SIGKILL), waitpid(game, nullptr, 0);
    }
}

}  // namespace
