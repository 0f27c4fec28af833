// Escaping for messages; see escaped_text.h.
#include "platform/files/escaped_text.h"

#include <cstdio>

namespace {

// The length of the valid UTF-8 sequence at `at` that is no C1 control, or
// 0: an overlong form, a surrogate, a code point past U+10FFFF, a stray or
// missing continuation byte.
size_t PrintableSequence(const std::string& text, size_t at) {
    auto byte = [&](size_t i) { return at + i < text.size() ? static_cast<unsigned char>(text[at + i]) : 0u; };
    unsigned lead = byte(0);
    if (lead >= 0x20 && lead < 0x7F) return 1;
    size_t length = lead >= 0xC2 && lead <= 0xDF ? 2 : lead >= 0xE0 && lead <= 0xEF ? 3 : lead >= 0xF0 && lead <= 0xF4 ? 4 : 0;
    if (length == 0) return 0;
    // the second byte's range rules out overlong forms, surrogates and
    // code points past U+10FFFF; C2 80..C2 9F are the C1 controls
    unsigned low = lead == 0xE0 ? 0xA0 : lead == 0xF0 ? 0x90 : lead == 0xC2 ? 0xA0 : 0x80;
    unsigned high = lead == 0xED ? 0x9F : lead == 0xF4 ? 0x8F : 0xBF;
    if (byte(1) < low || byte(1) > high) return 0;
    for (size_t i = 2; i < length; ++i) {
        if (byte(i) < 0x80 || byte(i) > 0xBF) return 0;
    }
    return length;
}

std::string EscapeText(const std::string& text, char alsoEscaped) {
    std::string escaped;
    escaped.reserve(text.size());
    for (size_t at = 0; at < text.size();) {
        size_t length = text[at] == alsoEscaped ? 0 : PrintableSequence(text, at);
        if (length > 0) {
            escaped.append(text, at, length);
            at += length;
            continue;
        }
        char escape[8];
        std::snprintf(escape, sizeof escape, "\\x%02X", static_cast<unsigned char>(text[at]));
        escaped += escape;
        ++at;
    }
    return escaped;
}

}  // namespace

std::string Escaped(const std::string& text) {
    return EscapeText(text, '\0');
}

std::string Quoted(const std::string& text) {
    return "'" + EscapeText(text, '\'') + "'";
}
