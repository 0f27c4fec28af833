// The joystick on SDL, with one of SDL's virtual joysticks standing in for
// a device: axes scaled to -1000 .. 1000 and cut at the strict thresholds,
// buttons numbered from 1, and a joystick that goes away and comes back.
#include "input/input.h"

#include <SDL.h>
#include <gtest/gtest.h>

namespace {

class SdlJoystick : public ::testing::Test {
protected:
    void SetUp() override {
        SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_JOYSTICK), 0) << SDL_GetError();
        Attach();
        ASSERT_EQ(InitJoystick(), 1);
    }

    void TearDown() override {
        EndJoystick();
        Detach();
        SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
    }

    void Attach() {
        int index = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, 2, 4, 0);
        ASSERT_GE(index, 0) << SDL_GetError();
        device = SDL_JoystickOpen(index);
        ASSERT_NE(device, nullptr) << SDL_GetError();
    }

    void Detach() {
        if (device == nullptr) return;
        SDL_JoystickID id = SDL_JoystickInstanceID(device);
        int index = 0;
        while (index < SDL_NumJoysticks() && SDL_JoystickGetDeviceInstanceID(index) != id) ++index;
        SDL_JoystickClose(device);
        SDL_JoystickDetachVirtual(index);
        device = nullptr;
    }

    void SetAxes(Sint16 x, Sint16 y) {
        SDL_JoystickSetVirtualAxis(device, 0, x);
        SDL_JoystickSetVirtualAxis(device, 1, y);
    }

    SDL_Joystick* device = nullptr;
};

TEST_F(SdlJoystick, AxesTurnIntoDirectionsOnlyBeyondHalfTheirTravel) {
    // SDL's range -32768 .. 32767 is scaled onto -1000 .. 1000: 16416 is
    // 500 there (centred), 16417 is 501
    const struct {
        Sint16 axis;
        int direction;
    } cases[] = {{0, 0}, {32767, 1}, {-32768, -1}, {16416, 0}, {16417, 1}, {-16416, 0}, {-16417, -1}};
    for (auto [axis, direction] : cases) {
        SetAxes(axis, 0);
        ASSERT_EQ(PollJoystick(), 1);
        EXPECT_EQ(JoystickX(), direction) << axis;
        EXPECT_EQ(JoystickY(), 0) << axis;
        SetAxes(0, axis);
        PollJoystick();
        EXPECT_EQ(JoystickX(), 0) << axis;
        EXPECT_EQ(JoystickY(), direction) << axis;
    }
}

TEST_F(SdlJoystick, ButtonsAreNumberedFromOne) {
    SDL_JoystickSetVirtualButton(device, 0, SDL_PRESSED);
    PollJoystick();
    EXPECT_EQ(JoystickButton(1), 0x80);
    EXPECT_EQ(JoystickButton(2), 0);
    SDL_JoystickSetVirtualButton(device, 0, SDL_RELEASED);
    SDL_JoystickSetVirtualButton(device, 1, SDL_PRESSED);
    PollJoystick();
    EXPECT_EQ(JoystickButton(1), 0);
    EXPECT_EQ(JoystickButton(2), 0x80);
    EXPECT_EQ(JoystickButton(5), 0) << "the device has four";
}

TEST_F(SdlJoystick, AJoystickThatGoesAwayFailsItsReadsUntilItIsBack) {
    SetAxes(32767, 0);
    ASSERT_EQ(PollJoystick(), 1);
    Detach();
    EXPECT_EQ(PollJoystick(), 0);
    EXPECT_EQ(JoystickX(), 0) << "a failed read leaves the directions centred";
    EXPECT_EQ(PollJoystick(), 0);
    Attach();
    SetAxes(-32768, 0);
    PollJoystick();  // gets the joystick again
    EXPECT_EQ(PollJoystick(), 1);
    EXPECT_EQ(JoystickX(), -1);
}

}  // namespace
