// A crash in the switched full screen would leave the desktop in the game's
// display mode; see sdl_crash_rescue.h.
//
// A watcher process, forked before the first switch, reads the screens'
// modes over an X connection of its own and then waits on one end of a
// socket pair whose other end only the game holds. An orderly close of the
// display says "done" and the watcher leaves without touching anything.
// When the game's end closes without it (a crash signal, SIGKILL, the
// out-of-memory killer), the game is gone and the watcher gives every screen
// the mode it had. The game itself catches no crash signal: the signal ends
// it as it would have, with its core dump, and no lock the crash left taken
// matters to another process.
#include "platform/sdl/sdl_crash_rescue.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr char kReady = 'R';
constexpr char kDone = 'D';
constexpr int kReadyWaitMs = 3000;  // an X connection and a few requests, on a busy machine
constexpr int kWatcherEnd = 3;      // the watcher's descriptor for its end

struct Watcher {
    pid_t pid = -1;
    int end = -1;  // the game's end of the socket pair
};
Watcher watcher;

struct CrtcMode {
    RRCrtc crtc = 0;
    RRMode mode = 0;
    int x = 0, y = 0;
    Rotation rotation = RR_Rotate_0;
    std::vector<RROutput> outputs;
};

struct ScreenModes {
    int width = 0, height = 0, widthMm = 0, heightMm = 0;
    std::vector<CrtcMode> crtcs;
};

int IgnoreError(Display*, XErrorEvent*) { return 0; }

ScreenModes ReadModes(Display* x) {
    ScreenModes screen;
    int s = DefaultScreen(x);
    // the root window's size now (Xlib's own figures are those it connected with)
    Window root;
    int at = 0;
    unsigned width = 0, height = 0, border = 0, depth = 0;
    XGetGeometry(x, DefaultRootWindow(x), &root, &at, &at, &width, &height, &border, &depth);
    screen.width = static_cast<int>(width);
    screen.height = static_cast<int>(height);
    screen.widthMm = DisplayWidthMM(x, s);
    screen.heightMm = DisplayHeightMM(x, s);
    XRRScreenResources* resources = XRRGetScreenResourcesCurrent(x, DefaultRootWindow(x));
    if (resources == nullptr) return screen;
    for (int i = 0; i < resources->ncrtc; ++i) {
        XRRCrtcInfo* info = XRRGetCrtcInfo(x, resources, resources->crtcs[i]);
        if (info == nullptr) continue;
        screen.crtcs.push_back({resources->crtcs[i], info->mode, info->x, info->y, info->rotation,
                                std::vector<RROutput>(info->outputs, info->outputs + info->noutput)});
        XRRFreeCrtcInfo(info);
    }
    XRRFreeScreenResources(resources);
    return screen;
}

// Each screen whose mode changed gets its own back; the root window grows
// first when it must hold the old modes, and shrinks last.
void GiveModesBack(Display* x, ScreenModes& saved) {
    ScreenModes now = ReadModes(x);
    bool grow = saved.width > now.width || saved.height > now.height;
    Window root = DefaultRootWindow(x);
    if (grow) XRRSetScreenSize(x, root, saved.width, saved.height, saved.widthMm, saved.heightMm);
    XRRScreenResources* resources = XRRGetScreenResourcesCurrent(x, root);
    for (size_t i = 0; resources != nullptr && i < saved.crtcs.size() && i < now.crtcs.size(); ++i) {
        CrtcMode& was = saved.crtcs[i];
        const CrtcMode& is = now.crtcs[i];
        if (was.mode == is.mode && was.x == is.x && was.y == is.y && was.rotation == is.rotation) continue;
        XRRSetCrtcConfig(x, resources, was.crtc, CurrentTime, was.x, was.y, was.mode, was.rotation,
                         was.outputs.data(), static_cast<int>(was.outputs.size()));
    }
    if (resources != nullptr) XRRFreeScreenResources(resources);
    if (!grow && (saved.width != now.width || saved.height != now.height)) {
        XRRSetScreenSize(x, root, saved.width, saved.height, saved.widthMm, saved.heightMm);
    }
    XSync(x, False);
}

// The watcher's whole life, in the forked child. Every descriptor of the
// game is closed first: a copy of the game's X connection held here would
// keep its window on the screen after a crash.
[[noreturn]] void Watch(int end) {
    if (dup2(end, kWatcherEnd) != kWatcherEnd) _exit(1);
    close_range(kWatcherEnd + 1, ~0U, 0);
    int quiet = open("/dev/null", O_RDWR | O_CLOEXEC);
    for (int standard = 0; standard < 3 && quiet >= 0; ++standard) dup2(quiet, standard);
    // the terminal's signals are for the game, which ends in order on them
    for (int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) std::signal(signal, SIG_IGN);
    XSetErrorHandler(IgnoreError);
    Display* x = XOpenDisplay(nullptr);
    if (x == nullptr) _exit(0);
    ScreenModes saved = ReadModes(x);
    char c = kReady;
    send(kWatcherEnd, &c, 1, MSG_NOSIGNAL);
    ssize_t got;
    while ((got = read(kWatcherEnd, &c, 1)) < 0 && errno == EINTR) {
    }
    if (got == 1 && c == kDone) _exit(0);
    GiveModesBack(x, saved);
    _exit(0);
}

// Waits, bounded, until the watcher has read the modes (or has given up).
void AwaitReady() {
    pollfd ready{watcher.end, POLLIN, 0};
    char c = 0;
    if (poll(&ready, 1, kReadyWaitMs) > 0 && read(watcher.end, &c, 1) == 1 && c == kReady) return;
}

}  // namespace

namespace sdl {

void RestoreDesktopModeOnCrash() {
    if (watcher.pid > 0) return;
    int ends[2];
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) return;
    pid_t pid = fork();
    if (pid == 0) {
        close(ends[0]);
        Watch(ends[1]);
    }
    close(ends[1]);
    if (pid < 0) {
        close(ends[0]);
        return;
    }
    watcher = Watcher{pid, ends[0]};
    AwaitReady();
}

void EndCrashRescue() {
    if (watcher.pid <= 0) return;
    char c = kDone;
    send(watcher.end, &c, 1, MSG_NOSIGNAL);  // a watcher already gone has nothing left to do
    close(watcher.end);
    // it leaves at once; a watcher that does not is left to the system
    for (int i = 0; i < 100 && waitpid(watcher.pid, nullptr, WNOHANG) == 0; ++i) usleep(2000);
    watcher = Watcher{};
}

}  // namespace sdl
