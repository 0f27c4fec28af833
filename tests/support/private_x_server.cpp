#include "tests/support/private_x_server.h"

#include "input/input.h"
#include "pictures/picture_decoding.h"
#include "pictures/screen.h"

#include <X11/Xlib.h>

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

const char* waitedFor = "";

// bounded: xdotool's --sync waits for ever for a window that never comes
bool Shell(const std::string& command) {
    return std::system(("timeout 20 " + command + " >/dev/null 2>&1").c_str()) == 0;
}

void GiveUp(int) {
    const char text[] = "gave up waiting for: ";
    ssize_t ignored = write(2, text, sizeof text - 1);
    ignored = write(2, waitedFor, std::strlen(waitedFor));
    ignored = write(2, "\n", 1);
    (void)ignored;
    _exit(1);
}

}  // namespace

void EndWithTheTestProgram() {
    pid_t parent = getppid();
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != parent) _exit(1);  // it ended before the line above
}

pid_t StartBeside(const std::string& command) {
    pid_t pid = fork();
    if (pid == 0) {
        EndWithTheTestProgram();
        execl("/bin/sh", "sh", "-c", ("exec " + command + " >/dev/null 2>&1").c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    return pid;
}

void EndBeside(pid_t& pid) {
    if (pid > 0) kill(pid, SIGTERM), waitpid(pid, nullptr, 0);
    pid = -1;
}

// A window manager names its check window on the root window and on the
// check window itself. One that ended leaves the root's property behind, but
// not its window: the property names a window that answers only while a
// window manager runs. (Before any, xprop answers "no such atom on any
// window".)
bool WindowManagerRuns() {
    return Shell("sh -c 'w=$(xprop -root _NET_SUPPORTING_WM_CHECK | grep -o \"0x[0-9a-f]*\") && "
                 "xprop -id \"$w\" _NET_SUPPORTING_WM_CHECK | grep -q \"$w\"'");
}

// asks the window manager to activate the game's window, then whether it did
bool ActiveWindowIsTheGame() {
    return Shell("xdotool search --onlyvisible --name '^Gulpkin$' windowactivate --sync") &&
           Shell("sh -c 'test \"$(xdotool getactivewindow)\" = \"$(xdotool search --onlyvisible --name ^Gulpkin$ | head -1)\"'");
}

namespace {

// the first viewable window under `top` (itself included) named `name`
Window FindViewable(Display* display, Window top, const char* name) {
    XWindowAttributes attributes{};
    char* title = nullptr;
    bool found = XGetWindowAttributes(display, top, &attributes) && attributes.map_state == IsViewable &&
                 XFetchName(display, top, &title) && std::strcmp(title, name) == 0;
    if (title) XFree(title);
    if (found) return top;
    Window root = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    Window match = 0;
    if (XQueryTree(display, top, &root, &parent, &children, &count)) {
        for (unsigned i = 0; i < count && !match; ++i) match = FindViewable(display, children[i], name);
        if (children) XFree(children);
    }
    return match;
}

}  // namespace

bool AskTheWindowManagerToClose(const char* name) {
    Display* display = XOpenDisplay(nullptr);
    if (!display) return false;
    Window root = DefaultRootWindow(display);
    Window window = FindViewable(display, root, name);
    if (window) {
        XEvent request{};
        request.xclient.type = ClientMessage;
        request.xclient.window = window;
        request.xclient.message_type = XInternAtom(display, "_NET_CLOSE_WINDOW", False);
        request.xclient.format = 32;
        request.xclient.data.l[0] = CurrentTime;
        request.xclient.data.l[1] = 2;  // from a pager or task bar: acted on as the user's own
        XSendEvent(display, root, False, SubstructureRedirectMask | SubstructureNotifyMask, &request);
        XSync(display, False);
    }
    XCloseDisplay(display);
    return window != 0;
}

std::string ReadDisplayNumber(int fd) {
    std::string line;
    pollfd ready{fd, POLLIN, 0};
    char c;
    while (poll(&ready, 1, 10000) > 0 && read(fd, &c, 1) == 1 && c != '\n') line += c;
    return line;
}

bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds bound) {
    auto end = std::chrono::steady_clock::now() + bound;
    for (;; std::this_thread::sleep_for(std::chrono::milliseconds(50))) {
        if (done()) return true;
        if (std::chrono::steady_clock::now() > end) return false;
    }
}

WaitBound::WaitBound(unsigned seconds, const char* what) {
    waitedFor = what;
    std::signal(SIGALRM, GiveUp);
    alarm(seconds);
}

WaitBound::~WaitBound() {
    alarm(0);
}

// Xvfb with -displayfd picks a free display number itself; a server that
// ends before reporting one (a busy machine, another server starting at the
// same moment) is started again, three times at most.
bool PrivateXServer::Start(const char* screen) {
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (StartOnce(screen)) return true;
        Stop();
    }
    return false;
}

bool PrivateXServer::StartOnce(const char* screen) {
    int ends[2];
    if (pipe(ends) != 0) return false;
    pid_ = fork();
    if (pid_ == 0) {
        EndWithTheTestProgram();
        close(ends[0]);
        std::string fd = std::to_string(ends[1]);
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", screen, "-nolisten", "tcp",
               static_cast<char*>(nullptr));
        _exit(127);
    }
    close(ends[1]);
    std::string number = pid_ > 0 ? ReadDisplayNumber(ends[0]) : "";
    close(ends[0]);
    if (number.empty()) return false;
    setenv("DISPLAY", (":" + number).c_str(), 1);
    return true;
}

// xprop watching a property of the root window stays connected; its first
// line says it is.
bool PrivateXServer::HoldOpen() {
    if (holder_ > 0) return true;
    int ends[2];
    if (pipe(ends) != 0) return false;
    holder_ = fork();
    if (holder_ == 0) {
        EndWithTheTestProgram();
        close(ends[0]);
        dup2(ends[1], 1);
        execlp("xprop", "xprop", "-root", "-spy", "WM_NAME", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(ends[1]);
    holderOutput_ = ends[0];  // kept open: a line more must not end it
    bool connected = holder_ > 0 && !ReadDisplayNumber(holderOutput_).empty();
    if (!connected) EndBeside(holder_);
    return connected;
}

// Openbox names its check window before it has finished starting; a small
// window of another program, framed, shows that it maps new windows. One that
// does not frame it within its bound (seen, rarely, on a loaded machine) is
// started again, twice at most.
bool PrivateXServer::StartOpenbox(std::string& why) {
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (!StartOpenboxOnce(why)) return false;
        pid_t probe = StartBeside("xlogo -name gulpkin-probe");
        bool framed = WaitUntil([] { return Shell("xprop -name gulpkin-probe _NET_FRAME_EXTENTS | grep -q ="); },
                                std::chrono::seconds(10));
        EndBeside(probe);
        if (framed) return true;
        StopOpenbox();
    }
    why = "openbox did not frame a new window within 10 s, three times";
    return false;
}

bool PrivateXServer::StartOpenboxOnce(std::string& why) {
    if (!HoldOpen()) return why = "no client could hold the server open", false;
    openbox_ = StartBeside("openbox --sm-disable");
    bool ended = false;
    bool manages = WaitUntil(
        [&] {
            ended = waitpid(openbox_, nullptr, WNOHANG) == openbox_;
            return ended || WindowManagerRuns();
        },
        std::chrono::seconds(20));
    if (ended) openbox_ = -1;
    if (ended) return why = "openbox ended before it managed the screen", false;
    if (!manages) return why = "openbox did not manage the screen within 20 s", false;
    return true;
}

void PrivateXServer::StopOpenbox() {
    EndBeside(openbox_);
}

void PrivateXServer::Stop() {
    EndBeside(openbox_);
    EndBeside(holder_);
    if (holderOutput_ >= 0) close(holderOutput_);
    holderOutput_ = -1;
    EndBeside(pid_);
}

::testing::AssertionResult OpenTheGameWindow() {
    InitImageDecoders();
    InitScreen();
    {
        WaitBound bound(20, "the game's window to be mapped (20 s)");
        if (OpenFullScreen(1024, 768, 16, "Gulpkin") == 0) return ::testing::AssertionFailure() << "no window opened";
    }
    if (InitKeyboard() != 1) return ::testing::AssertionFailure() << "the keyboard could not be read";
    if (!Shell("xdotool search --sync --onlyvisible --name '^Gulpkin$' windowfocus --sync")) {
        return ::testing::AssertionFailure() << "the game's window was not visible and focused within 20 s";
    }
    if (!WindowManagerRuns()) return ::testing::AssertionSuccess();
    // A window manager takes its keys once it has framed the window, and acts
    // (closes on Alt+F4) on the window it made active itself: asked through
    // it, its focus and the server's agree.
    if (!WaitUntil([] { return Shell("xprop -name Gulpkin _NET_FRAME_EXTENTS | grep -q ="); }, std::chrono::seconds(20))) {
        return ::testing::AssertionFailure() << "the window manager did not frame the game's window within 20 s";
    }
    if (!WaitUntil([] { return ActiveWindowIsTheGame(); }, std::chrono::seconds(20))) {
        return ::testing::AssertionFailure() << "the window manager did not make the game's window active within 20 s";
    }
    return ::testing::AssertionSuccess();
}
