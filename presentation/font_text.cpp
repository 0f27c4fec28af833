// Glyph text and the status line.
#include "presentation/font_text.h"

#include "media/screen.h"
#include "media/values.h"
#include "shell/game_state.h"

#include <cstdlib>
#include <string>

namespace {

constexpr int kSpaceWidth = 28;

// Capital letters map to 610..635 by their code; everything else falls back
// to 600 plus the value of the character as a number, which is its digit for
// 0..9 and 0 (glyph 600) for anything else.
int GlyphFor(unsigned char code) {
    int glyph = std::abs(code + 545);
    if (glyph < 610 || glyph > 635) glyph = 600 + TextToInt(std::string(1, static_cast<char>(code)));
    return glyph;
}

}  // namespace

void DrawFontText(std::string_view text, int x, int y) {
    for (char character : text) {
        unsigned char code = static_cast<unsigned char>(character);
        if (code == ' ') {
            x += kSpaceWidth;
            continue;
        }
        int glyph = GlyphFor(code);
        DrawSpriteKeyed(glyph, x, y);
        x += SpriteWidth(glyph) + 1;
    }
}

// Drawn over everything else; the next frame's background covers it.
void DrawStatusLine() {
    DrawFontText(IntToText(game.frightCharges), 380, 235);
    DrawFontText(IntToText(game.score), 467, 125);
    DrawFontText(IntToText(game.lives), 113, 475);
    DrawFontText("NIV " + IntToText(game.level), 870, 437);
}
