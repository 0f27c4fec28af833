// A private Xvfb, screenshots and shell commands; see x_server.h.
#include "tests/support/x_server.h"

#include "tests/support/pictures.h"

#include <csignal>
#include <cstdlib>
#include <sys/wait.h>
#include <unistd.h>

// Xvfb picks a free display number and reports it on a pipe.
bool PrivateXServer::Start(int width, int height) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) return false;
    pid_ = fork();
    if (pid_ == 0) {
        close(pipeEnds[0]);
        std::string fd = std::to_string(pipeEnds[1]);
        std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", screen.c_str(), "-nolisten", "tcp",
               static_cast<char*>(nullptr));
        _exit(127);
    }
    close(pipeEnds[1]);
    std::string number;
    char c;
    while (pid_ > 0 && read(pipeEnds[0], &c, 1) == 1 && c != '\n') number += c;
    close(pipeEnds[0]);
    if (number.empty()) return false;
    setenv("DISPLAY", (":" + number).c_str(), 1);
    return true;
}

PrivateXServer::~PrivateXServer() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
}

bool Shell(const std::string& command) {
    return std::system((command + " >/dev/null 2>&1").c_str()) == 0;
}

bool ScreenShot(DecodedPicture& shot) {
    TempDir dir;
    std::string file = dir.File("root.bmp");
    if (!Shell("import -window root -type TrueColor BMP3:" + file)) return false;
    std::vector<uint8_t> bytes = ReadBytes(file);
    return DecodePicture(bytes.data(), bytes.size(), shot);
}

uint16_t PixelAt(const DecodedPicture& picture, int x, int y) {
    return picture.pixels[static_cast<size_t>(y) * picture.width + x];
}
