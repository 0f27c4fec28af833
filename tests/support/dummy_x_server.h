// An X server of a test's own on the dummy video driver (Xorg, run as root),
// which offers the display modes its configuration file lists and switches
// between them as a monitor would. It picks a free display number, keeps its
// log in a private folder, and DISPLAY then points at it.
#pragma once

#include "tests/support/pictures.h"

#include <string>
#include <sys/types.h>

class DummyXServer {
public:
    DummyXServer() = default;
    DummyXServer(const DummyXServer&) = delete;
    DummyXServer& operator=(const DummyXServer&) = delete;
    ~DummyXServer() { Stop(); }

    // starts Xorg with tests/<config> and points DISPLAY at it; false (with
    // `problem` set) when it did not report ready within ten seconds
    bool Start(const std::string& config, std::string& problem);
    void Stop();
    // the current mode as xrandr reports it, "1920x1080@60" (rounded rate)
    static std::string CurrentMode();

private:
    pid_t pid_ = -1;
    TempDir folder_;
};
