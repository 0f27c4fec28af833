// The machine's own answers, as each backend gives them.
//
// The seam calls of the same names (platform.h) that hand the game an answer
// from the machine pass through the journal (platform/journal), which
// records each answer or, in a replay, gives the recorded one back without
// asking the machine. The backends define these; only the journal calls them
// (and the headless driver's dumps, which are no part of the game).
#pragma once

#include "platform/platform.h"

namespace platform::machine {

uint32_t TickCount();
LocalTime LocalClock();
bool OpenDisplay(int width, int height, int refreshHz, const std::string& title);
void CloseDisplay();
int DisplayRefreshRate();
void PresentPixels(const uint16_t* pixels, int width, int height, int pitch);
// takes the window system's events off the queue (SDL notes a close here)
void PumpWindowEvents();
bool WindowHasFocus();
uint64_t FreeVideoBytes();
bool OpenKeyboard();
bool ReadKeyboard(uint8_t keys[256]);
bool OpenJoystick();
bool ReadJoystick(JoystickReading& reading);
bool OpenAudio(AudioCallback callback, void* user);
bool ReadWholeFile(const std::string& gamePath, std::vector<uint8_t>& out, size_t limit);
// The player asked to end the program: the window was closed, or the
// program got SIGINT, SIGTERM or SIGHUP. A backend notes a close with
// RequestEnd; TakeEndRequest says whether any request came since it was
// last asked, and forgets it.
void RequestEnd();
bool TakeEndRequest();
// makes SIGINT, SIGTERM and SIGHUP requests to end (a second one of them
// ends the program at once, in case the game never looks again)
void CatchEndSignals();
// whether one of those signals came since the last call, forgetting it
bool TakeEndSignal();
// whether the game's path names a file of the asset pack (graph, font, wav, music)
bool IsAssetFile(const std::string& gamePath);

}  // namespace platform::machine
