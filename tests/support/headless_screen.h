// A fixture for tests of the display service on the headless backend: a
// fresh headless machine, the media services started as the game starts
// them, and the 1024 x 768 screen open at 75 Hz.
#pragma once

#include "pictures/drawing.h"
#include "pictures/picture_decoding.h"
#include "platform/headless/headless.h"
#include "pictures/screen.h"

#include <gtest/gtest.h>

class HeadlessScreen : public ::testing::Test {
protected:
    void SetUp() override { OpenWith(headless::Options{}); }
    void TearDown() override { EndScreen(); }

    // a fresh machine with these options and this script, and the screen open
    void OpenWith(const headless::Options& options, std::vector<headless::Command> script = {}) {
        headless::Configure(options, std::move(script));
        InitDrawing();
        InitImageDecoders();
        UseJpegDecoder();
        InitScreen();
        SetScreenRefresh(75);
        ASSERT_NE(OpenFullScreen(1024, 768, 16, "Gulpkin"), 0);
    }

    static uint16_t BackPixel(int x, int y) { return BackBufferPixels()[static_cast<size_t>(y) * BackBufferWidth() + x]; }
};
