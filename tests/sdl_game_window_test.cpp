// The game itself on an X server of 1920 x 1080 (Xvfb), as a player starts
// it: --window opens a window smaller than the screen, and Alt+Enter on the
// title menu switches to a window, is remembered in settings.ini, and is
// not taken as the menu's "any key": the menu stays up and still ends the
// program on Escape.
#include "tests/support/pictures.h"
#include "tests/support/x_server.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>
#include <vector>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using namespace std::chrono_literals;

// the output of a shell command
std::string Output(const std::string& command) {
    std::string text;
    if (std::FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[256];
        while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) text += buffer;
        pclose(pipe);
    }
    return text;
}

// Mean brightness 0..1 of the middle of the screen, which the frame covers
// both full screen and in a window: the title menu is bright, the intro and
// the confirmation that follows a key on the menu are mostly black.
double MiddleBrightness(const DecodedPicture& shot) {
    double sum = 0;
    int count = 0;
    for (int y = 300; y < 800; y += 4) {
        for (int x = 600; x < 1300; x += 4) {
            uint16_t p = PixelAt(shot, x, y);
            sum += ((p >> 11) / 31.0 + ((p >> 5) & 63) / 63.0 + (p & 31) / 31.0) / 3.0;
            ++count;
        }
    }
    return sum / count;
}

constexpr double kMenuBrightness = 0.12;

class GameOnX : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        server = new PrivateXServer;
        if (!server->Start(1920, 1080)) unsetenv("DISPLAY");
    }
    static void TearDownTestSuite() {
        delete server;
        server = nullptr;
    }
    void SetUp() override {
        const char* display = std::getenv("DISPLAY");
        if (display == nullptr || *display == '\0') GTEST_SKIP() << "no X display";
        if (!Shell("command -v xdotool && command -v import")) GTEST_SKIP() << "xdotool or import missing";
    }
    void TearDown() override {
        if (game > 0) {
            kill(game, SIGTERM);
            waitpid(game, nullptr, 0);
        }
    }

    // starts the game with its settings in our scratch folder; waits for its window
    void Start(std::vector<const char*> arguments) {
        game = fork();
        if (game == 0) {
            setenv("XDG_CONFIG_HOME", config.File("").c_str(), 1);
            setenv("SDL_AUDIODRIVER", "dummy", 1);
            arguments.insert(arguments.begin(), "gulpkin");
            arguments.push_back(nullptr);
            execv(GULPKIN_GAME_DIR "/gulpkin", const_cast<char* const*>(arguments.data()));
            _exit(127);
        }
        ASSERT_GT(game, 0);
        ASSERT_TRUE(Shell("timeout 60 xdotool search --sync --onlyvisible --class '^gulpkin$'"));
    }
    // the size of the game's window, as "WIDTHxHEIGHT"
    static std::string WindowSize() {
        std::string text = Output("xdotool search --onlyvisible --class '^gulpkin$' getwindowgeometry --shell");
        size_t width = text.find("WIDTH="), height = text.find("HEIGHT=");
        if (width == std::string::npos || height == std::string::npos) return "";
        return text.substr(width + 6, text.find('\n', width) - width - 6) + "x" +
               text.substr(height + 7, text.find('\n', height) - height - 7);
    }
    // holds the keys for a few frames, as a player does, so that the game's
    // key snapshot sees them
    static void Press(const std::string& keys) {
        Shell("xdotool search --onlyvisible --class '^gulpkin$' windowfocus --sync keydown " + keys +
              " sleep 0.2 keyup " + keys);
    }
    // the exit code once the game has ended within `limit`, else -1
    int ExitCodeWithin(std::chrono::milliseconds limit) {
        for (auto waited = 0ms; waited < limit; waited += 50ms) {
            int status = 0;
            if (waitpid(game, &status, WNOHANG) == game) {
                game = -1;
                return WIFEXITED(status) ? WEXITSTATUS(status) : 128;
            }
            std::this_thread::sleep_for(50ms);
        }
        return -1;
    }

    static PrivateXServer* server;
    TempDir config;
    pid_t game = -1;
};

PrivateXServer* GameOnX::server = nullptr;

TEST_F(GameOnX, WindowOptionOpensAWindowSmallerThanTheScreen) {
    Start({"--window"});
    EXPECT_EQ(WindowSize(), "1024x768");
}

TEST_F(GameOnX, AltEnterOnTheTitleMenuSwitchesToAWindowAndLeavesTheMenuWaiting) {
    Start({});
    EXPECT_EQ(WindowSize(), "1920x1080");
    DecodedPicture shot;
    bool menu = false;
    for (int attempt = 0; attempt < 300 && !menu; ++attempt) {  // the intro lasts about 11 s
        std::this_thread::sleep_for(200ms);
        ASSERT_TRUE(ScreenShot(shot));
        menu = MiddleBrightness(shot) > kMenuBrightness;
    }
    ASSERT_TRUE(menu) << "the title menu never came";
    Press("alt+Return");
    for (int i = 0; i < 12; ++i) {  // a key taken would show the dark confirmation for seconds
        std::this_thread::sleep_for(250ms);
        ASSERT_TRUE(ScreenShot(shot));
        ASSERT_GT(MiddleBrightness(shot), kMenuBrightness) << "the menu was left, " << i * 250 << " ms on";
    }
    EXPECT_EQ(WindowSize(), "1024x768");
    std::ifstream file(config.File("gulpkin/settings.ini"));
    std::stringstream settings;
    settings << file.rdbuf();
    EXPECT_EQ(settings.str(), "display = window\n");
    Press("Escape");
    EXPECT_EQ(ExitCodeWithin(5000ms), 0) << "Escape on the menu ends the program";
}

}  // namespace
