// The machine's own answers, as each backend gives them.
//
// The seam calls of the same names (platform.h) that hand the game an answer
// from the machine pass through the journal (media/platform/journal), which
// records each answer or, in a replay, gives the recorded one back without
// asking the machine. The backends define these; only the journal calls them
// (and the headless driver's dumps, which are no part of the game).
#pragma once

#include "media/platform/platform.h"

namespace platform::machine {

uint32_t TickCount();
LocalTime LocalClock();
bool OpenDisplay(int width, int height, int refreshHz, const std::string& title);
void CloseDisplay();
int DisplayRefreshRate();
void PresentPixels(const uint16_t* pixels, int width, int height, int pitch);
bool WindowHasFocus();
uint64_t FreeVideoBytes();
bool OpenKeyboard();
bool ReadKeyboard(uint8_t keys[256]);
bool OpenJoystick();
bool ReadJoystick(JoystickReading& reading);
bool OpenAudio(AudioCallback callback, void* user);
bool ReadWholeFile(const std::string& gamePath, std::vector<uint8_t>& out);
// whether the game's path names a file of the asset pack (graph, font, wav, music)
bool IsAssetFile(const std::string& gamePath);

}  // namespace platform::machine
