// An Xvfb server of a test's own, so that windows of tests running beside it
// never cover its windows: Xvfb picks a free display number and reports it
// once it is ready, and DISPLAY then points at it. Every test that needs an
// X server starts it here, the one place that chooses display numbers.
//
// Every process started here (the server, a window manager, a program beside
// the test) is ended with the test program, even when that is killed, and
// every wait is bounded: a test that hangs says what it waited for.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <sys/types.h>

class PrivateXServer {
public:
    PrivateXServer() = default;
    PrivateXServer(const PrivateXServer&) = delete;
    PrivateXServer& operator=(const PrivateXServer&) = delete;
    ~PrivateXServer() { Stop(); }

    // starts Xvfb (the server's default reset kept) with one screen of that
    // geometry ("1024x768x24") and points DISPLAY at it; false when three
    // starts did not report ready within ten seconds each
    bool Start(const char* screen);
    // keeps a client of the test's own connected until Stop(): the server
    // then never resets between the clients a test starts one after another
    // (a reset that meets a new client's connection loses that client);
    // true once that client is connected
    bool HoldOpen();
    // holds the server open, then starts openbox and waits until it manages
    // the screen (20 s at most); false, and `why` says what went wrong, when
    // it does not
    bool StartOpenbox(std::string& why);
    // ends openbox (harmless when none runs)
    void StopOpenbox();
    // ends openbox, the held client and the server (harmless when none runs)
    void Stop();

private:
    bool StartOnce(const char* screen);
    bool StartOpenboxOnce(std::string& why);
    pid_t pid_ = -1;
    pid_t holder_ = -1;
    int holderOutput_ = -1;
    pid_t openbox_ = -1;
};

// The game's full-screen window (1024x768) on the current display, opened as
// the game opens it, its keyboard read, the window visible and focused; each
// wait bounded at 20 s. Failed, naming the step, when one did not happen.
::testing::AssertionResult OpenTheGameWindow();

// Asks the window manager to close the viewable window of that name, as its
// close button or a task bar does (_NET_CLOSE_WINDOW): the manager passes the
// request on to the window's program. False when no such window is found.
bool AskTheWindowManagerToClose(const char* name);

// In a child between fork and exec: the child gets SIGKILL when the test
// program ends, however it ends.
void EndWithTheTestProgram();
// `command` (through sh) beside the test, its output dropped; its process id
pid_t StartBeside(const std::string& command);
// ends a process started beside the test and waits for it; sets it to -1
void EndBeside(pid_t& pid);
// the display number a server started on `fd` with -displayfd reports, ""
// when it reports none within ten seconds
std::string ReadDisplayNumber(int fd);

// Asks `done` every 50 ms until it answers true or `bound` has passed.
bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds bound);

// While it lives, a wait that cannot be bounded from outside (a library
// waiting for a window to be mapped) ends the test program after `seconds`
// with one line naming what it waited for, instead of hanging until the
// test runner's own limit.
class WaitBound {
public:
    WaitBound(unsigned seconds, const char* what);
    ~WaitBound();
    WaitBound(const WaitBound&) = delete;
    WaitBound& operator=(const WaitBound&) = delete;
};
