// Time, the local clock and the per-user data directory on SDL. Resting
// differs between the desktop and a browser (sdl_rest_*.cpp).
#include "platform/machine.h"
#include "platform/platform.h"

#include <SDL.h>
#include <ctime>

namespace platform {

uint32_t machine::TickCount() { return SDL_GetTicks(); }
uint64_t CounterNow() { return SDL_GetPerformanceCounter(); }
uint64_t CounterFrequency() { return SDL_GetPerformanceFrequency(); }

std::string UserDataDirectory() {
    char* path = SDL_GetPrefPath("", "gulpkin");
    if (!path) return "";
    std::string directory = path;
    SDL_free(path);
    return directory;
}

bool KeepsFilesInWorkingFolder() {
    return false;
}

LocalTime machine::LocalClock() {
    std::time_t now = std::time(nullptr);
    std::tm fields{};
    localtime_r(&now, &fields);
    LocalTime t;
    t.year = fields.tm_year + 1900;
    t.month = fields.tm_mon + 1;
    t.day = fields.tm_mday;
    t.hour = fields.tm_hour;
    t.minute = fields.tm_min;
    t.second = fields.tm_sec;
    return t;
}

}  // namespace platform
