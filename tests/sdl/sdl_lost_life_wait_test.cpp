// The wait for a key after a lost life, through the SDL backend on a game in
// full screen under a window manager (openbox): the wait rests (a few per
// cent of a core at most), and closing the window (the window manager's
// close request) or SIGTERM ends the game within a second, through the
// game's own end.
#include "board/death_sequence.h"
#include "core/game_state.h"
#include "input/input.h"
#include "pictures/picture_decoding.h"
#include "platform/platform.h"
#include "pictures/screen.h"
#include "tests/support/private_x_server.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <ctime>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

struct GameEnded {};
void EndGame() { throw GameEnded{}; }

bool Shell(const std::string& command) {
    return std::system(("timeout 20 " + command + " >/dev/null 2>&1").c_str()) == 0;
}

double ProcessorSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

class LostLifeWait : public ::testing::TestWithParam<const char*> {
protected:
    static void SetUpTestSuite() {
        serverStarted = server.Start("1280x1024x24") && server.StartOpenbox(why);
    }
    static void TearDownTestSuite() { server.Stop(); }
    void SetUp() override {
        ASSERT_TRUE(serverStarted) << why;
        ASSERT_TRUE(OpenTheGameWindow());
        platform::SetEndHandler(EndGame);
        game = GameState{};
        game.lives = 2;
    }
    void TearDown() override {
        platform::SetEndHandler(nullptr);
        EndKeyboard();
        EndScreen();
    }

    static PrivateXServer server;
    static bool serverStarted;
    static std::string why;
};

PrivateXServer LostLifeWait::server;
bool LostLifeWait::serverStarted = false;
std::string LostLifeWait::why = "Xvfb did not start";

// The death takes two seconds; the wait is measured for two more, then the
// end is asked for. Should the wait never answer, a key ends it a few
// seconds later, so that the test ends either way.
TEST_P(LostLifeWait, RestsAndEndsWithinASecondOfTheRequest) {
    const std::string how = GetParam();
    double share = 1;
    Clock::time_point asked;
    std::thread player([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(2500));
        double before = ProcessorSeconds();
        std::this_thread::sleep_for(std::chrono::seconds(2));
        share = (ProcessorSeconds() - before) / 2.0;
        asked = Clock::now();
        if (how == "close") {
            EXPECT_TRUE(AskTheWindowManagerToClose("Gulpkin"));
        }
        if (how == "sigterm") kill(getpid(), SIGTERM);
        std::this_thread::sleep_for(std::chrono::seconds(4));
        Shell("xdotool search --name '^Gulpkin$' key space");
    });
    bool ended = false;
    try {
        PlayDeathSequence();
    } catch (const GameEnded&) {
        ended = true;
    }
    Clock::time_point end = Clock::now();
    player.join();
    EXPECT_TRUE(ended);
    EXPECT_LT(end - asked, std::chrono::seconds(1)) << how;
    EXPECT_LE(share, 0.05) << how;
    std::printf("%s: the wait used %.1f %% of a core\n", how.c_str(), share * 100);
}

INSTANTIATE_TEST_SUITE_P(Requests, LostLifeWait, ::testing::Values("close", "sigterm"));

}  // namespace
