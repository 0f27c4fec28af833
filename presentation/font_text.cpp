// Glyph text and the status line.
#include "presentation/font_text.h"

#include "core/game_state.h"
#include "pictures/screen.h"
#include "core/values.h"
#include "presentation/glyph_layout.h"

void DrawFontText(std::string_view text, int x, int y) {
    for (char character : text) {
        unsigned char code = static_cast<unsigned char>(character);
        if (code == ' ') {
            x += kSpaceWidth;
            continue;
        }
        int glyph = GlyphFor(code);
        DrawSpriteKeyed(glyph, x, y);
        x += SpriteWidth(glyph) + kGlyphGap;
    }
}

// Drawn over everything else; the next frame's background covers it.
void DrawStatusLine() {
    DrawFontText(IntToText(game.frightCharges), kChargesPlace.x, kChargesPlace.y);
    DrawFontText(IntToText(game.score), kScorePlace.x, kScorePlace.y);
    DrawFontText(IntToText(game.lives), kLivesPlace.x, kLivesPlace.y);
    DrawFontText(kLevelPrefix + IntToText(game.level), kLevelPlace.x, kLevelPlace.y);
}
