// Text in the game's own glyph pictures, and the status line of play.
#pragma once

#include <string>

// draws text with glyphs 600..635, first glyph's top-left at (x, y)
void DrawFontText(const std::string& text, int x, int y);
// the charges, score, lives and level, at the end of every played frame
void DrawStatusLine();
