// SIGINT, SIGTERM and SIGHUP as requests to end the program. The handler
// only sets a flag; the game looks at it between frames and ends the way it
// ends on Escape, so that a recording is finished and the display restored.
#include "platform/machine.h"

#include <atomic>
#include <csignal>

namespace {

std::atomic<bool> signalled{false};
static_assert(std::atomic<bool>::is_always_lock_free, "the signal handler needs a lock-free flag");

void NoteSignal(int) { signalled.store(true); }

}  // namespace

namespace platform {

// SA_RESETHAND: a second signal finds the default action and ends the
// program at once, should the game be stuck somewhere it never looks.
void machine::CatchEndSignals() {
    struct sigaction action{};
    action.sa_handler = NoteSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESETHAND;
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) sigaction(signal, &action, nullptr);
}

bool machine::TakeEndSignal() { return signalled.exchange(false); }

}  // namespace platform
