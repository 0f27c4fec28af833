// Ctrl+C, Ctrl+Break and the closing of the console as requests to end the
// program. The handler runs on a thread of its own and only sets a flag; the
// game looks at it between frames and ends the way it ends on Escape, so
// that a recording is finished and the display restored.
#include "platform/machine.h"

#include <windows.h>

#include <atomic>

namespace {

std::atomic<bool> signalled{false};

BOOL WINAPI NoteConsoleEvent(DWORD event) {
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT && event != CTRL_CLOSE_EVENT) return FALSE;
    // a second request finds the flag still set and lets Windows end the program
    return signalled.exchange(true) ? FALSE : TRUE;
}

}  // namespace

namespace platform {

void machine::CatchEndSignals() { SetConsoleCtrlHandler(NoteConsoleEvent, TRUE); }

bool machine::TakeEndSignal() { return signalled.exchange(false); }

}  // namespace platform
