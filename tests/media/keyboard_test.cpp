// The keyboard snapshot and the joystick on the headless machine: what a key
// query answers before and after polls, the "any key" query, lost and missing
// keyboards, and the joystick's strict thresholds and 1-based buttons.
#include "input/input.h"
#include "platform/headless/headless.h"
#include "platform/platform.h"

#include <gtest/gtest.h>

namespace {

std::vector<headless::Command> Script(const std::string& text) {
    std::vector<headless::Command> commands;
    std::string error;
    EXPECT_TRUE(headless::ParseScript(text, commands, error)) << error;
    return commands;
}

// a present moves the script on to the next frame's commands
void PresentBlankFrame() {
    static const uint16_t pixel = 0;
    platform::PresentPixels(&pixel, 1, 1, 1);
}

class Keyboard : public ::testing::Test {
protected:
    void Start(const std::string& script, headless::Options options = {}) {
        EndKeyboard();
        headless::Configure(options, Script(script));
        ready = InitKeyboard();
    }
    void TearDown() override {
        headless::SetKeyboardReadsFail(false);
        EndKeyboard();
    }
    int ready = 0;
};

TEST_F(Keyboard, KeysCountOnlyFromTheFirstPoll) {
    Start("0 keys SPACE LEFT\n");
    ASSERT_EQ(ready, 1);
    EXPECT_EQ(IsKeyHeld(kKeySpace), 0);
    EXPECT_EQ(IsKeyHeld(kAnyKey), 0);
    EXPECT_EQ(PollKeyboard(), 1);
    EXPECT_EQ(IsKeyHeld(kKeySpace), 0x80);
    EXPECT_EQ(IsKeyHeld(kKeyLeft), 0x80);
    EXPECT_EQ(IsKeyHeld(kKeyRight), 0);
}

TEST_F(Keyboard, AnyKeyAnswersOneAndIgnoresTheLastCode) {
    Start("0 keys 255\n1 keys SPACE\n2 keys 254\n");
    PollKeyboard();
    EXPECT_EQ(IsKeyHeld(255), 0x80);
    EXPECT_EQ(IsKeyHeld(kAnyKey), 0) << "code 255 alone is not any key";
    PresentBlankFrame();
    PollKeyboard();
    EXPECT_EQ(IsKeyHeld(kAnyKey), 1) << "1, not 0x80";
    PresentBlankFrame();
    PollKeyboard();
    EXPECT_EQ(IsKeyHeld(kAnyKey), 1);
    EXPECT_EQ(IsKeyHeld(256), 0);
    EXPECT_EQ(IsKeyHeld(-2), 0);
}

TEST_F(Keyboard, AKeyPressedAndReleasedBetweenTwoPollsIsNeverSeen) {
    Start("1 keys F12\n2 keys\n");
    PollKeyboard();
    PresentBlankFrame();
    PresentBlankFrame();
    PollKeyboard();
    EXPECT_EQ(IsKeyHeld(kKeyF12), 0);
}

TEST_F(Keyboard, AFailedReadKeepsThePreviousSnapshot) {
    Start("0 keys UP\n1 keys DOWN\n");
    PollKeyboard();
    PresentBlankFrame();
    headless::SetKeyboardReadsFail(true);
    EXPECT_EQ(PollKeyboard(), 0);
    EXPECT_EQ(IsKeyHeld(kKeyUp), 0x80);
    EXPECT_EQ(IsKeyHeld(kKeyDown), 0);
    headless::SetKeyboardReadsFail(false);
    EXPECT_EQ(PollKeyboard(), 1);
    EXPECT_EQ(IsKeyHeld(kKeyDown), 0x80);
}

TEST_F(Keyboard, WithoutAKeyboardNoPollSucceedsAndNoKeyIsHeld) {
    headless::Options options;
    options.noKeyboard = true;
    Start("0 keys ESC SPACE\n", options);
    EXPECT_EQ(ready, 0);
    EXPECT_EQ(PollKeyboard(), 0);
    EXPECT_EQ(IsKeyHeld(kKeyEscape), 0);
    EXPECT_EQ(IsKeyHeld(kAnyKey), 0);
}

class Joystick : public ::testing::Test {
protected:
    void Start(const std::string& script, bool attached = true) {
        EndJoystick();
        headless::Options options;
        options.joystick = attached;
        headless::Configure(options, Script(script));
        ready = InitJoystick();
    }
    void TearDown() override { EndJoystick(); }
    int ready = 0;
};

TEST_F(Joystick, AxesCountOnlyStrictlyBeyondFiveHundred) {
    Start("");
    ASSERT_EQ(ready, 1);
    const int cases[][2] = {{500, 0}, {501, 1}, {-500, 0}, {-501, -1}, {1000, 1}, {-1000, -1}, {0, 0}};
    for (auto [axis, direction] : cases) {
        headless::SetJoystickAxes(axis, -axis);
        EXPECT_EQ(PollJoystick(), 1);
        EXPECT_EQ(JoystickX(), direction) << axis;
        EXPECT_EQ(JoystickY(), -direction) << axis;
    }
}

TEST_F(Joystick, ButtonsAreNumberedFromOne) {
    Start("1 joy 0 0 1 0\n2 joy 0 0 0 1\n");
    PresentBlankFrame();
    PollJoystick();
    EXPECT_EQ(JoystickButton(1), 0x80);
    EXPECT_EQ(JoystickButton(2), 0);
    PresentBlankFrame();
    PollJoystick();
    EXPECT_EQ(JoystickButton(1), 0);
    EXPECT_EQ(JoystickButton(2), 0x80);
    EXPECT_EQ(JoystickButton(0), 0);
    EXPECT_EQ(JoystickButton(33), 0);
}

// "pad" names a game controller's buttons in SDL's order (A is button 1,
// Start 7); its D-pad steers; an unknown name refuses the script.
TEST_F(Joystick, ThePadCommandHoldsNamedControllerButtons) {
    Start("1 pad start B left down\n2 pad\n");
    PresentBlankFrame();
    PollJoystick();
    EXPECT_EQ(JoystickButton(kPadStart), 0x80);
    EXPECT_EQ(JoystickButton(kPadB), 0x80);
    EXPECT_EQ(JoystickButton(kPadA), 0);
    EXPECT_EQ(JoystickX(), -1);
    EXPECT_EQ(JoystickY(), 1);
    PresentBlankFrame();
    PollJoystick();
    EXPECT_EQ(JoystickButton(kPadStart), 0);
    EXPECT_EQ(JoystickX(), 0);
    std::vector<headless::Command> commands;
    std::string error;
    EXPECT_FALSE(headless::ParseScript("3 pad a turbo\n", commands, error));
    EXPECT_EQ(error, "line 1: unknown pad button turbo");
}

// Keys pressed by pad buttons: only while a screen chose them, only on a
// controller, and a button held when they were chosen waits to be let go.
TEST_F(Joystick, PadButtonsPressTheChosenKeysInTheSnapshot) {
    Start("0 pad x\n1 pad a x\n2 pad\n3 pad a\n4 joy 0 0 1 0\n5 pad a\n");
    ASSERT_EQ(InitKeyboard(), 1);
    static constexpr PadPress kMenu[] = {{kPadA, kKeyF1}, {kPadX, kKeyF2}};
    std::vector<int> f1, f2;
    {
        PadPresses menu(kMenu);
        for (int frame = 0; frame <= 4; ++frame) {
            PollKeyboard();
            f1.push_back(IsKeyHeld(kKeyF1));
            f2.push_back(IsKeyHeld(kKeyF2));
            PresentBlankFrame();
        }
    }
    PollKeyboard();
    EXPECT_EQ(f1, (std::vector<int>{0, 0x80, 0, 0x80, 0}));
    EXPECT_EQ(f2, (std::vector<int>{0, 0, 0, 0, 0})) << "X was held when the keys were chosen";
    EXPECT_EQ(IsKeyHeld(kAnyKey), 0) << "no keys once the screen is left";
    EndKeyboard();
}

TEST_F(Joystick, WithoutAJoystickReadsFailAndDirectionsStayCentred) {
    Start("0 joy 1 1 1 1\n", false);
    EXPECT_EQ(ready, 0);
    EXPECT_EQ(PollJoystick(), 0);
    EXPECT_EQ(JoystickX(), 0);
    EXPECT_EQ(JoystickY(), 0);
    EXPECT_EQ(JoystickButton(1), 0);
}

}  // namespace
