// The decimal decomposition of an 80-bit value: the first stage of every
// conversion from a number to text.
#pragma once

#include <cstdint>

namespace cvcalc {

struct FloatDigits {
    // The value is 0.d1d2d3... x 10^DecimalExponent; 0x7FFF marks an
    // infinity, 0x8000 (as int16, -32768) a NaN, and zero has 0.
    std::int16_t DecimalExponent;
    bool Negative;
    // At most 18 significant digits, NUL-terminated, no trailing zeros and
    // never a leading zero; empty for zero, infinities, NaN and values that
    // round to nothing at the requested decimals.
    char Digits[21];
};

inline constexpr std::int16_t FloatDigitsInfinity = 0x7FFF;
inline constexpr std::int16_t FloatDigitsNaN = static_cast<std::int16_t>(0x8000);

// Keeps at most `precision` significant digits (no more than 18 take effect)
// and at most `decimals` digits after the decimal point (9999: no limit).
FloatDigits DecomposeFloat(long double value, int precision, int decimals);

}  // namespace cvcalc
