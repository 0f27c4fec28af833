// The title pictures: the title screen's background, the wave banner with
// the game's name and the logo. The banner and the logo are drawn keyed, so
// their background is pure black and their art stays well clear of black.
#pragma once

#include "tools/assetgen/canvas.h"

// 1024 x 768: dark sky, neon frame and a lit stage where the menu ghost walks
Canvas TitleBackground();
// 640 x 160: the name GULPKIN on black, for the double sine wave
Canvas TitleBanner();
// the logo: a gulp figure and the name on a black ground
Canvas TitleLogo();
