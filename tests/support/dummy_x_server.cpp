#include "tests/support/dummy_x_server.h"

#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <poll.h>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace {

std::string ReadLine(int fd) {
    std::string line;
    pollfd ready{fd, POLLIN, 0};
    char c;
    while (poll(&ready, 1, 10000) > 0 && read(fd, &c, 1) == 1 && c != '\n') line += c;
    return line;
}

}  // namespace

bool DummyXServer::Start(const std::string& config, std::string& problem) {
    if (geteuid() != 0) {
        problem = "Xorg with the dummy driver needs root";
        return false;
    }
    int ends[2];
    if (pipe(ends) != 0) return false;
    std::string path = std::string(GULPKIN_SOURCE_DIR) + "/tests/" + config;
    std::string log = folder_.File("xorg.log"), configDir = folder_.File("");
    pid_ = fork();
    if (pid_ == 0) {
        close(ends[0]);
        std::FILE* quiet = std::freopen("/dev/null", "w", stderr);  // its notices go to its log
        (void)quiet;
        std::string fd = std::to_string(ends[1]);
        execlp("Xorg", "Xorg", "-config", path.c_str(), "-configdir", configDir.c_str(), "-logfile", log.c_str(),
               "-displayfd", fd.c_str(), "-noreset", "-nolisten", "tcp", "-quiet", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(ends[1]);
    std::string number = pid_ > 0 ? ReadLine(ends[0]) : "";
    close(ends[0]);
    if (number.empty()) {
        problem = "Xorg did not start; see its log";
        Stop();
        return false;
    }
    setenv("DISPLAY", (":" + number).c_str(), 1);
    return true;
}

void DummyXServer::Stop() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
    pid_ = -1;
}

// The current mode's line: "   1024x768_75   74.90*+"; the size is the
// mode name's start, the rate the number marked with '*'.
std::string DummyXServer::CurrentMode() {
    std::FILE* pipe = popen("xrandr --current 2>/dev/null", "r");
    std::string result;
    for (char buffer[512]; pipe && std::fgets(buffer, sizeof buffer, pipe);) {
        std::string line = buffer;
        size_t star = line.find('*');
        if (line.rfind("   ", 0) != 0 || star == std::string::npos) continue;
        std::istringstream words(line);
        std::string name;
        words >> name;
        size_t start = line.rfind(' ', star) + 1;
        double rate = std::atof(line.substr(start, star - start).c_str());
        result = name.substr(0, name.find('_')) + "@" + std::to_string(std::lround(rate));
    }
    if (pipe) pclose(pipe);
    return result;
}
