// Glyph text and the status line. Placeholder.
#include "presentation/font_text.h"

void DrawFontText(const std::string&, int, int) {}
void DrawStatusLine() {}
