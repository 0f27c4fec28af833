#include "tests/support/private_x_server.h"

#include <csignal>
#include <cstdlib>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// the display number Xvfb writes on `fd` once it is ready (within ten seconds)
std::string ReadLine(int fd) {
    std::string line;
    pollfd ready{fd, POLLIN, 0};
    char c;
    while (poll(&ready, 1, 10000) > 0 && read(fd, &c, 1) == 1 && c != '\n') line += c;
    return line;
}

}  // namespace

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
        close(ends[0]);
        std::string fd = std::to_string(ends[1]);
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", screen, "-nolisten", "tcp",
               static_cast<char*>(nullptr));
        _exit(127);
    }
    close(ends[1]);
    std::string number = pid_ > 0 ? ReadLine(ends[0]) : "";
    close(ends[0]);
    if (number.empty()) return false;
    setenv("DISPLAY", (":" + number).c_str(), 1);
    return true;
}

void PrivateXServer::Stop() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
    pid_ = -1;
}
