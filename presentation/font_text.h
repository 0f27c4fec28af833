// Text in the game's own glyph pictures, and the status line of play.
//
// Glyphs are sprites 600..609 (digits 0..9) and 610..635 (letters A..Z), each
// as wide as its picture, set one pixel apart; black is transparent. Text is
// drawn on the current blit target (the back buffer during play).
#pragma once

#include <string_view>

// draws text with glyphs 600..635, first glyph's top-left at (x, y); a space
// is a 28-pixel gap, any character without a glyph of its own draws glyph 600
// (digit 0); an empty text draws nothing
void DrawFontText(std::string_view text, int x, int y);
// the charges, score, lives and "NIV " level, last in every played frame
void DrawStatusLine();
