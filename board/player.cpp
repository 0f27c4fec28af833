// Player control: the keys (or the joystick) of one frame turned into a
// charge spent, a wish, the keys that act at once (Escape, F12), a turn and
// one step.
#include "board/player.h"

#include "core/board_outcomes.h"
#include "core/game_state.h"
#include "pictures/capture.h"
#include "input/input.h"
#include "pictures/screen.h"
#include "core/values.h"

namespace {

// How long a wish waits for a crossing where it can be taken, in ms.
constexpr int32_t kWishLifetime = 200;

bool JoystickOn() {
    return game.joystickPresent != 0;
}

bool SpaceHeld() {
    return IsKeyHeld(kKeySpace) != 0 || (JoystickOn() && JoystickButton(1) != 0);
}
bool LeftHeld() {
    return IsKeyHeld(kKeyLeft) != 0 || (JoystickOn() && JoystickX() == -1);
}
bool RightHeld() {
    return IsKeyHeld(kKeyRight) != 0 || (JoystickOn() && JoystickX() == 1);
}
bool DownHeld() {
    return IsKeyHeld(kKeyDown) != 0 || (JoystickOn() && JoystickY() == 1);
}
bool UpHeld() {
    return IsKeyHeld(kKeyUp) != 0 || (JoystickOn() && JoystickY() == -1);
}

void SpendCharge() {
    if (SpaceHeld() && game.frightened == 0 && game.frightCharges >= 1) {
        game.frightCharges -= 1;
        FrightenGhosts();
    }
}

// A held arrow becomes the wish unless it is the direction already travelled
// (so holding it never refreshes the wish's time). Later checks override
// earlier ones: up wins over down over right over left.
void WishFor(bool held, Direction wanted) {
    if (held && game.direction != wanted) {
        game.wish = wanted;
        game.wishTick = GetTickCount();
    }
}

void RecordWishes() {
    WishFor(LeftHeld(), Direction::Left);
    WishFor(RightHeld(), Direction::Right);
    WishFor(DownHeld(), Direction::Down);
    WishFor(UpHeld(), Direction::Up);
}

// Every frame F12 stays held writes the same file again.
void CaptureScreen() {
    GrabScreenToSprite(888, 0, 0, 1024, 768);
    SaveSpriteBitmap(888, "Capture_Gulpkin.bmp");
}

int8_t WallTowards(Direction side) {
    const GridState& grid = game.grid[kPlayerSlot];
    switch (side) {
        case Direction::Right: return grid.wallRight;
        case Direction::Left: return grid.wallLeft;
        case Direction::Up: return grid.wallTop;
        case Direction::Down: return grid.wallBottom;
        case Direction::None: break;
    }
    return 1;
}

// The wish becomes the direction when its side is open and either it keeps
// to the axis of the last step (anywhere, so reversing works between
// crossings) or the player stands on a crossing and turns onto the other axis.
void TurnTowardsWish() {
    Direction wish = game.wish;
    if (wish == Direction::None || WallTowards(wish) != 0) return;
    bool horizontal = wish == Direction::Left || wish == Direction::Right;
    int8_t sameAxis = horizontal ? game.lastStepHorizontal : game.lastStepVertical;
    int8_t otherAxis = horizontal ? game.lastStepVertical : game.lastStepHorizontal;
    if (sameAxis == 1 || (game.playerAtCellCentre == 1 && otherAxis == 1)) game.direction = wish;
}

void StepInDirection() {
    switch (game.direction) {
        case Direction::Right: StepRight(); break;
        case Direction::Left: StepLeft(); break;
        case Direction::Down: StepDown(); break;
        case Direction::Up: StepUp(); break;
        case Direction::None: break;
    }
}

}  // namespace

void ControlPlayer() {
    PollKeyboard();
    if (JoystickOn()) PollJoystick();
    SpendCharge();
    RecordWishes();
    if (IsKeyHeld(kKeyEscape) != 0) game.quitRequested = 1;
    if (IsKeyHeld(kKeyF12) != 0) CaptureScreen();
    if (GetTickCount() - game.wishTick > kWishLifetime) game.wish = Direction::None;
    TurnTowardsWish();
    StepInDirection();
}
