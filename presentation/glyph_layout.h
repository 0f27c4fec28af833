// Where the game's glyph text goes: which glyph picture a character takes,
// the gap a space leaves, and the places of the four status texts of play.
// Shared by the game's text drawing and the asset generator's preview of a
// played frame, so that both set text the same way.
#pragma once

// glyph sprites: 600..609 are the digits 0..9, 610..635 the letters A..Z
constexpr int kFirstDigitGlyph = 600;
constexpr int kFirstLetterGlyph = 610;
// a space draws nothing and moves the pen this many pixels
constexpr int kSpaceWidth = 28;
// pixels left between two glyphs
constexpr int kGlyphGap = 1;

// Capital letters take 610..635 by their code; everything else takes 600
// plus the value the character reads as a number: its digit for 0..9, 0
// (glyph 600) for anything else.
constexpr int GlyphFor(unsigned char code) {
    int glyph = code + (kFirstLetterGlyph - 'A');
    if (glyph >= kFirstLetterGlyph && glyph <= kFirstLetterGlyph + 25) return glyph;
    return kFirstDigitGlyph + (code >= '0' && code <= '9' ? code - '0' : 0);
}

// top-left corners of the status texts drawn over every played frame
struct TextPlace {
    int x, y;
};
constexpr TextPlace kChargesPlace{380, 235};
constexpr TextPlace kScorePlace{467, 125};
constexpr TextPlace kLivesPlace{113, 475};
constexpr TextPlace kLevelPlace{870, 437};
// the level text is this prefix and the level number
constexpr const char* kLevelPrefix = "NIV ";
