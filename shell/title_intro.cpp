// The title intro: the banner waves in both directions over the fireworks
// for a fixed 790 frames, the ghost bares its teeth near the end, and sound 9
// plays once per showing.
#include "core/game_state.h"
#include "input/input.h"
#include "pictures/screen.h"
#include "sound/sound.h"
#include "core/values.h"
#include "shell/program_flow.h"
#include "shell/screen_steps.h"
#include "shell/title_phases.h"

namespace {

constexpr int kIntroFrames = 790;
constexpr int kBanner = 23;
constexpr int kCanvas = 25;
constexpr int kBannerColumns = 621;   // columns 0..620 of the banner
constexpr int kCanvasRows = 201;      // rows 0..200 of the canvas

// Each one-pixel column of the banner goes into the canvas shifted up or down
// by up to 20 pixels along a sine of period 360 columns. The canvas is never
// cleared: what a column does not cover keeps earlier frames' pixels.
void ComposeBannerWave() {
    SetBlitTarget(kCanvas);
    for (int i = 0; i < kBannerColumns; ++i) {
        SetSpriteFrame(kBanner, i, 0, 1, 160);
        DrawSpriteOpaque(kBanner, i, NearestInt(SinDegrees(static_cast<float>(i) + game.titleWavePhase) * 20.0f));
    }
    SetBlitTarget(-1);
}

// Each row of the canvas lands on the screen shifted sideways around x = 180
// by up to 23 pixels, covering screen rows 250 to 450.
void DrawCanvasWave() {
    for (int j = 0; j < kCanvasRows; ++j) {
        SetSpriteFrame(kCanvas, 0, j, 640, 1);
        float shift = SinDegrees(static_cast<float>(2 * j) + game.titleWavePhase) * 23.0f + 180.0f;
        DrawSpriteKeyed(kCanvas, NearestInt(shift), 250 + j);
    }
}

// The ghost, its first teeth from frame 701 to 739, its second teeth from
// frame 741 together with the intro's one sound.
void DrawIntroGhost() {
    DrawSpriteKeyed(6, 220, 100);
    if (game.titleFrame > 700 && game.titleFrame < 740) DrawSpriteKeyed(511, 220, 100);
    if (game.titleFrame > 740) {
        DrawSpriteKeyed(512, 220, 100);
        if (game.contactSoundPlayed == 0) {
            StartSoundOnce(9);
            game.contactSoundPlayed = 1;
        }
    }
}

void PlayIntroFrame() {
    PollKeyboard();
    EndProgramIfScreenLost();
    AnimateScreenGhosts(6, 6);
    game.titleWavePhase += 5.5f;
    ComposeBannerWave();
    DrawCanvasWave();
    DrawIntroGhost();
    DrawFireworks();
    PresentFrame();
    FillScreen(0, 0, 0);
    PollKeyboard();
    if (IsKeyHeld(kKeyEscape)) EndProgram();
}

}  // namespace

// A pad's Back ends the intro as Escape does.
void PlayTitleIntro() {
    static constexpr PadPress kIntroPad[] = {{kPadBack, kKeyEscape}};
    PadPresses pad(kIntroPad);
    for (game.titleFrame = 1; game.titleFrame <= kIntroFrames; ++game.titleFrame) PlayIntroFrame();
}
