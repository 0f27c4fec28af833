// Requests to end the program, from the window system or from a signal,
// gathered for the seam's PumpWindowEvents.
#include "platform/machine.h"
#include "platform/platform.h"

namespace {

bool endRequested = false;

}  // namespace

namespace platform {

void machine::RequestEnd() { endRequested = true; }

bool machine::TakeEndRequest() {
    bool requested = endRequested;
    endRequested = false;
    return TakeEndSignal() || requested;
}

}  // namespace platform
