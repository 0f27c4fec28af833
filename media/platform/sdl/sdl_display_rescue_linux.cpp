// A crash in the switched full screen would leave the desktop in the game's
// display mode; see sdl_display_mode.h.
#include "media/platform/sdl/sdl_display_mode.h"

#include <csignal>
#include <pthread.h>
#include <unistd.h>

namespace {

constexpr int kCrashSignals[] = {SIGSEGV, SIGABRT, SIGBUS, SIGFPE};
struct sigaction previousActions[4];
bool installed = false;
pthread_t gameThread;  // the one that talks to the window system

// Only the game thread talks to the window system, so a signal taken by
// another thread (the sound's, say) is handed to it. Giving the mode back
// takes SDL's locks; if the crash left one taken, the alarm ends the
// program after two seconds instead of a hang. Then the signal's previous
// action comes back and the signal is raised again, to end the program as
// it would have.
void GiveTheModeBack(int signal) {
    if (!pthread_equal(pthread_self(), gameThread)) {
        pthread_kill(gameThread, signal);
        return;
    }
    SDL_Window* window = TheDisplay().window;
    if (window != nullptr && (SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN_DESKTOP) == SDL_WINDOW_FULLSCREEN) {
        std::signal(SIGALRM, SIG_DFL);
        alarm(2);
        SDL_SetWindowFullscreen(window, 0);
    }
    for (int i = 0; i < 4; ++i) {
        if (kCrashSignals[i] == signal) sigaction(signal, &previousActions[i], nullptr);
    }
    raise(signal);
}

}  // namespace

namespace sdl {

void RestoreDesktopModeOnCrash() {
    if (installed) return;
    installed = true;
    gameThread = pthread_self();
    struct sigaction action {};
    action.sa_handler = GiveTheModeBack;
    sigemptyset(&action.sa_mask);
    for (int i = 0; i < 4; ++i) sigaction(kCrashSignals[i], &action, &previousActions[i]);
}

}  // namespace sdl
