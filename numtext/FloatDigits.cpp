// Decomposition: scale the value to an 18-digit integer, then round the digit
// string at the requested place.
#include "numtext/FloatDigits.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "numtext/PowersOfTen.h"

namespace cvcalc {

namespace {

constexpr int MaxDigits = 18;
constexpr long double Pow17 = 1e17L;
constexpr long double Pow18 = 1e18L;

struct Bits80 {
    std::uint64_t significand;
    std::uint16_t exponent;  // the sign in bit 15
};

Bits80 BitsOf(long double value) {
    Bits80 bits{};
    unsigned char raw[sizeof(long double)];
    std::memcpy(raw, &value, sizeof raw);
    std::memcpy(&bits.significand, raw, 8);
    std::memcpy(&bits.exponent, raw + 8, 2);
    return bits;
}

}  // namespace

FloatDigits DecomposeFloat(long double value, int precision, int decimals) {
    FloatDigits result{};
    const Bits80 bits = BitsOf(value);
    const int biased = bits.exponent & 0x7FFF;
    const bool sign = (bits.exponent & 0x8000) != 0;

    // Zero and denormals come out as zero.
    if (biased == 0) return result;
    // An "unnormal" (exponent set, integer bit clear) is no number to the
    // hardware: every operation on it is invalid.  It reads as a NaN.
    if (biased != 0x7FFF && (bits.significand & 0x8000000000000000u) == 0) {
        result.DecimalExponent = FloatDigitsNaN;
        return result;
    }
    if (biased == 0x7FFF) {
        const bool infinity = (bits.significand & 0x8000000000000000u) == 0 || bits.significand == 0x8000000000000000u;
        result.DecimalExponent = infinity ? FloatDigitsInfinity : FloatDigitsNaN;
        result.Negative = infinity && sign;
        return result;
    }

    // 19728 / 65536 is log10(2) from below; the shift floors, negative
    // exponents included.  The estimate is the true exponent, or one short
    // for a large magnitude, or one too high for a small one.
    int exponent = ((biased - 16383) * 19728 >> 16) + 1;
    long double x = std::rint(ScaleByPowerOfTen(std::fabs(value), MaxDigits - exponent));
    if (x >= Pow18) {
        x = std::rint(x / 10);
        ++exponent;
    } else if (x < Pow17) {
        // The estimate was a decade too high, as it can be for small
        // magnitudes because its log10 2 is a little short.  The integer is
        // shifted, not the value scaled again, so such a value keeps
        // seventeen digits and a zero.
        x *= 10;
        --exponent;
    }
    // Dividing 999...9.x by ten can round up into the next decade.
    if (x >= Pow18) {
        x = Pow17;
        ++exponent;
    }

    // Cannot fail for a finite normal value; the guard keeps the integer
    // conversion below defined whatever happens.
    if (!(x >= Pow17 && x < Pow18)) {
        result.DecimalExponent = FloatDigitsNaN;
        return result;
    }

    char digits[MaxDigits + 1];
    std::uint64_t integer = static_cast<std::uint64_t>(x);
    for (int i = MaxDigits - 1; i >= 0; --i) {
        digits[i] = static_cast<char>('0' + integer % 10);
        integer /= 10;
    }

    precision = std::clamp(precision, 0, MaxDigits);
    // Wide arithmetic: callers may pass any decimals.
    long long place = static_cast<long long>(exponent) + decimals;
    if (place < 0) return result;
    if (place > precision) place = precision;
    int length = MaxDigits;
    if (place < MaxDigits) {
        length = static_cast<int>(place);
        if (digits[length] >= '5') {
            // Round half up on the digit string; a carry out of the first
            // digit leaves a single "1" one decade higher.
            int i = length - 1;
            while (i >= 0 && digits[i] == '9') --i;
            if (i < 0) {
                digits[0] = '1';
                length = 1;
                ++exponent;
            } else {
                ++digits[i];
                length = i + 1;
            }
        }
    }
    while (length > 0 && digits[length - 1] == '0') --length;

    result.DecimalExponent = static_cast<std::int16_t>(exponent);
    if (length == 0) return result;
    result.Negative = sign;
    std::memcpy(result.Digits, digits, static_cast<std::size_t>(length));
    result.Digits[length] = '\0';
    return result;
}

}  // namespace cvcalc
