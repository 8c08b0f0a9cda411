// Conversions between the stream's wide (UTF-16) text and the program's
// 8-bit text, which is UTF-8.  Malformed input (lone surrogates, bad UTF-8
// bytes) becomes U+FFFD rather than an error.
#pragma once

#include <string>
#include <string_view>

namespace cvcalc {

// Appends code point `c` in UTF-8.  A surrogate takes the three-byte form,
// so that a notation can carry a lone UTF-16 unit through 8-bit text.
void AppendUtf8(std::string& out, char32_t c);

std::string Utf16ToUtf8(std::u16string_view text);
std::u16string Utf8ToUtf16(std::string_view text);
// Valid UTF-8 with every malformed sequence replaced.
std::string SanitizeUtf8(std::string_view text);

}  // namespace cvcalc
