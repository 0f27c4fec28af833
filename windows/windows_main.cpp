// The game's entry on Windows. The program is built for the GUI subsystem, so
// that starting it from the Start menu or Explorer opens no console window.
// Started from a console, it joins that console, so that --help, --version
// and error messages are seen there; streams the caller redirected (to a
// file or a pipe) are kept. The manifest makes UTF-8 the program's code
// page, so the arguments and every file name the game hands the C library
// are UTF-8, whatever the player's folder is called.
#include "shell/command_line.h"

#include <windows.h>

#include <cstdio>

namespace {

bool HasStream(DWORD which) {
    HANDLE handle = GetStdHandle(which);
    return handle != nullptr && handle != INVALID_HANDLE_VALUE;
}

void JoinParentConsole() {
    bool out = HasStream(STD_OUTPUT_HANDLE), err = HasStream(STD_ERROR_HANDLE);
    if ((out && err) || !AttachConsole(ATTACH_PARENT_PROCESS)) return;
    if (!out) std::freopen("CONOUT$", "w", stdout);
    if (!err) std::freopen("CONOUT$", "w", stderr);
}

}  // namespace

int main(int argc, char* argv[]) {
    JoinParentConsole();
    return StartFromCommandLine(argc, argv);
}
