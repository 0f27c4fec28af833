// Alt+Enter held as a player holds it, pressed 1 to 4 times on a game in
// full screen, with and without a window manager (openbox): the window
// switches each time and no key ever reaches the game's key snapshot (the
// title menu would leave on any key), nor does a key held while the focus
// comes back.
#include "input/input.h"
#include "pictures/picture_decoding.h"
#include "platform/platform.h"
#include "pictures/screen.h"
#include "tests/support/private_x_server.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <sys/wait.h>

namespace {

// bounded: xdotool's --sync waits for ever for a window that never comes
bool Shell(const std::string& command) {
    return std::system(("timeout 20 " + command + " >/dev/null 2>&1").c_str()) == 0;
}

class AltEnter : public ::testing::TestWithParam<bool> {
protected:
    // the server is held open: each test starts its own openbox, or none
    static void SetUpTestSuite() { serverStarted = server.Start("1920x1080x24") && server.HoldOpen(); }
    static void TearDownTestSuite() { server.Stop(); }
    void SetUp() override {
        ASSERT_TRUE(serverStarted) << "Xvfb did not start";
        std::string why;
        if (GetParam()) {
            ASSERT_TRUE(server.StartOpenbox(why)) << why;
        }
        ASSERT_TRUE(OpenTheGameWindow());
    }
    void TearDown() override {
        EndKeyboard();
        EndScreen();
        server.StopOpenbox();
    }
    // frames and snapshots as the title menu takes them, for `ms`; false at
    // the first snapshot with a key down
    static bool MenuWaitsFor(int ms) {
        auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
        while (std::chrono::steady_clock::now() < end) {
            PollKeyboard();
            if (IsKeyHeld(kAnyKey) != 0) return false;
            PresentFrame();
            platform::SleepMs(10);
        }
        return true;
    }
    static bool FullScreen() { return Shell("xdotool search --name '^Gulpkin$' getwindowgeometry | grep -q 1920x1080"); }

    static PrivateXServer server;
    static bool serverStarted;
};

PrivateXServer AltEnter::server;
bool AltEnter::serverStarted = false;

// Both ways a player presses it: Enter tapped while Alt stays down a while
// longer, and both held together.
TEST_P(AltEnter, SwitchesTheWindowAndNeverReachesTheKeySnapshot) {
    const char* presses[] = {"keydown alt sleep 0.1 key Return sleep 0.8 keyup alt",
                             "keydown alt+Return sleep 0.5 keyup alt+Return"};
    ASSERT_TRUE(MenuWaitsFor(300));
    for (int press = 1; press <= 4; ++press) {
        pid_t keys = StartBeside(std::string("timeout 20 xdotool ") + presses[press % 2]);  // while the game runs
        EXPECT_TRUE(MenuWaitsFor(1500)) << "press " << press;
        waitpid(keys, nullptr, 0);
        EXPECT_EQ(FullScreen(), press % 2 == 0) << "press " << press;
        Shell("xdotool search --name '^Gulpkin$' windowfocus --sync");
    }
}

// SDL presses again the modifiers still held when the window gets the focus
// back: such a key waits to be let go, as the one that switched the window.
TEST_P(AltEnter, AKeyHeldWhileTheFocusCameBackStaysOutOfTheSnapshot) {
    pid_t other = StartBeside("xlogo");
    ASSERT_TRUE(Shell("xdotool keydown alt search --sync --onlyvisible --class xlogo windowfocus --sync"))
        << "xlogo's window was not visible and focused within 20 s";
    MenuWaitsFor(300);
    ASSERT_TRUE(Shell("xdotool search --name '^Gulpkin$' windowfocus --sync")) << "no focus back within 20 s";
    EXPECT_TRUE(MenuWaitsFor(800));
    Shell("xdotool keyup alt");
    EndBeside(other);
}

INSTANTIATE_TEST_SUITE_P(WindowManager, AltEnter, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Openbox" : "None"; });

}  // namespace
