// An X server of a test's own (Xvfb) with a screen of a given size, so that
// windows of tests running beside it never cover its window; screenshots of
// its whole screen; and shell commands for xdotool.
#pragma once

#include "media/picture_decoding.h"

#include <string>
#include <sys/types.h>

class PrivateXServer {
public:
    // starts Xvfb and points DISPLAY at it; false when Xvfb could not start
    bool Start(int width, int height);
    ~PrivateXServer();

private:
    pid_t pid_ = -1;
};

// runs a shell command with its output dropped; true on exit code 0
bool Shell(const std::string& command);
// the whole X screen through ImageMagick's import; false when it failed
bool ScreenShot(DecodedPicture& shot);
// the 5:6:5 pixel of a picture at (x, y)
uint16_t PixelAt(const DecodedPicture& picture, int x, int y);
