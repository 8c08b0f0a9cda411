// What the compiler and the dump agree on about the notation: identifiers,
// keywords, and the 8-bit text that may carry encoded surrogates.
#pragma once

#include <string>
#include <string_view>

namespace cvcalc::formc {

bool IsIdentStart(char c);
bool IsIdentChar(char c);
// A whole identifier: a letter or '_', then letters, digits and '_'.
bool IsIdentifier(std::string_view text);

// The words that stand for a value rather than an identifier: true, false,
// nil and null, in any case.
bool IsValueKeyword(std::string_view word);
// The words that open a record before its class name.
bool IsRecordKeyword(std::string_view word);

bool IsAscii(std::string_view text);

// UTF-8 to UTF-16, encoded surrogates (from "\uD800") taken as those units;
// false on a malformed byte.
bool NotationTextToUtf16(std::string_view text, std::u16string& out);

}  // namespace cvcalc::formc
