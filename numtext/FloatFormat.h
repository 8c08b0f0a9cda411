// Kind-driven rendering of a number as text: the general 15-digit form,
// scientific, fixed and grouped forms.
#pragma once

#include <string>

namespace cvcalc {

enum class FloatTextKind { General, Exponent, Fixed, Number, Currency };

// `precision` (clamped to 2..18) bounds the significant digits.  `digits` is
// the minimum count of exponent digits for General and Exponent (0..4) and
// the count of decimals for Fixed and Number (0..18).  Currency has no
// layout of its own in this program and is written like General.
std::string FormatFloatKind(long double value, FloatTextKind kind, int precision, int digits);

// At most 15 significant digits, no trailing zeros, scientific for large and
// small magnitudes: 0.1, 100, 1E15, 1.5E-5.
std::string FloatToGeneralText(long double value);

// Appends an exponent suffix: the letter, "-" for a negative exponent or "+"
// for another one when `plusSign` asks for it, then the exponent's digits,
// padded with zeros to `minDigits` (at most 4 take effect).
void AppendExponentSuffix(std::string& text, char letter, int exponent, bool plusSign, int minDigits);

}  // namespace cvcalc
