// On Windows a display mode switched by a program is given back by the
// system when the program ends, however it ends, so a crash needs no rescue.
#include "media/platform/sdl/sdl_display_mode.h"

namespace sdl {

void RestoreDesktopModeOnCrash() {}

}  // namespace sdl
