// Text from the user or from a file, made safe to print in a message.
//
// A message quotes paths, option values, settings keys and texts read from
// files; printed as they are, their control codes would reach the terminal
// (clear the screen, retitle the window, move the cursor). The C0 controls,
// DEL, the C1 controls (U+0080 to U+009F, written in UTF-8 as C2 80 to
// C2 9F) and every byte that is not part of valid UTF-8 are written as
// \xNN, one escape a byte. Everything else, backslashes and letters of any
// script included, is kept as it is, so that "C:\Jeux\Zoé" prints as itself.
#pragma once

#include <string>

// `text` with its control codes and invalid UTF-8 written as \xNN
std::string Escaped(const std::string& text);
// Escaped(text) in single quotes, a single quote in it written as \x27
std::string Quoted(const std::string& text);
