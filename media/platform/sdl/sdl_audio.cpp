// The audio device and the system beep on SDL. Placeholder: silent.
#include "media/platform/platform.h"

#include <SDL.h>

namespace platform {

bool OpenAudio(AudioCallback, void*) { return false; }
void LockAudio() {}
void UnlockAudio() {}
void CloseAudio() {}
void SystemBeep(int, int durationMs) { SDL_Delay(durationMs > 0 ? durationMs : 0); }

}  // namespace platform
