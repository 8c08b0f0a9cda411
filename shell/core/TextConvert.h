// Conversions between the stream's wide (UTF-16) text and the program's
// 8-bit text, which is UTF-8.  Malformed input (lone surrogates, bad UTF-8
// bytes) becomes U+FFFD rather than an error.
#pragma once

#include <string>
#include <string_view>

namespace cvcalc {

std::string Utf16ToUtf8(std::u16string_view text);
std::u16string Utf8ToUtf16(std::string_view text);
// Valid UTF-8 with every malformed sequence replaced.
std::string SanitizeUtf8(std::string_view text);

}  // namespace cvcalc
