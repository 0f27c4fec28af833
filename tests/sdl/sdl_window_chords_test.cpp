// The window manager's chords and the key snapshot. The chord keeper alone:
// a lone Alt counts once let go, a chord (Alt+Tab, a window event while Alt
// is down) never counts, and after a focus change only chord keys wait to be
// let go. Then through the SDL backend on a game in full screen, with and
// without a window manager (openbox): a lone Alt or Super counts once let go;
// under openbox Alt+Tab leaves the title menu waiting, and an arrow held
// while the focus comes back counts at the first snapshot.
#include "input/input.h"
#include "pictures/picture_decoding.h"
#include "platform/sdl/sdl_key_map.h"
#include "platform/sdl/sdl_window_chord.h"
#include "pictures/screen.h"
#include "tests/support/private_x_server.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <initializer_list>
#include <string>
#include <utility>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kAlt = 0x38, kTab = 0x0F, kEnter = 0x1C, kLeft = 0xCB;

// One snapshot with these SDL keys down: the game codes left in it.
std::vector<int> Snapshot(WindowChord& chord, std::initializer_list<SDL_Scancode> down) {
    Uint8 state[SDL_NUM_SCANCODES] = {};
    uint8_t keys[256] = {};
    for (SDL_Scancode key : down) state[key] = 1;
    for (const KeyMapping& mapping : KeyMap()) {
        if (state[mapping.sdl]) keys[mapping.code] = 0x80;
    }
    chord.Hide(state, SDL_NUM_SCANCODES, keys);
    std::vector<int> held;
    for (int code = 0; code < 256; ++code) {
        if (keys[code] != 0) held.push_back(code);
    }
    return held;
}

void NoteWindowEvent(WindowChord& chord, Uint8 what, SDL_Keymod mods) {
    SDL_SetModState(mods);
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.event = what;
    chord.Note(event);
    SDL_SetModState(KMOD_NONE);
}

using Codes = std::vector<int>;

TEST(WindowChordKeeper, ALoneAltCountsOnceLetGoAndAChordNever) {
    WindowChord alone;
    EXPECT_EQ(Snapshot(alone, {SDL_SCANCODE_LALT}), Codes{});
    EXPECT_EQ(Snapshot(alone, {SDL_SCANCODE_LALT}), Codes{});
    EXPECT_EQ(Snapshot(alone, {}), Codes{kAlt});
    EXPECT_EQ(Snapshot(alone, {}), Codes{});

    WindowChord altTab;  // no window manager: the Tab reaches the game
    EXPECT_EQ(Snapshot(altTab, {SDL_SCANCODE_LALT}), Codes{});
    EXPECT_EQ(Snapshot(altTab, {SDL_SCANCODE_LALT, SDL_SCANCODE_TAB}), Codes{});
    EXPECT_EQ(Snapshot(altTab, {SDL_SCANCODE_TAB}), Codes{});
    EXPECT_EQ(Snapshot(altTab, {}), Codes{});
    EXPECT_EQ(Snapshot(altTab, {SDL_SCANCODE_TAB}), Codes{kTab}) << "Tab alone is an ordinary key";

    WindowChord taken;  // the window manager took the Tab: only its grab shows
    EXPECT_EQ(Snapshot(taken, {SDL_SCANCODE_LGUI}), Codes{});
    NoteWindowEvent(taken, SDL_WINDOWEVENT_LEAVE, KMOD_LGUI);
    EXPECT_EQ(Snapshot(taken, {SDL_SCANCODE_LGUI}), Codes{});
    EXPECT_EQ(Snapshot(taken, {}), Codes{});
    EXPECT_EQ(Snapshot(taken, {}), Codes{});
}

TEST(WindowChordKeeper, AfterAFocusChangeOnlyChordKeysWaitToBeLetGo) {
    WindowChord chord;
    EXPECT_EQ(Snapshot(chord, {SDL_SCANCODE_LEFT}), Codes{kLeft});
    NoteWindowEvent(chord, SDL_WINDOWEVENT_FOCUS_GAINED, KMOD_NONE);
    EXPECT_EQ(Snapshot(chord, {SDL_SCANCODE_LEFT, SDL_SCANCODE_RETURN}), Codes{kLeft});
    EXPECT_EQ(Snapshot(chord, {SDL_SCANCODE_LEFT, SDL_SCANCODE_RETURN}), Codes{kLeft});
    EXPECT_EQ(Snapshot(chord, {}), Codes{});
    EXPECT_EQ(Snapshot(chord, {SDL_SCANCODE_RETURN}), Codes{kEnter});
}

// ---- through the SDL backend under Xvfb --------------------------------------

// bounded: xdotool's --sync waits for ever for a window that never comes
bool Shell(const std::string& command) {
    return std::system(("timeout 20 " + command + " >/dev/null 2>&1").c_str()) == 0;
}

pid_t Beside(const std::string& command) {
    pid_t pid = fork();
    if (pid == 0) {
        execl("/bin/sh", "sh", "-c", ("exec timeout 30 " + command + " >/dev/null 2>&1").c_str(),
              static_cast<char*>(nullptr));
        _exit(127);
    }
    return pid;
}

void End(pid_t pid) {
    if (pid > 0) kill(pid, SIGTERM), waitpid(pid, nullptr, 0);
}

// A game in full screen on an X server of the suite's own, with or without
// a window manager started once for the whole suite.
class Chords : public ::testing::Test {
protected:
    // the server held open, so that it does not reset between the tests'
    // windows
    static void StartServer(bool windowManager) {
        serverStarted = server.Start("1280x1024x24") && server.HoldOpen();
        if (serverStarted && windowManager) serverStarted = server.StartOpenbox(why);
    }
    static void TearDownTestSuite() { server.Stop(); }
    void SetUp() override {
        ASSERT_TRUE(serverStarted) << why;
        ASSERT_TRUE(OpenTheGameWindow());
        ASSERT_TRUE(MenuWaitsFor(300));  // the focus has settled
    }
    void TearDown() override {
        EndKeyboard();
        EndScreen();
    }
    // frames and snapshots as the title menu takes them, for `ms`; false at
    // the first snapshot with a key down
    static bool MenuWaitsFor(int ms) {
        auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
        while (std::chrono::steady_clock::now() < end) {
            PollKeyboard();
            if (IsKeyHeld(kAnyKey) != 0) return false;
            PresentFrame();
            usleep(10000);
        }
        return true;
    }

    // Alt or Super alone, held a while: nothing while down, one snapshot once let go.
    static void ALoneAltOrSuperCountsOnceLetGo() {
        for (auto [keysym, code] : {std::pair{"Alt_L", kAlt}, std::pair{"Super_L", 0xDB}}) {
            ASSERT_TRUE(Shell(std::string("xdotool keydown ") + keysym));
            EXPECT_TRUE(MenuWaitsFor(500)) << keysym;
            Shell(std::string("xdotool keyup ") + keysym);
            bool counted = false;
            for (int i = 0; i < 100 && !counted; ++i, usleep(10000)) {
                PollKeyboard();
                counted = IsKeyHeld(code) != 0;
            }
            EXPECT_TRUE(counted) << keysym;
            PollKeyboard();
            EXPECT_EQ(IsKeyHeld(kAnyKey), 0) << keysym;
        }
    }

    // Alt held a while around a Tab, as a player switches windows.
    static void AltTabLeavesTheTitleMenuWaiting() {
        for (int press = 1; press <= 2; ++press) {
            pid_t keys = Beside("xdotool keydown alt sleep 0.3 key Tab sleep 0.6 keyup alt");
            EXPECT_TRUE(MenuWaitsFor(2000)) << "press " << press;
            waitpid(keys, nullptr, 0);
            Shell("xdotool search --name '^Gulpkin$' windowfocus --sync");
        }
    }

    // The focus goes to another window and comes back while Left stays down.
    static void AnArrowHeldWhileTheFocusComesBackCountsAtTheFirstSnapshot() {
        pid_t other = Beside("xlogo");
        ASSERT_TRUE(Shell("xdotool search --sync --class xlogo"));
        Shell("xdotool search --name '^Gulpkin$' windowfocus --sync keydown Left");
        PollKeyboard();
        EXPECT_NE(IsKeyHeld(kKeyLeft), 0);
        Shell("xdotool search --class xlogo windowfocus --sync");
        PollKeyboard();
        Shell("xdotool search --name '^Gulpkin$' windowfocus --sync");
        // the X server's news of the focus may take a moment to arrive; the
        // arrow must count as soon as it does, without being pressed again
        EXPECT_TRUE(WaitUntil(
            [] {
                PollKeyboard();
                return IsKeyHeld(kKeyLeft) != 0;
            },
            std::chrono::seconds(3)));
        Shell("xdotool keyup Left");
        End(other);
    }

    static PrivateXServer server;
    static bool serverStarted;
    static std::string why;
};

PrivateXServer Chords::server;
bool Chords::serverStarted = false;
std::string Chords::why = "Xvfb did not start";

class ChordsWithoutWindowManager : public Chords {
protected:
    static void SetUpTestSuite() { StartServer(false); }
};

class ChordsUnderOpenbox : public Chords {
protected:
    static void SetUpTestSuite() { StartServer(true); }
};

TEST_F(ChordsWithoutWindowManager, ALoneAltOrSuperCountsOnceLetGo) { ALoneAltOrSuperCountsOnceLetGo(); }
TEST_F(ChordsUnderOpenbox, ALoneAltOrSuperCountsOnceLetGo) { ALoneAltOrSuperCountsOnceLetGo(); }
TEST_F(ChordsUnderOpenbox, AltTabLeavesTheTitleMenuWaiting) { AltTabLeavesTheTitleMenuWaiting(); }
TEST_F(ChordsUnderOpenbox, AnArrowHeldWhileTheFocusComesBackCountsAtTheFirstSnapshot) {
    AnArrowHeldWhileTheFocusComesBackCountsAtTheFirstSnapshot();
}

}  // namespace
