// Keyboard and joystick: a snapshot of all 256 keys taken once per frame and
// then queried by scan code; the joystick read the same way as three-way
// directions and buttons. No key events, no repeat: a key counts only while
// it is held at the moment of a snapshot.
#pragma once

#include <span>

// scan codes the game reads
constexpr int kKeyEscape = 0x01;
constexpr int kKeySpace = 0x39;
constexpr int kKeyF1 = 0x3B;
constexpr int kKeyF2 = 0x3C;
constexpr int kKeyF3 = 0x3D;
constexpr int kKeyF10 = 0x44;
constexpr int kKeyF11 = 0x57;
constexpr int kKeyF12 = 0x58;
constexpr int kKeyUp = 0xC8;
constexpr int kKeyLeft = 0xCB;
constexpr int kKeyRight = 0xCD;
constexpr int kKeyDown = 0xD0;
constexpr int kAnyKey = -1;

// start-up: opens the keyboard; non-zero on success
int InitKeyboard();
// takes a new snapshot; non-zero if it was taken
int PollKeyboard();
// 0x80 if the key is down in the snapshot; for -1, 1 if any of 0..254 is down
int IsKeyHeld(int code);
// shut-down
void EndKeyboard();
// start-up: opens the joystick; non-zero if one can be read (where pads may
// be plugged in while the game runs, even before the first one is)
int InitJoystick();
// reads the joystick; non-zero if the read succeeded (0 while none is attached)
int PollJoystick();
// -1 left, 0, 1 right at the last read
int JoystickX();
// -1 up, 0, 1 down at the last read
int JoystickY();
// 0x80 if button n (1 = first) was pressed at the last read
int JoystickButton(int n);
// shut-down
void EndJoystick();
// A game controller's buttons by the numbers JoystickButton takes.
constexpr int kPadA = 1;
constexpr int kPadB = 2;
constexpr int kPadX = 3;
constexpr int kPadY = 4;
constexpr int kPadBack = 5;
constexpr int kPadStart = 7;
// a button of a game controller and the key it presses on a menu
struct PadPress {
    int button;
    int key;
};
// While one lives, every keyboard snapshot also holds the key of each listed
// button held on a game controller (a button held when it begins counts once
// let go); afterwards pads press no key. One screen at a time.
class PadPresses {
public:
    explicit PadPresses(std::span<const PadPress> presses);
    ~PadPresses();
    PadPresses(const PadPresses&) = delete;
    PadPresses& operator=(const PadPresses&) = delete;
};
// Lets the machine take its window events (a close, a signal, Alt+Enter act
// at once) and rest a moment, between two reads of a wait for a key.
void RestBetweenReads();
// the game never reads the mouse; these only keep the start-up order
int InitMouse();
void EndMouse();
