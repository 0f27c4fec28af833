// An Xvfb server of a test's own, so that windows of tests running beside it
// never cover its windows: Xvfb picks a free display number and reports it
// once it is ready, and DISPLAY then points at it. Every test that needs an
// X server starts it here, the one place that chooses display numbers.
#pragma once

#include <sys/types.h>

class PrivateXServer {
public:
    PrivateXServer() = default;
    PrivateXServer(const PrivateXServer&) = delete;
    PrivateXServer& operator=(const PrivateXServer&) = delete;
    ~PrivateXServer() { Stop(); }

    // starts Xvfb with one screen of that geometry ("1024x768x24") and points
    // DISPLAY at it; false when three starts did not report ready within ten
    // seconds each
    bool Start(const char* screen);
    // ends the server (harmless when none runs)
    void Stop();

private:
    bool StartOnce(const char* screen);
    pid_t pid_ = -1;
};
