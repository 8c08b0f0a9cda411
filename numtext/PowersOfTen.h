// Scaling by powers of ten: the step that turns decimal digits into a binary
// value and a binary value into decimal digits.
#pragma once

#include <array>

namespace cvcalc {

// The powers of ten the scaling multiplies with, each one rounded to nearest
// in the 80-bit format (the compiler reads the literals with correct
// rounding).  Up to 10^27 they are exact.
inline constexpr std::array<long double, 32> PowersOfTenUnits = {
    1e0L,  1e1L,  1e2L,  1e3L,  1e4L,  1e5L,  1e6L,  1e7L,  1e8L,  1e9L,  1e10L, 1e11L, 1e12L, 1e13L, 1e14L, 1e15L,
    1e16L, 1e17L, 1e18L, 1e19L, 1e20L, 1e21L, 1e22L, 1e23L, 1e24L, 1e25L, 1e26L, 1e27L, 1e28L, 1e29L, 1e30L, 1e31L};
// 10^(32k); entry 0 stands for "no step".
inline constexpr std::array<long double, 16> PowersOfTenThirtyTwos = {1e0L,   1e32L,  1e64L,  1e96L,  1e128L, 1e160L,
                                                                      1e192L, 1e224L, 1e256L, 1e288L, 1e320L, 1e352L,
                                                                      1e384L, 1e416L, 1e448L, 1e480L};
// 10^(512k); entry 0 stands for "no step".
inline constexpr std::array<long double, 10> PowersOfTenFiveTwelves = {1e0L,    1e512L,  1e1024L, 1e1536L, 1e2048L,
                                                                       1e2560L, 1e3072L, 1e3584L, 1e4096L, 1e4608L};

// x times 10^n in at most three table steps, each rounded to the 80-bit
// format.  n >= 5120 gives an infinity of x's sign and n <= -5120 a zero of
// x's sign (a zero, an infinity or a NaN stays what it is).  A result beyond
// the 80-bit range becomes an infinity and raises the overflow flag.
long double ScaleByPowerOfTen(long double x, int n) noexcept;

// significand times 10^n with a single rounding to the 80-bit format,
// carried out in 113-bit binary128 so that the result is within a hair of
// the correctly rounded one; the number scanner uses it for a mantissa too
// long for its 80-bit accumulator.  A result beyond the 80-bit range is an
// infinity.
long double ScaleDecimalSignificand(unsigned __int128 significand, int n) noexcept;

}  // namespace cvcalc
