// On Windows a display mode switched by a program is given back by the
// system when the program ends, however it ends, so a crash needs no rescue.
#include "platform/sdl/sdl_crash_rescue.h"

namespace sdl {

void RestoreDesktopModeOnCrash() {}
void EndCrashRescue() {}

}  // namespace sdl
