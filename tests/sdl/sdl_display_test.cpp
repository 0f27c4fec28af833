// The real display under an X server (Xvfb in the test run): the window
// opens full screen, the refresh rule holds, a presented frame appears on the
// X screen scaled with its aspect ratio kept, and focus changes reach
// ScreenHasFocus. Skipped when there is no X display.
#include "pictures/bmp_writer.h"
#include "pictures/picture_decoding.h"
#include "platform/platform.h"
#include "pictures/screen.h"
#include "tests/support/pictures.h"
#include "tests/support/private_x_server.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <csignal>
#include <dlfcn.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// SDL loads the X11 and GL libraries at run time and unloads them when the
// display closes; what they keep for the process's life then shows up as
// leaks from unknown modules. Keeping them loaded lets the leak checker see
// where those blocks belong.
struct KeepDisplayLibrariesLoaded {
    KeepDisplayLibrariesLoaded() {
        for (const char* name : {"libX11.so.6", "libGL.so.1", "libGLX_mesa.so.0",
                                 "/usr/lib/x86_64-linux-gnu/dri/swrast_dri.so"}) {
            dlopen(name, RTLD_NOW | RTLD_NODELETE);
        }
    }
} keepDisplayLibrariesLoaded;

class RealDisplay : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        server = new PrivateXServer;
        serverReady = server->Start("1280x1024x24");
    }
    static void TearDownTestSuite() {
        delete server;
        server = nullptr;
    }

    void SetUp() override {
        ASSERT_TRUE(serverReady) << "Xvfb did not start";
        InitImageDecoders();
        InitScreen();
    }
    void TearDown() override { EndScreen(); }

    static PrivateXServer* server;
    static bool serverReady;

    bool Open(int refresh) {
        SetScreenRefresh(refresh);
        return OpenFullScreen(1024, 768, 16, "Gulpkin") != 0;
    }

public:
    // presents a few frames so that the X server has them and events arrive
    static void Settle() {
        for (int i = 0; i < 10; ++i) {
            PresentFrame();
            platform::SleepMs(20);
        }
    }
};

PrivateXServer* RealDisplay::server = nullptr;
bool RealDisplay::serverReady = false;

bool Shell(const std::string& command) {
    return std::system((command + " >/dev/null 2>&1").c_str()) == 0;
}

// The whole X screen, through ImageMagick's import, as a decoded picture.
bool ScreenShot(DecodedPicture& shot) {
    TempDir dir;
    std::string file = dir.File("root.bmp");
    if (!Shell("import -window root -type TrueColor BMP3:" + file)) return false;
    std::vector<uint8_t> bytes = ReadBytes(file);
    return DecodePicture(bytes.data(), bytes.size(), shot);
}

// Another program's window to give the focus to; its process id.
pid_t StartOtherWindow() {
    pid_t pid = fork();
    if (pid == 0) {
        execlp("xlogo", "xlogo", static_cast<char*>(nullptr));
        _exit(127);
    }
    return pid;
}

uint16_t At(const DecodedPicture& picture, int x, int y) {
    return picture.pixels[static_cast<size_t>(y) * picture.width + x];
}

TEST_F(RealDisplay, RefreshRateMustBeTheDisplaysOwn) {
    ASSERT_TRUE(Open(0));
    int rate = platform::DisplayRefreshRate();
    EndScreen();
    InitScreen();
    EXPECT_FALSE(Open(rate + 1));
    EXPECT_EQ(ScreenHasFocus(), 0);
    if (rate > 0) {
        EXPECT_TRUE(Open(rate));
    }
}

// Left half red, right half blue: the shown frame is scaled by the smaller
// of the two ratios and centred, with black bars.
void ExpectHalvesScaledWithBlackBars() {
    ASSERT_NE(MakeBlankSprite(1, 512, 768), 0);
    SetBlitTarget(1);
    FillScreen(0, 0, 255);
    SetBlitTarget(-1);
    FillScreen(255, 0, 0);
    DrawSpriteOpaque(1, 512, 0);
    DecodedPicture shot;
    // the first frames of a renderer may wait for its shaders to be built
    for (int attempt = 0; attempt < 10; ++attempt) {
        RealDisplay::Settle();
        if (!ScreenShot(shot)) GTEST_SKIP() << "ImageMagick's import is not available";
        if (At(shot, shot.width / 4, shot.height / 2) == 0xF800) break;
    }
    double scale = std::min(shot.width / 1024.0, shot.height / 768.0);
    int left = static_cast<int>((shot.width - 1024 * scale) / 2), top = static_cast<int>((shot.height - 768 * scale) / 2);
    int midY = shot.height / 2;
    EXPECT_EQ(At(shot, left + static_cast<int>(100 * scale), midY), 0xF800);
    EXPECT_EQ(At(shot, left + static_cast<int>(900 * scale), midY), 0x001F);
    EXPECT_EQ(At(shot, left + static_cast<int>(500 * scale), midY), 0xF800);  // the halves meet in the middle
    EXPECT_EQ(At(shot, left + static_cast<int>(524 * scale), midY), 0x001F);
    if (top > 2) {
        EXPECT_EQ(At(shot, shot.width / 2, top / 2), 0);
    }
    if (left > 2) {
        EXPECT_EQ(At(shot, left / 2, midY), 0);
    }
}

// Without a graphics card (Xvfb) the frame is scaled on the processor.
TEST_F(RealDisplay, FrameIsScaledIntoTheScreenWithBlackBars) {
    ASSERT_TRUE(Open(0));
    ExpectHalvesScaledWithBlackBars();
}

// The renderer way, as on a machine with a graphics card (here OpenGL
// emulated in software).
TEST_F(RealDisplay, FrameIsScaledTheSameThroughARenderer) {
    setenv("SDL_RENDER_DRIVER", "opengl", 1);
    bool opened = Open(0);
    unsetenv("SDL_RENDER_DRIVER");
    ASSERT_TRUE(opened);
    ExpectHalvesScaledWithBlackBars();
}

// Alt+Enter turns the full screen into a window of the game's size and back;
// the frame is shown whole in both, and the window picture that changes size
// with it is taken up again.
TEST_F(RealDisplay, AltEnterSwitchesBetweenFullScreenAndAWindow) {
    if (!Shell("command -v xdotool")) GTEST_SKIP() << "xdotool missing";
    ASSERT_TRUE(Open(0));
    FillScreen(255, 0, 0);
    Settle();
    DecodedPicture shot;
    if (!ScreenShot(shot)) GTEST_SKIP() << "ImageMagick's import is not available";
    const int edgeX = 4, midY = shot.height / 2;
    ASSERT_EQ(At(shot, edgeX, midY), 0xF800);  // full screen: the frame reaches the side

    auto pressAltEnter = [] {
        Shell("xdotool search --name '^Gulpkin$' windowfocus --sync key alt+Return");
        Settle();
        Settle();
    };
    pressAltEnter();
    ASSERT_TRUE(ScreenShot(shot));
    EXPECT_NE(At(shot, edgeX, midY), 0xF800);                   // a window now, the side is not the game's
    EXPECT_EQ(At(shot, shot.width / 2, shot.height / 2), 0xF800);  // but the frame is shown
    EXPECT_EQ(ScreenHasFocus(), 1);

    pressAltEnter();
    ASSERT_TRUE(ScreenShot(shot));
    EXPECT_EQ(At(shot, edgeX, midY), 0xF800);
}

TEST_F(RealDisplay, FocusFollowsTheWindow) {
    if (!Shell("command -v xdotool") || !Shell("command -v xlogo")) GTEST_SKIP() << "xdotool or xlogo missing";
    ASSERT_TRUE(Open(0));
    Settle();
    ASSERT_EQ(ScreenHasFocus(), 1);
    pid_t other = StartOtherWindow();
    ASSERT_GT(other, 0);
    Shell("xdotool search --sync --class xlogo windowfocus --sync");
    Settle();
    EXPECT_EQ(ScreenHasFocus(), 0);
    Shell("xdotool search --name '^Gulpkin$' windowfocus --sync");
    Settle();
    EXPECT_EQ(ScreenHasFocus(), 1);
    kill(other, SIGTERM);
    waitpid(other, nullptr, 0);
}

}  // namespace
