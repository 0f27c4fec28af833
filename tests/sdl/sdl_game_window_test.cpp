// The display options on an X server of 1920 x 1080 (Xvfb): --window opens
// a window smaller than the screen; whole-multiple scaling shows the frame
// 1:1 at (448, 156) both ways; Alt+Enter on the title menu switches to a
// window, is remembered in settings.ini and leaves the menu waiting.
#include "pictures/picture_decoding.h"
#include "platform/platform.h"
#include "pictures/screen.h"
#include "tests/support/pictures.h"
#include "tests/support/private_x_server.h"
#include "tests/support/tree_folders.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <thread>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using namespace std::chrono_literals;

std::string Output(const std::string& command) {
    std::string text;
    std::FILE* pipe = popen((command + " 2>/dev/null").c_str(), "r");
    for (char buffer[256]; pipe && std::fgets(buffer, sizeof buffer, pipe);) text += buffer;
    if (pipe) pclose(pipe);
    return text;
}

bool ScreenShot(DecodedPicture& shot) {
    TempDir dir;
    if (std::system(("import -window root -type TrueColor BMP3:" + dir.File("s.bmp") + " 2>/dev/null").c_str())) return false;
    std::vector<uint8_t> bytes = ReadBytes(dir.File("s.bmp"));
    return DecodePicture(bytes.data(), bytes.size(), shot);
}

uint16_t At(const DecodedPicture& shot, int x, int y) { return shot.pixels[static_cast<size_t>(y) * shot.width + x]; }

// the middle of the screen, inside the frame both ways: the title menu is bright,
// the intro and the confirmation after a key on the menu mostly black
bool MenuShown() {
    DecodedPicture shot;
    if (!ScreenShot(shot)) return false;
    double sum = 0;
    for (int y = 300; y < 800; y += 4) {
        for (int x = 600; x < 1300; x += 4) sum += (At(shot, x, y) >> 11) / 31.0 + (At(shot, x, y) & 31) / 31.0;
    }
    return sum / (125 * 175 * 2) > 0.12;
}

class Display1920 : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        server = new PrivateXServer;
        serverReady = server->Start("1920x1080x24");
    }
    static void TearDownTestSuite() {
        delete server;
        server = nullptr;
    }
    void SetUp() override {
        ASSERT_TRUE(serverReady) << "Xvfb did not start";
        ASSERT_FALSE(Output("command -v xdotool import").empty()) << "xdotool or ImageMagick's import missing";
    }
    void TearDown() override {
        if (game > 0) kill(game, SIGTERM), waitpid(game, nullptr, 0);
    }
    // the game as a player starts it, its settings in a scratch folder, its
    // messages in errors.txt there
    void LaunchGame(const char* option) {
        if ((game = fork()) == 0) {
            setenv("XDG_CONFIG_HOME", config.File("").c_str(), 1);
            setenv("SDL_AUDIODRIVER", "dummy", 1);
            // the display libraries SDL unloads at the end leave blocks of unknown origin
            setenv("ASAN_OPTIONS", "detect_leaks=0", 1);
            if (!std::freopen(config.File("errors.txt").c_str(), "w", stderr)) _exit(127);
            execl(GameFile("gulpkin").c_str(), "gulpkin", option, static_cast<char*>(nullptr));
            _exit(127);
        }
    }
    // Starts the game and waits for its window. A game that ends before
    // showing one fails the test, unless it ended the one known way of a
    // loaded machine (its X connection refused: "cannot open a display",
    // exit code 1); it is then started again on a fresh X server, twice at
    // most, and says so.
    void StartGame(const char* option) {
        bool shown = false;
        for (int start = 0; start < 3 && !shown; ++start) {
            LaunchGame(option);
            int status = 0;
            // polled: a search that meets a window being replaced fails at once
            for (int i = 0; i < 300 && !shown; ++i, std::this_thread::sleep_for(200ms)) {
                shown = !Output("xdotool search --onlyvisible --class '^gulpkin$'").empty();
                if (!shown && waitpid(game, &status, WNOHANG) == game) {
                    game = -1;
                    break;
                }
            }
            if (shown || game > 0) break;
            std::string errors = Output("cat '" + config.File("errors.txt") + "'");
            bool refused = WIFEXITED(status) && WEXITSTATUS(status) == 1 &&
                           errors.find("gulpkin: cannot open a display") != std::string::npos;
            ASSERT_TRUE(refused) << "the game ended before its window, status " << status << ": " << errors;
            std::printf("start %d of 3 could not open its display: %s", start + 1, errors.c_str());
            // the server itself may be the one at fault: the next start gets a fresh one
            server->Stop();
            ASSERT_TRUE(serverReady = server->Start("1920x1080x24")) << "Xvfb did not start again";
        }
        ASSERT_TRUE(shown) << "no game window";
        std::this_thread::sleep_for(500ms);
    }
    // The game's window as it stands; SDL replaces the window it opened first
    // when its renderer needs another kind, so a search that meets no window
    // is asked again for ten seconds.
    static std::string WindowSize() {
        std::string shell;
        for (int i = 0; i < 50 && shell.empty(); ++i) {
            if (i > 0) std::this_thread::sleep_for(200ms);
            shell = Output("xdotool search --onlyvisible --class '^gulpkin$' getwindowgeometry --shell");
        }
        auto field = [&](const std::string& name) {
            size_t at = shell.find(name + "=") + name.size() + 1;
            return shell.substr(at, shell.find('\n', at) - at);
        };
        return shell.empty() ? "" : field("WIDTH") + "x" + field("HEIGHT");
    }
    // held for many frames, so that the game's key snapshot sees the keys even on a busy machine
    static void Press(const std::string& keys) {
        Output("xdotool search --onlyvisible --class '^gulpkin$' windowfocus --sync keydown " + keys +
               " sleep 0.5 keyup " + keys);
    }
    static PrivateXServer* server;
    static bool serverReady;
    TempDir config;
    pid_t game = -1;
};

PrivateXServer* Display1920::server = nullptr;
bool Display1920::serverReady = false;

TEST_F(Display1920, WindowOptionOpensAWindowSmallerThanTheScreen) {
    ASSERT_NO_FATAL_FAILURE(StartGame("--window"));
    EXPECT_EQ(WindowSize(), "1024x768");
}

// A red pixel top left and a blue one bottom right of a green frame land 1:1
// at (448, 156) and (1471, 923), black around; on the processor ("") or
// through a renderer.
void ExpectWholeMultipleOneToOne(const char* renderer) {
    InitImageDecoders();
    InitScreen();
    platform::ChooseDisplay({.windowed = false, .scaling = platform::FrameScaling::WholeMultiples});
    if (*renderer != '\0') setenv("SDL_RENDER_DRIVER", renderer, 1);
    ASSERT_NE(OpenFullScreen(1024, 768, 16, "Gulpkin"), 0) << renderer << ": " << SDL_GetError();
    unsetenv("SDL_RENDER_DRIVER");
    FillScreen(0, 255, 0);
    MakeBlankSprite(1, 1, 1);
    MakeBlankSprite(2, 1, 1);
    SetBlitTarget(1), FillScreen(255, 0, 0), SetBlitTarget(2), FillScreen(0, 0, 255), SetBlitTarget(-1);
    DrawSpriteOpaque(1, 0, 0);
    DrawSpriteOpaque(2, 1023, 767);
    DecodedPicture shot;
    for (int attempt = 0; attempt < 20 && (!ScreenShot(shot) || At(shot, 960, 540) != 0x07E0); ++attempt) {
        for (int i = 0; i < 10; ++i) PresentFrame(), platform::SleepMs(20);
    }
    const struct { int x, y; uint16_t colour; } points[] = {
        {448, 156, 0xF800}, {449, 157, 0x07E0}, {447, 156, 0}, {448, 155, 0},
        {1471, 923, 0x001F}, {1470, 922, 0x07E0}, {1472, 923, 0}, {1471, 924, 0}};
    for (const auto& p : points) EXPECT_EQ(At(shot, p.x, p.y), p.colour) << renderer << " " << p.x << "," << p.y;
    EndScreen();
}

TEST_F(Display1920, WholeMultiplesShowTheFrameOneToOneOnTheProcessor) { ExpectWholeMultipleOneToOne(""); }
TEST_F(Display1920, WholeMultiplesShowTheFrameOneToOneThroughARenderer) { ExpectWholeMultipleOneToOne("opengl"); }

TEST_F(Display1920, AltEnterOnTheTitleMenuMakesAWindowAndLeavesTheMenuWaiting) {
    ASSERT_NO_FATAL_FAILURE(StartGame(nullptr));
    EXPECT_EQ(WindowSize(), "1920x1080");
    bool menu = false;
    // after the intro's 790 frames (10.5 s at 75 Hz, more at a lower rate);
    // each look is a screenshot, so none before 9 s, then twice a second
    std::this_thread::sleep_for(9s);
    for (int attempt = 0; attempt < 120 && !(menu = MenuShown()); ++attempt) std::this_thread::sleep_for(500ms);
    ASSERT_TRUE(menu) << "the title menu never came";
    Press("alt+Return");
    for (int i = 0; i < 12; ++i) {  // a key taken by the menu shows the dark confirmation for seconds
        std::this_thread::sleep_for(250ms);
        ASSERT_TRUE(MenuShown()) << "the menu was left, " << i * 250 << " ms on";
    }
    EXPECT_EQ(WindowSize(), "1024x768");
    std::ostringstream settings;
    settings << std::ifstream(config.File("gulpkin/settings.ini")).rdbuf();
    EXPECT_EQ(settings.str(), "display = window\n");
    int status = -1;
    for (int i = 0; i < 3 && waitpid(game, &status, WNOHANG) != game; ++i) {
        Press("Escape");  // still the menu: Escape ends the program
        for (int wait = 0; wait < 40 && waitpid(game, &status, WNOHANG) != game; ++wait) std::this_thread::sleep_for(50ms);
    }
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    game = -1;
}

}  // namespace
