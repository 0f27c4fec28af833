// Keys typed on a real X display reach the keyboard reader under the game's
// scan codes. The test starts its own Xvfb server (so that no other program's
// window takes the focus), opens a plain SDL window on it and types into it
// with xdotool; it is skipped when either program is missing.
#include "input/input.h"
#include "platform/platform.h"
#include "tests/support/private_x_server.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

bool Installed(const char* program) {
    std::string command = "command -v ";  // built in steps: GCC 12 misreads the sum as a bounds fault
    command.append(program).append(" >/dev/null 2>&1");
    return std::system(command.c_str()) == 0;
}

PrivateXServer display;
bool displayReady = false;

bool RunQuietly(const std::string& command) { return std::system((command + " >/dev/null 2>&1").c_str()) == 0; }

class SdlKeyboard : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        displayReady = display.Start("640x480x24");
    }
    static void TearDownTestSuite() { display.Stop(); }

    void SetUp() override {
        ASSERT_TRUE(displayReady) << "Xvfb did not start";
        ASSERT_TRUE(Installed("xdotool")) << "xdotool missing";
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
        window = SDL_CreateWindow("gulpkin keys", 0, 0, 320, 240, SDL_WINDOW_SHOWN);
        ASSERT_NE(window, nullptr) << SDL_GetError();
        ASSERT_EQ(InitKeyboard(), 1);
        FocusWindow();
    }

    void TearDown() override {
        EndKeyboard();
        if (window) SDL_DestroyWindow(window);
        if (displayReady) SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }

    // Without a window manager the window gets the focus only when asked.
    void FocusWindow() {
        PollFor([] { return false; }, 200);  // let the window be mapped
        RunQuietly("xdotool search --sync --name '^gulpkin keys$' windowraise %@ windowfocus --sync %@ "
                   "mousemove --window %1 100 100");
        PollFor([] { return false; }, 100);
    }

    // polls the keyboard until the condition holds or the time runs out
    template <typename Condition>
    bool PollFor(Condition condition, uint32_t ms = 2000) {
        uint32_t start = SDL_GetTicks();
        do {
            PollKeyboard();
            if (condition()) return true;
            SDL_Delay(5);
        } while (SDL_GetTicks() - start < ms);
        return false;
    }

    static int HeldCount() {
        int held = 0;
        for (int code = 0; code < 256; ++code) held += IsKeyHeld(code) != 0;
        return held;
    }

    static std::string HeldCodes() {
        std::string codes;
        for (int code = 0; code < 256; ++code) {
            if (IsKeyHeld(code)) codes += " " + std::to_string(code);
        }
        return codes;
    }

    SDL_Window* window = nullptr;
};

struct TypedKey {
    const char* keysym;  // the X key name xdotool types
    int code;
    int alsoHeld = -1;   // xdotool presses a right-hand modifier's left twin with it
};

// The game's own keys, then a sample of every block of the keyboard.
constexpr TypedKey kTypedKeys[] = {
    {"Escape", kKeyEscape}, {"space", kKeySpace},    {"F1", kKeyF1},         {"F2", kKeyF2},
    {"F3", kKeyF3},         {"F10", kKeyF10},        {"F11", kKeyF11},       {"F12", kKeyF12},
    {"Up", kKeyUp},         {"Left", kKeyLeft},      {"Right", kKeyRight},   {"Down", kKeyDown},
    {"1", 0x02},            {"0", 0x0B},             {"minus", 0x0C},        {"BackSpace", 0x0E},
    {"Tab", 0x0F},          {"q", 0x10},             {"p", 0x19},            {"bracketleft", 0x1A},
    {"Return", 0x1C},       {"Control_L", 0x1D},     {"a", 0x1E},            {"l", 0x26},
    {"semicolon", 0x27},    {"grave", 0x29},         {"Shift_L", 0x2A},      {"backslash", 0x2B},
    {"z", 0x2C},            {"m", 0x32},             {"slash", 0x35},        {"Shift_R", 0x36, 0x2A},
    {"KP_Multiply", 0x37},  {"F4", 0x3E},            {"F9", 0x43},
    {"Scroll_Lock", 0x46},  {"KP_Home", 0x47},       {"KP_Subtract", 0x4A},  {"KP_Add", 0x4E},
    {"KP_Insert", 0x52},    {"KP_Enter", 0x9C},      {"Control_R", 0x9D, 0x1D},    {"KP_Divide", 0xB5},
    {"Print", 0xB7},        {"Pause", 0xC5},         {"Home", 0xC7},         {"Prior", 0xC9},
    {"End", 0xCF},          {"Next", 0xD1},          {"Insert", 0xD2},       {"Delete", 0xD3},
    {"Menu", 0xDD},
};  // Alt and Super count once let go: sdl_window_chords_test.cpp

TEST_F(SdlKeyboard, TypedKeysArriveUnderTheirScanCodes) {
    for (const TypedKey& key : kTypedKeys) {
        ASSERT_TRUE(RunQuietly(std::string("xdotool keydown ") + key.keysym)) << key.keysym;
        EXPECT_TRUE(PollFor([&] { return IsKeyHeld(key.code) == 0x80; })) << key.keysym;
        EXPECT_EQ(HeldCount(), key.alsoHeld < 0 ? 1 : 2) << key.keysym << " alone is held:" << HeldCodes();
        EXPECT_EQ(IsKeyHeld(kAnyKey), 1) << key.keysym;
        if (key.alsoHeld >= 0) {
            EXPECT_EQ(IsKeyHeld(key.alsoHeld), 0x80) << key.keysym;
        }
        ASSERT_TRUE(RunQuietly(std::string("xdotool keyup ") + key.keysym)) << key.keysym;
        EXPECT_TRUE(PollFor([] { return HeldCount() == 0; })) << key.keysym << " released";
    }
}

TEST_F(SdlKeyboard, SeveralKeysAreHeldTogether) {
    RunQuietly("xdotool keydown Left keydown space");
    EXPECT_TRUE(PollFor([] { return IsKeyHeld(kKeyLeft) && IsKeyHeld(kKeySpace); }));
    RunQuietly("xdotool keyup Left");
    EXPECT_TRUE(PollFor([] { return !IsKeyHeld(kKeyLeft) && IsKeyHeld(kKeySpace); }));
    RunQuietly("xdotool keyup space");
    EXPECT_TRUE(PollFor([] { return IsKeyHeld(kAnyKey) == 0; }));
}

}  // namespace
