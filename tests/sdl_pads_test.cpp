// Pads on SDL, with SDL's virtual devices standing in for them: a game
// controller steers with its left stick and its D-pad buttons and has A and
// B as buttons 1 and 2; a plain joystick steers with its stick and its first
// hat; a pad plugged in after start-up is read at once, and the player's own
// mapping file is read.
#include "media/input.h"
#include "tests/support/pictures.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

struct Direction {
    int x, y;
};

class SdlPads : public ::testing::Test {
protected:
    void SetUp() override {
        SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER), 0) << SDL_GetError();
    }
    void TearDown() override {
        EndJoystick();
        if (device != nullptr) {
            SDL_JoystickClose(device);
            SDL_JoystickDetachVirtual(0);
        }
        SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    }

    // a controller with both sticks, both triggers and every button up to the D-pad's
    void AttachController() {
        SDL_VirtualJoystickDesc desc{};
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        desc.naxes = SDL_CONTROLLER_AXIS_MAX;
        desc.nbuttons = SDL_CONTROLLER_BUTTON_DPAD_RIGHT + 1;
        Attach(SDL_JoystickAttachVirtualEx(&desc));
        ASSERT_TRUE(SDL_IsGameController(0));
    }
    void AttachPlainJoystick() {
        Attach(SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_ARCADE_PAD, 2, 4, 1));
    }
    void Attach(int index) {
        ASSERT_EQ(index, 0) << SDL_GetError();
        device = SDL_JoystickOpen(index);
        ASSERT_NE(device, nullptr) << SDL_GetError();
    }
    Direction Read() {
        EXPECT_EQ(PollJoystick(), 1);
        return {JoystickX(), JoystickY()};
    }

    SDL_Joystick* device = nullptr;
};

void ExpectSteers(Direction got, Direction want, const char* what) {
    EXPECT_EQ(got.x, want.x) << what;
    EXPECT_EQ(got.y, want.y) << what;
}

TEST_F(SdlPads, AControllerSteersWithItsLeftStickAndItsDpadButtons) {
    AttachController();
    ASSERT_EQ(InitJoystick(), 1);
    const struct {
        int button;
        Direction want;
        const char* what;
    } dpad[] = {{SDL_CONTROLLER_BUTTON_DPAD_UP, {0, -1}, "up"},
                {SDL_CONTROLLER_BUTTON_DPAD_DOWN, {0, 1}, "down"},
                {SDL_CONTROLLER_BUTTON_DPAD_LEFT, {-1, 0}, "left"},
                {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, {1, 0}, "right"}};
    for (const auto& c : dpad) {
        SDL_JoystickSetVirtualButton(device, c.button, SDL_PRESSED);
        ExpectSteers(Read(), c.want, c.what);
        SDL_JoystickSetVirtualButton(device, c.button, SDL_RELEASED);
        ExpectSteers(Read(), {0, 0}, c.what);
    }
    SDL_JoystickSetVirtualAxis(device, SDL_CONTROLLER_AXIS_LEFTX, -32768);
    ExpectSteers(Read(), {-1, 0}, "stick left");
    SDL_JoystickSetVirtualButton(device, SDL_CONTROLLER_BUTTON_DPAD_RIGHT, SDL_PRESSED);
    ExpectSteers(Read(), {1, 0}, "the D-pad wins over the stick");
    SDL_JoystickSetVirtualButton(device, SDL_CONTROLLER_BUTTON_DPAD_RIGHT, SDL_RELEASED);
    SDL_JoystickSetVirtualAxis(device, SDL_CONTROLLER_AXIS_LEFTX, 0);
    SDL_JoystickSetVirtualAxis(device, SDL_CONTROLLER_AXIS_LEFTY, 16417);
    ExpectSteers(Read(), {0, 1}, "stick down, just beyond half its travel");
    SDL_JoystickSetVirtualAxis(device, SDL_CONTROLLER_AXIS_LEFTY, 16416);
    ExpectSteers(Read(), {0, 0}, "stick at half its travel");
}

TEST_F(SdlPads, AControllersAAndBAreButtonsOneAndTwo) {
    AttachController();
    ASSERT_EQ(InitJoystick(), 1);
    const struct {
        int button;
        int first, second;
    } cases[] = {{SDL_CONTROLLER_BUTTON_A, 0x80, 0},
                 {SDL_CONTROLLER_BUTTON_B, 0, 0x80},
                 {SDL_CONTROLLER_BUTTON_X, 0, 0},
                 {SDL_CONTROLLER_BUTTON_DPAD_UP, 0, 0}};
    for (const auto& c : cases) {
        SDL_JoystickSetVirtualButton(device, c.button, SDL_PRESSED);
        Read();
        EXPECT_EQ(JoystickButton(1), c.first) << c.button;
        EXPECT_EQ(JoystickButton(2), c.second) << c.button;
        SDL_JoystickSetVirtualButton(device, c.button, SDL_RELEASED);
    }
}

TEST_F(SdlPads, APlainJoystickSteersWithItsFirstHatAndKeepsItsButtons) {
    AttachPlainJoystick();
    ASSERT_FALSE(SDL_IsGameController(0));
    ASSERT_EQ(InitJoystick(), 1);
    const struct {
        Uint8 hat;
        Direction want;
    } cases[] = {{SDL_HAT_CENTERED, {0, 0}}, {SDL_HAT_UP, {0, -1}},      {SDL_HAT_DOWN, {0, 1}},
                 {SDL_HAT_LEFT, {-1, 0}},   {SDL_HAT_RIGHT, {1, 0}},     {SDL_HAT_LEFTDOWN, {-1, 1}},
                 {SDL_HAT_RIGHTUP, {1, -1}}};
    for (const auto& c : cases) {
        SDL_JoystickSetVirtualHat(device, 0, c.hat);
        ExpectSteers(Read(), c.want, "hat");
    }
    SDL_JoystickSetVirtualHat(device, 0, SDL_HAT_CENTERED);
    SDL_JoystickSetVirtualAxis(device, 0, 32767);
    ExpectSteers(Read(), {1, 0}, "stick right");
    SDL_JoystickSetVirtualButton(device, 1, SDL_PRESSED);
    Read();
    EXPECT_EQ(JoystickButton(1), 0);
    EXPECT_EQ(JoystickButton(2), 0x80);
}

TEST_F(SdlPads, APadPluggedInAfterStartUpIsReadAtOnceAndNothingStaysPressedWhenItGoes) {
    ASSERT_EQ(InitJoystick(), 1) << "the pad service opens with no pad";
    EXPECT_EQ(PollJoystick(), 0);
    AttachController();
    SDL_JoystickSetVirtualButton(device, SDL_CONTROLLER_BUTTON_DPAD_LEFT, SDL_PRESSED);
    SDL_JoystickSetVirtualButton(device, SDL_CONTROLLER_BUTTON_A, SDL_PRESSED);
    ExpectSteers(Read(), {-1, 0}, "plugged in");
    EXPECT_EQ(JoystickButton(1), 0x80);
    SDL_JoystickClose(device);
    device = nullptr;
    SDL_JoystickDetachVirtual(0);
    EXPECT_EQ(PollJoystick(), 0);
    EXPECT_EQ(JoystickX(), 0);
    EXPECT_EQ(JoystickButton(1), 0);
}

// A mapping in the player's settings folder reaches SDL when the pads are
// opened. (SDL looks no mapping up for its virtual devices, so a made-up
// USB pad stands in.)
TEST_F(SdlPads, ThePlayersMappingFileIsRead) {
    const char* guid = "03000000aa5500001001000000000000";
    TempDir config;
    std::filesystem::create_directories(config.File("gulpkin"));
    std::ofstream(config.File("gulpkin/gamecontrollerdb.txt"))
        << "# the player's pads\n"
        << guid << ",Player Pad,a:b1,b:b0,dpup:h0.1,dpdown:h0.4,dpleft:h0.8,dpright:h0.2,platform:Linux,\n";
    setenv("XDG_CONFIG_HOME", config.File("").c_str(), 1);
    ASSERT_EQ(InitJoystick(), 1);
    unsetenv("XDG_CONFIG_HOME");
    char* mapping = SDL_GameControllerMappingForGUID(SDL_JoystickGetGUIDFromString(guid));
    ASSERT_NE(mapping, nullptr);
    EXPECT_NE(std::string(mapping).find("Player Pad"), std::string::npos);
    SDL_free(mapping);
}

}  // namespace
