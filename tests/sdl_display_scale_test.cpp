// Whole-multiple scaling on the real display, under an X server of 1920 x
// 1080 (Xvfb): 2x does not fit, so the frame is shown 1:1, centred at
// (448, 156) with black around it, on the processor and through a renderer.
#include "media/platform/platform.h"
#include "media/screen.h"
#include "tests/support/x_server.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <dlfcn.h>

// libdbus keeps a block for the process's life once SDL has asked the
// session bus to hold off the screen saver.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libdbus-1.so\n";
}

namespace {

// What SDL's display libraries keep for the process's life stays
// attributable when they are never unloaded.
struct KeepDisplayLibrariesLoaded {
    KeepDisplayLibrariesLoaded() {
        for (const char* name : {"libX11.so.6", "libGL.so.1", "libGLX_mesa.so.0",
                                 "/usr/lib/x86_64-linux-gnu/dri/swrast_dri.so"}) {
            dlopen(name, RTLD_NOW | RTLD_NODELETE);
        }
    }
} keepDisplayLibrariesLoaded;

constexpr uint16_t kRed = 0xF800, kGreen = 0x07E0, kBlue = 0x001F, kBlack = 0;

class WholeMultiples : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        server = new PrivateXServer;
        if (!server->Start(1920, 1080)) unsetenv("DISPLAY");
    }
    static void TearDownTestSuite() {
        delete server;
        server = nullptr;
    }
    void SetUp() override {
        const char* display = std::getenv("DISPLAY");
        if (display == nullptr || *display == '\0') GTEST_SKIP() << "no X display";
        if (!Shell("command -v import")) GTEST_SKIP() << "ImageMagick's import is not available";
        InitImageDecoders();
        InitScreen();
        platform::DisplayChoice choice;
        choice.scaling = platform::FrameScaling::WholeMultiples;
        platform::ChooseDisplay(choice);
    }
    void TearDown() override {
        EndScreen();
        platform::ChooseDisplay(platform::DisplayChoice{});
    }

    // Green, with a red pixel in the top left corner and a blue one in the
    // bottom right: where they land shows the place and the scale.
    static void DrawMarkedFrame() {
        FillScreen(0, 255, 0);
        ASSERT_NE(MakeBlankSprite(1, 1, 1), 0);
        ASSERT_NE(MakeBlankSprite(2, 1, 1), 0);
        SetBlitTarget(1);
        FillScreen(255, 0, 0);
        SetBlitTarget(2);
        FillScreen(0, 0, 255);
        SetBlitTarget(-1);
        DrawSpriteOpaque(1, 0, 0);
        DrawSpriteOpaque(2, 1023, 767);
    }

    static void ExpectFrameOneToOneAt448x156() {
        DrawMarkedFrame();
        DecodedPicture shot;
        // the first frames of a renderer may wait for its shaders to be built
        for (int attempt = 0; attempt < 10; ++attempt) {
            for (int i = 0; i < 10; ++i) {
                PresentFrame();
                platform::SleepMs(20);
            }
            ASSERT_TRUE(ScreenShot(shot));
            if (PixelAt(shot, 960, 540) == kGreen) break;
        }
        ASSERT_EQ(shot.width, 1920);
        const struct {
            int x, y;
            uint16_t colour;
        } points[] = {{448, 156, kRed},    {449, 156, kGreen},   {448, 157, kGreen},   {447, 156, kBlack},
                      {448, 155, kBlack},  {1471, 923, kBlue},   {1470, 923, kGreen},  {1471, 922, kGreen},
                      {1472, 923, kBlack}, {1471, 924, kBlack},  {10, 540, kBlack},    {1910, 540, kBlack}};
        for (const auto& p : points) EXPECT_EQ(PixelAt(shot, p.x, p.y), p.colour) << p.x << "," << p.y;
    }

    static PrivateXServer* server;
};

PrivateXServer* WholeMultiples::server = nullptr;

TEST_F(WholeMultiples, FrameIsShownOneToOneInTheMiddleOnTheProcessor) {
    SetScreenRefresh(0);
    ASSERT_NE(OpenFullScreen(1024, 768, 16, "Gulpkin"), 0);
    ExpectFrameOneToOneAt448x156();
}

TEST_F(WholeMultiples, FrameIsShownOneToOneInTheMiddleThroughARenderer) {
    setenv("SDL_RENDER_DRIVER", "opengl", 1);
    SetScreenRefresh(0);
    bool opened = OpenFullScreen(1024, 768, 16, "Gulpkin") != 0;
    unsetenv("SDL_RENDER_DRIVER");
    ASSERT_TRUE(opened);
    ExpectFrameOneToOneAt448x156();
}

}  // namespace
