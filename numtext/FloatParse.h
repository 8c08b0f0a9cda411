// Reading the numbers that users type: blanks, an optional sign, ASCII
// digits with the locale's decimal separator, an optional decimal exponent.
#pragma once

#include <string>

namespace cvcalc {

// Scans the NUL-terminated `text`.  On success stores the 80-bit value and
// returns true; on failure returns false and leaves `value` alone.  The
// caller's floating-point environment, sticky flags included, is the same
// afterwards.
bool ScanFloatText(const char* text, long double& value) noexcept;

// The value of `text`; raises EConvertError naming the whole text when it is
// no number.
long double ParseFloat(const std::string& text);

// ScanFloatText on a string, rounded to the destination's width.  A text
// that is no number, contains a NUL character, or whose value lies beyond
// the destination's range leaves `value` alone and gives false.
bool TryParseFloat(const std::string& text, long double& value);
bool TryParseFloat(const std::string& text, double& value);
bool TryParseFloat(const std::string& text, float& value);

}  // namespace cvcalc
