// The table-driven scaling and its binary128 counterpart.
#include "numtext/PowersOfTen.h"

#include <cmath>
#include <limits>

namespace cvcalc {

namespace {

constexpr int ScaleLimit = 5120;

template <std::size_t Count>
constexpr std::array<__float128, Count> GeometricTable(__float128 ratio) {
    std::array<__float128, Count> table{};
    __float128 power = 1;
    for (std::size_t k = 0; k < Count; ++k) {
        table[k] = power;
        if (k + 1 < Count) power *= ratio;
    }
    return table;
}

constexpr __float128 Pow10(int k) {
    __float128 power = 1;
    for (int i = 0; i < k; ++i) power *= 10;
    return power;
}

// Each entry comes from a handful of correctly rounded binary128 products,
// so it is off by far less than 2^-100 relative: invisible after the final
// rounding to 64 significand bits.
constexpr auto QuadUnits = GeometricTable<32>(10);
constexpr auto QuadThirtyTwos = GeometricTable<16>(Pow10(32));
constexpr auto QuadFiveTwelves = GeometricTable<10>(Pow10(256) * Pow10(256));

}  // namespace

long double ScaleByPowerOfTen(long double x, int n) noexcept {
    if (n == 0) return x;
    if (n >= ScaleLimit || n <= -ScaleLimit) {
        if (x == 0 || !std::isfinite(x)) return x;
        if (n > 0) {
            // Let the hardware overflow, so the flag is raised as for any
            // other result beyond the range.
            volatile long double huge = std::numeric_limits<long double>::max();
            return std::copysign(huge, x) * huge;
        }
        return std::copysign(0.0L, x);
    }
    const unsigned m = static_cast<unsigned>(n < 0 ? -n : n);
    const long double units = PowersOfTenUnits[m % 32];
    const unsigned thirtyTwos = (m / 32) % 16;
    const unsigned fiveTwelves = m / 512;
    if (n > 0) {
        x *= units;
        if (thirtyTwos != 0) x *= PowersOfTenThirtyTwos[thirtyTwos];
        if (fiveTwelves != 0) x *= PowersOfTenFiveTwelves[fiveTwelves];
    } else {
        x /= units;
        if (thirtyTwos != 0) x /= PowersOfTenThirtyTwos[thirtyTwos];
        if (fiveTwelves != 0) x /= PowersOfTenFiveTwelves[fiveTwelves];
    }
    return x;
}

long double ScaleDecimalSignificand(unsigned __int128 significand, int n) noexcept {
    if (significand == 0) return 0.0L;
    if (n >= ScaleLimit) return std::numeric_limits<long double>::infinity();
    if (n <= -ScaleLimit) return 0.0L;
    const unsigned m = static_cast<unsigned>(n < 0 ? -n : n);
    // The order keeps every intermediate between the significand and the
    // result, so nothing overflows or underflows unless the result does.
    __float128 x = static_cast<__float128>(significand);
    if (n > 0) {
        x *= QuadUnits[m % 32];
        x *= QuadThirtyTwos[(m / 32) % 16];
        x *= QuadFiveTwelves[m / 512];
    } else {
        x /= QuadUnits[m % 32];
        x /= QuadThirtyTwos[(m / 32) % 16];
        x /= QuadFiveTwelves[m / 512];
    }
    // The binary128 range has the 80-bit format's exponent range, so the
    // conversion is the one rounding; beyond the range it gives infinity.
    return static_cast<long double>(x);
}

}  // namespace cvcalc
