// Identifiers, keywords and text of the form notation.
#include "tools/formc/Notation.h"

#include <cctype>
#include <cstdint>

#include "platform/core/AsciiCase.h"

namespace cvcalc::formc {

bool IsIdentStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
bool IsIdentChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

bool IsIdentifier(std::string_view text) {
    if (text.empty() || !IsIdentStart(text[0])) return false;
    for (char c : text)
        if (!IsIdentChar(c)) return false;
    return true;
}

bool IsValueKeyword(std::string_view word) {
    return SameTextAscii(word, "true") || SameTextAscii(word, "false") || SameTextAscii(word, "nil") ||
           SameTextAscii(word, "null");
}

bool IsRecordKeyword(std::string_view word) { return word == "inherited" || word == "inline" || word == "position"; }

bool IsAscii(std::string_view text) {
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

bool NotationTextToUtf16(std::string_view text, std::u16string& out) {
    for (std::size_t i = 0; i < text.size();) {
        const auto b = static_cast<unsigned char>(text[i]);
        std::uint32_t c;
        std::size_t n;
        if (b < 0x80)
            c = b, n = 1;
        else if ((b & 0xE0) == 0xC0)
            c = b & 0x1F, n = 2;
        else if ((b & 0xF0) == 0xE0)
            c = b & 0x0F, n = 3;
        else if ((b & 0xF8) == 0xF0)
            c = b & 0x07, n = 4;
        else
            return false;
        if (i + n > text.size()) return false;
        for (std::size_t k = 1; k < n; ++k) {
            const auto t = static_cast<unsigned char>(text[i + k]);
            if ((t & 0xC0) != 0x80) return false;
            c = (c << 6) | (t & 0x3F);
        }
        if (c >= 0x10000) {
            out += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            out += static_cast<char16_t>(c);
        }
        i += n;
    }
    return true;
}

}  // namespace cvcalc::formc
