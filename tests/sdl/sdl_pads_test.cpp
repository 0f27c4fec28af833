// Pads on SDL through its virtual devices: a game controller steers with its
// left stick and D-pad buttons, A and B are buttons 1 and 2; a plain joystick
// steers with its first hat; a pad plugged in after start-up is read at once.
#include "input/input.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>

namespace {

class SdlPads : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER), 0) << SDL_GetError(); }
    void TearDown() override {
        EndJoystick();
        SDL_JoystickClose(device);
        SDL_JoystickDetachVirtual(0);
        SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    }
    void Attach(bool controller) {
        SDL_VirtualJoystickDesc desc{};
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = controller ? SDL_JOYSTICK_TYPE_GAMECONTROLLER : SDL_JOYSTICK_TYPE_ARCADE_PAD;
        desc.naxes = 2;
        desc.nbuttons = controller ? SDL_CONTROLLER_BUTTON_DPAD_RIGHT + 1 : 2;
        desc.nhats = controller ? 0 : 1;
        ASSERT_EQ(SDL_JoystickAttachVirtualEx(&desc), 0) << SDL_GetError();
        ASSERT_EQ(SDL_IsGameController(0), controller);
        device = SDL_JoystickOpen(0);
    }
    // sets one control, reads the pad, lets the control go: x, y, button 1, button 2
    template <typename Set>
    std::array<int, 4> ReadWith(Set set, int pressed, int released) {
        set(pressed);
        EXPECT_EQ(PollJoystick(), 1);
        std::array<int, 4> got{JoystickX(), JoystickY(), JoystickButton(1), JoystickButton(2)};
        set(released);
        return got;
    }
    SDL_Joystick* device = nullptr;
};

TEST_F(SdlPads, AControllerSteersWithStickAndDpadAndHasAAndBAsButtonsOneAndTwo) {
    Attach(true);
    ASSERT_EQ(InitJoystick(), 1);
    auto button = [&](int b) { return [&, b](int state) { SDL_JoystickSetVirtualButton(device, b, state); }; };
    auto axis = [&](int a) { return [&, a](int value) { SDL_JoystickSetVirtualAxis(device, a, value); }; };
    using B = SDL_GameControllerButton;
    EXPECT_EQ(ReadWith(button(B::SDL_CONTROLLER_BUTTON_DPAD_UP), 1, 0), (std::array{0, -1, 0, 0}));
    EXPECT_EQ(ReadWith(button(B::SDL_CONTROLLER_BUTTON_DPAD_DOWN), 1, 0), (std::array{0, 1, 0, 0}));
    EXPECT_EQ(ReadWith(button(B::SDL_CONTROLLER_BUTTON_DPAD_LEFT), 1, 0), (std::array{-1, 0, 0, 0}));
    EXPECT_EQ(ReadWith(button(B::SDL_CONTROLLER_BUTTON_DPAD_RIGHT), 1, 0), (std::array{1, 0, 0, 0}));
    EXPECT_EQ(ReadWith(button(B::SDL_CONTROLLER_BUTTON_A), 1, 0), (std::array{0, 0, 0x80, 0}));
    EXPECT_EQ(ReadWith(button(B::SDL_CONTROLLER_BUTTON_B), 1, 0), (std::array{0, 0, 0, 0x80}));
    EXPECT_EQ(ReadWith(axis(SDL_CONTROLLER_AXIS_LEFTX), -32768, 0), (std::array{-1, 0, 0, 0}));
    EXPECT_EQ(ReadWith(axis(SDL_CONTROLLER_AXIS_LEFTY), 16417, 0), (std::array{0, 1, 0, 0}));
    EXPECT_EQ(ReadWith(axis(SDL_CONTROLLER_AXIS_LEFTY), 16416, 0), (std::array{0, 0, 0, 0}));
}

TEST_F(SdlPads, APlainJoystickSteersWithItsFirstHat) {
    Attach(false);
    ASSERT_EQ(InitJoystick(), 1);
    auto hat = [&](int value) { SDL_JoystickSetVirtualHat(device, 0, static_cast<Uint8>(value)); };
    EXPECT_EQ(ReadWith(hat, SDL_HAT_LEFT, 0), (std::array{-1, 0, 0, 0}));
    EXPECT_EQ(ReadWith(hat, SDL_HAT_RIGHTDOWN, 0), (std::array{1, 1, 0, 0}));
    EXPECT_EQ(ReadWith(hat, SDL_HAT_UP, 0), (std::array{0, -1, 0, 0}));
    auto second = [&](int state) { SDL_JoystickSetVirtualButton(device, 1, static_cast<Uint8>(state)); };
    EXPECT_EQ(ReadWith(second, 1, 0), (std::array{0, 0, 0, 0x80}));
}

// On a screen that chose them, a controller's buttons press keys in the
// keyboard snapshot; a plain joystick's buttons never do.
TEST_F(SdlPads, AControllersMenuButtonsPressKeysInTheKeySnapshot) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);  // keys are read without a window
    static constexpr PadPress kMenu[] = {{kPadStart, kKeyF1}, {kPadB, kKeyEscape}};
    for (bool controller : {true, false}) {
        Attach(controller);
        ASSERT_EQ(InitJoystick(), 1);
        ASSERT_EQ(InitKeyboard(), 1);
        int button = controller ? SDL_CONTROLLER_BUTTON_B : 1;
        {
            PadPresses menu(kMenu);
            PollKeyboard();
            SDL_JoystickSetVirtualButton(device, button, 1);
            PollKeyboard();
            EXPECT_EQ(IsKeyHeld(kKeyEscape), controller ? 0x80 : 0);
            EXPECT_EQ(IsKeyHeld(kKeyF1), 0);
        }
        PollKeyboard();
        EXPECT_EQ(IsKeyHeld(kAnyKey), 0) << "B presses nothing once the menu is left";
        EndKeyboard();
        EndJoystick();
        SDL_JoystickClose(device);
        device = nullptr;
        SDL_JoystickDetachVirtual(0);
    }
}

TEST_F(SdlPads, APadPluggedInAfterStartUpIsReadAtOnceAndLeavesNothingPressed) {
    ASSERT_EQ(InitJoystick(), 1) << "the pad service opens with no pad";
    EXPECT_EQ(PollJoystick(), 0);
    Attach(true);
    SDL_JoystickSetVirtualButton(device, SDL_CONTROLLER_BUTTON_A, 1);
    ASSERT_EQ(PollJoystick(), 1);
    EXPECT_EQ(JoystickButton(1), 0x80);
    SDL_JoystickClose(device);
    device = nullptr;
    SDL_JoystickDetachVirtual(0);
    EXPECT_EQ(PollJoystick(), 0);
    EXPECT_EQ(JoystickButton(1), 0);
}

}  // namespace
