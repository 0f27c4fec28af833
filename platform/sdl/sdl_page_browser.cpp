// The calls into the page; see sdl_page.h. Each hook is answered by the
// function of web/page.js named here.
#include "platform/sdl/sdl_page.h"
#include "platform/files/file_written.h"
#include "platform/platform.h"

#include <emscripten.h>

namespace {

struct PageClock {
    double nextFrame = 0;     // ms on the page's clock: when the next frame may follow
    double frameStarted = 0;  // when the game started on the current frame
    double backFromPage = 0;  // when the page last handed control back
};

// Timers wake late on a busy machine: a wait rests until this close to its
// end and watches the clock for the rest.
constexpr double kWatchedMs = 3.0;
// The page has control at least this often, frames or not; a frame's own
// work stays well within it.
constexpr double kLongestAwayMs = 8.0;
// Frames late by up to this many steps are made up for; later ones are
// given up and the steps start again from the present frame.
constexpr double kMadeUpSteps = 8.0;

PageClock& TheClock() {
    static PageClock clock;
    return clock;
}

// page.js rest(): the page's promise settles on one of its own timers or messages, never by
// blocking.
EM_ASYNC_JS(void, WaitInPage, (double ms), { await Module.rest(ms); });

// page.js awaitPlayer(): settles once the player has asked to play. The game
// starts as soon as the page is loaded and does its start-up work and pauses
// while the page waits for the player; its first frame waits for the player.
EM_ASYNC_JS(void, WaitForPlayer, (), { await Module.awaitPlayer(); });

// straight into the canvas's 2D context, which page.js hands over as Module.canvas
EM_JS(void, PutOnCanvas, (const uint8_t* rows, int width, int height, int top), {
    var context = Module.canvasContext || (Module.canvasContext = Module.canvas.getContext('2d'));
    var bytes = new Uint8ClampedArray(HEAPU8.buffer, rows, width * height * 4);
    context.putImageData(new ImageData(bytes, width, height), 0, top);
});

}  // namespace

namespace sdl {

void PutRowsOnCanvas(const uint8_t* picture, int pitchBytes, int top, int count) {
    if (EM_ASM_INT({ return Module.playerAwaited(); }) != 0) {  // page.js playerAwaited()
        WaitForPlayer();
        TheClock().frameStarted = TheClock().backFromPage = emscripten_get_now();
    }
    PutOnCanvas(picture + static_cast<size_t>(top) * pitchBytes, pitchBytes / 4, count, top);
}

void RestInPage(double ms) {
    WaitInPage(ms);
    TheClock().backFromPage = emscripten_get_now();
}

void LetPageRunIfOverdue() {
    if (emscripten_get_now() - TheClock().backFromPage > kLongestAwayMs) RestInPage(0);
}

void EndFrameInPage(bool shown) {
    constexpr double kStepMs = 1000.0 / kPageFramesPerSecond;
    PageClock& clock = TheClock();
    double now = emscripten_get_now();
    if (shown) EM_ASM({ Module.framePresented($0); }, now - clock.frameStarted);  // page.js framePresented()
    clock.nextFrame += kStepMs;
    if (clock.nextFrame < now - kMadeUpSteps * kStepMs) clock.nextFrame = now;
    // the browser shows the canvas and delivers events at least once a frame
    double left = clock.nextFrame - now;
    RestInPage(left > kWatchedMs + 1.0 ? static_cast<int>(left - kWatchedMs) : 0);
    while (emscripten_get_now() < clock.nextFrame) {
    }
    clock.frameStarted = emscripten_get_now();
    clock.backFromPage = clock.frameStarted;
}

void TellPageGameEnded(int code) {
    EM_ASM({ Module.gameEnded($0); }, code);  // page.js gameEnded()
}

}  // namespace sdl

namespace platform {

// the best score goes to the browser's storage, a capture to a download
void TellFileWritten(const std::string& hostPath) {
    EM_ASM({ if (Module.onFileWritten) Module.onFileWritten(UTF8ToString($0)); }, hostPath.c_str());  // page.js fileWritten()
}

// page.js showingScreen(): the page shows the controls of that screen
void ShowingScreen(ShownScreen screen) {
    EM_ASM({ Module.showingScreen($0); }, static_cast<int>(screen));
}

}  // namespace platform
