// The full screen's own display mode, on an X server of the test's own
// (Xorg, run as root, on the dummy video driver; tests/sdl/xorg-dummy.conf)
// with a desktop of 1920 x 1080 at 60 Hz: opened as the game opens it, the
// display switches to 75 Hz (the desktop's size first), shows the frame 1:1
// at 1024 x 768, is never faster than 75 frames a second, and the desktop
// gets its mode back on every way out; without a 75 Hz mode, in a window or
// with the desktop's mode chosen, the game takes its fallback and the mode
// never changes.
#include "pictures/frame_limiter.h"
#include "pictures/picture_decoding.h"
#include "platform/platform.h"
#include "pictures/screen.h"
#include "tests/support/pictures.h"
#include "tests/support/private_x_server.h"
#include "tests/support/tree_folders.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <csignal>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

using namespace std::chrono_literals;
constexpr const char* kDesktop = "1920x1080@60";

std::string Output(const std::string& command) {
    std::string text;
    // bounded: xdotool's --sync waits for ever for a window that never comes
    std::FILE* pipe = popen(("timeout 20 " + command + " 2>/dev/null").c_str(), "r");
    for (char buffer[256]; pipe && std::fgets(buffer, sizeof buffer, pipe);) text += buffer;
    if (pipe) pclose(pipe);
    return text;
}

// xrandr's line of the current mode, "   1024x768_75   74.90*", as "1024x768@75"
std::string CurrentMode() {
    std::istringstream lines(Output("xrandr --current"));
    for (std::string line; std::getline(lines, line);) {
        size_t star = line.find('*'), rate = line.rfind(' ', star) + 1;
        if (line.rfind("   ", 0) != 0 || star == std::string::npos) continue;
        return line.substr(3, line.find_first_of("_ ", 3) - 3) + "@" +
               std::to_string(std::lround(std::atof(line.substr(rate, star - rate).c_str())));
    }
    return "";
}

// whether the display's mode becomes `mode` within five seconds
bool ModeBecomes(const std::string& mode) {
    return WaitUntil([&] { return CurrentMode() == mode; }, std::chrono::seconds(5));
}

class DisplayMode : public ::testing::Test {
protected:
    // Xorg with the configuration, its monitor's refresh range `vert`, less
    // the line of mode `missing`; it reports its display number when ready.
    // It never resets (-noreset): a reset when the game, its last client,
    // leaves would give the desktop its mode back in the game's place.
    void StartServer(const char* vert, const char* missing = "none") {
        ASSERT_EQ(geteuid(), 0u) << "Xorg with the dummy driver needs root";
        std::ifstream in(SourceFile("tests/sdl/xorg-dummy.conf"));
        std::ofstream out(folder.File("xorg.conf"));
        for (std::string line; std::getline(in, line);) {
            if (size_t at = line.find("@VERT@"); at != std::string::npos) line.replace(at, 6, vert);
            if (line.find(missing) == std::string::npos) out << line << '\n';
        }
        out.close();
        int ends[2];
        ASSERT_EQ(pipe(ends), 0);
        if ((xorg = fork()) == 0) {
            EndWithTheTestProgram();
            std::FILE* quiet = std::freopen("/dev/null", "w", stderr);  // its notices go to its log
            (void)quiet;
            execlp("Xorg", "Xorg", "-config", folder.File("xorg.conf").c_str(), "-configdir", folder.File("").c_str(),
                   "-logfile", folder.File("xorg.log").c_str(), "-displayfd", std::to_string(ends[1]).c_str(),
                   "-noreset", "-nolisten", "tcp", static_cast<char*>(nullptr));
            _exit(127);
        }
        close(ends[1]);
        std::string number = ReadDisplayNumber(ends[0]);
        close(ends[0]);
        ASSERT_FALSE(number.empty()) << "Xorg did not report ready within 10 s";
        setenv("DISPLAY", (":" + number).c_str(), 1);
        ASSERT_EQ(CurrentMode(), kDesktop);
        InitImageDecoders();
        InitScreen();
    }
    void TearDown() override {
        EndScreen();
        EndBeside(xorg);
    }

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
    // frames a second over `span`, of the `frames`-frame stretch at
    // `quantile` of the stretches from the shortest: a busy machine's late
    // wake-ups make frames longer (a missed vertical blank doubles one). The
    // guard makes up a late frame with a shorter next one, so the median of
    // two-frame stretches shows its step, and the display's; the limiter
    // never makes up, so that its step shows in the shortest tenth of the
    // single frames.
    static double FramesPerSecond(std::chrono::milliseconds span, double quantile = 0.5, int frames = 2) {
        std::vector<double> lengths;
        std::vector<std::chrono::steady_clock::time_point> ends{std::chrono::steady_clock::now()};
        for (PresentFrame(); ends.back() - ends.front() < span;) {
            PresentFrame();
            ends.push_back(std::chrono::steady_clock::now());
            if (ends.size() > static_cast<size_t>(frames)) {
                lengths.push_back(std::chrono::duration<double>(ends.back() - ends[ends.size() - 1 - frames]).count() /
                                  frames);
            }
        }
        auto at = lengths.begin() + static_cast<std::ptrdiff_t>(static_cast<double>(lengths.size()) * quantile);
        std::nth_element(lengths.begin(), at, lengths.end());
        double rate = 1 / *at;
        std::printf("%.2f frames a second\n", rate);
        return rate;
    }

    TempDir folder;
    pid_t xorg = -1;
};

// A red pixel top left and a blue one bottom right of a green frame land on
// the corners of the 1024 x 768 screen.
void ExpectFrameOneToOne() {
    FillScreen(0, 255, 0);
    MakeBlankSprite(1, 1, 1), MakeBlankSprite(2, 1, 1);
    SetBlitTarget(1), FillScreen(255, 0, 0), SetBlitTarget(2), FillScreen(0, 0, 255), SetBlitTarget(-1);
    DrawSpriteOpaque(1, 0, 0), DrawSpriteOpaque(2, 1023, 767);
    TempDir dir;
    DecodedPicture shot;
    for (int attempt = 0; attempt < 10 && (shot.pixels.size() < 2 || shot.pixels[1] != 0x07E0); ++attempt) {
        for (int i = 0; i < 10; ++i) PresentFrame();
        Output("import -window root -type TrueColor BMP3:" + dir.File("s.bmp"));
        std::vector<uint8_t> bytes = ReadBytes(dir.File("s.bmp"));
        DecodePicture(bytes.data(), bytes.size(), shot);
    }
    ASSERT_EQ(shot.pixels.size(), 1024u * 768u);
    const uint16_t* p = shot.pixels.data();
    EXPECT_TRUE(p[0] == 0xF800 && p[1] == 0x07E0 && p[1024 * 768 - 1] == 0x001F && p[1024 * 768 - 2] == 0x07E0);
}

void PressAltEnter() {
    Output("xdotool search --name '^Gulpkin$' windowfocus --sync key alt+Return");
    for (int i = 0; i < 15; ++i) PresentFrame();
}

TEST_F(DisplayMode, FullScreenRunsAt75HzAndAWindowOnTheDesktop) {
    ASSERT_NO_FATAL_FAILURE(StartServer("50-76", "1920x1080_75"));
    ASSERT_EQ(OpenAsTheGame(), "Gulpkin");
    EXPECT_EQ(CurrentMode(), "1024x768@75");
    EXPECT_EQ(platform::DisplayRefreshRate(), 75);
    ExpectFrameOneToOne();
    EXPECT_NEAR(FramesPerSecond(3s), 75.0, 1.5);
    PressAltEnter();
    EXPECT_EQ(CurrentMode(), kDesktop) << "in a window";
    double windowed = FramesPerSecond(1s);
    EXPECT_TRUE(windowed >= 70.0 && windowed <= 76.5) << "in a window: " << windowed;
    PressAltEnter();
    EXPECT_EQ(CurrentMode(), "1024x768@75") << "full screen again";
    EndScreen();
    EXPECT_EQ(CurrentMode(), kDesktop) << "closed";
}

TEST_F(DisplayMode, TheDesktopsOwnSizeAt75HzIsPreferred) {
    ASSERT_NO_FATAL_FAILURE(StartServer("50-76"));
    ASSERT_EQ(OpenAsTheGame(), "Gulpkin");
    EXPECT_EQ(CurrentMode(), "1920x1080@75");
}

TEST_F(DisplayMode, WithoutA75HzModeTheLimiterPacesTheDesktopsMode) {
    ASSERT_NO_FATAL_FAILURE(StartServer("50-61"));
    ASSERT_EQ(OpenAsTheGame(), "Test");
    double rate = FramesPerSecond(3s, 0.1, 1);
    EXPECT_TRUE(rate >= 74.0 && rate <= 76.5) << rate;
    EXPECT_EQ(CurrentMode(), kDesktop);
}

// A window, or the desktop's mode chosen, never changes the mode.
TEST_F(DisplayMode, WindowAndDesktopChoiceKeepTheDesktopsMode) {
    ASSERT_NO_FATAL_FAILURE(StartServer("50-76"));
    for (platform::DisplayChoice choice : {platform::DisplayChoice{.windowed = true},
                                           platform::DisplayChoice{.keepDesktopMode = true}}) {
        EXPECT_EQ(OpenAsTheGame(choice), "Test") << choice.windowed;
        EXPECT_EQ(CurrentMode(), kDesktop) << choice.windowed;
        EndScreen();
    }
}

// The game itself: its title in the 75 Hz mode, and the desktop's mode back
// after Escape, SIGTERM (both orderly, exit code 0), a crash signal and
// SIGKILL (the program ends by that very signal; the mode comes back from
// the game's watcher, within a few seconds).
TEST_F(DisplayMode, TheGameGivesTheModeBackOnEveryWayOut) {
    ASSERT_NO_FATAL_FAILURE(StartServer("50-76", "1920x1080_75"));
    const struct { const char* name; int signal; } endings[] = {
        {"Escape", 0}, {"SIGTERM", SIGTERM}, {"SIGSEGV", SIGSEGV}, {"SIGKILL", SIGKILL}};
    for (const auto& ending : endings) {
        pid_t game = fork();
        if (game == 0) {
            EndWithTheTestProgram();
            setenv("XDG_CONFIG_HOME", folder.File("").c_str(), 1);
            setenv("SDL_AUDIODRIVER", "dummy", 1);
            setenv("ASAN_OPTIONS", "detect_leaks=0", 1);
            execl(GameFile("gulpkin").c_str(), "gulpkin", static_cast<char*>(nullptr));
            _exit(127);
        }
        std::string title;
        for (int i = 0; i < 100 && title.empty(); ++i, std::this_thread::sleep_for(100ms)) {
            title = Output("xdotool search --onlyvisible --class '^gulpkin$' getwindowname");
        }
        EXPECT_EQ(title, "Gulpkin\n") << ending.name << ": no window within 10 s";
        // the window may show a moment before the mode switches
        EXPECT_TRUE(ModeBecomes("1024x768@75")) << ending.name << ": " << CurrentMode();
        // a crash of interest comes in play, not halfway through the switch
        std::this_thread::sleep_for(1s);
        if (ending.signal != 0) kill(game, ending.signal);
        int status = -1;
        for (int i = 0; i < 100 && waitpid(game, &status, WNOHANG) != game; ++i, std::this_thread::sleep_for(50ms)) {
            // pressed again while the game still loads and reads no key
            if (ending.signal == 0 && i % 10 == 0) {
                Output("xdotool search --class '^gulpkin$' windowfocus --sync keydown Escape sleep 0.2 keyup Escape");
            }
        }
        bool crash = ending.signal == SIGSEGV || ending.signal == SIGKILL;
        EXPECT_EQ(WIFEXITED(status) && WEXITSTATUS(status) == 0, !crash) << ending.name << status;
        EXPECT_EQ(WIFSIGNALED(status) && WTERMSIG(status) == ending.signal, crash) << ending.name << status;
        EXPECT_TRUE(ModeBecomes(kDesktop)) << ending.name << ": " << CurrentMode();
        if (!WIFEXITED(status) && !WIFSIGNALED(status)) kill(game, SIGKILL), waitpid(game, nullptr, 0);
    }
}

}  // namespace
