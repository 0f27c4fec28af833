#include "tests/support/private_x_server.h"

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

void PrivateXServer::Stop() {
    EndBeside(pid_);
}
