// Sprite numbers that several screens share. The maze backgrounds of the ten
// layouts are sprites 100..109; the working background, 110, is the copy the
// frame loop draws the board on and the screens draw over.
#pragma once

constexpr int kWorkingBackground = 110;
constexpr int kFirstMazeBackground = 100;

// the background sprite of a maze layout (1..10)
constexpr int MazeBackground(int layout) {
    return kFirstMazeBackground - 1 + layout;
}
