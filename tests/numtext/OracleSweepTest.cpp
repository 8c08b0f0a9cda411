// Seeded random sweeps against the C library: the scanner against strtold,
// and the general text against the value it was made from.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

#include "numtext/FloatFormat.h"
#include "numtext/FloatParse.h"

namespace cvcalc {
namespace {

constexpr int SweepCount = 100000;

// A decimal text of `digits` significant digits (the first not zero), with
// the point placed so that `fraction` of them follow it, and a decimal
// exponent such that the value is digits x 10^shift.
std::string RandomText(std::mt19937_64& random, int digits, int fraction, int shift) {
    std::string mantissa;
    mantissa += static_cast<char>('1' + random() % 9);
    for (int i = 1; i < digits; ++i) mantissa += static_cast<char>('0' + random() % 10);
    std::string text = random() % 2 ? "-" : (random() % 4 ? "" : "+");
    text += mantissa.substr(0, static_cast<std::size_t>(digits - fraction));
    if (fraction > 0) {
        text += '.';
        text += mantissa.substr(static_cast<std::size_t>(digits - fraction));
    }
    const int exponent = shift + fraction;
    if (exponent != 0 || random() % 4 == 0) {
        text += random() % 2 ? 'e' : 'E';
        text += std::to_string(exponent);
    }
    return text;
}

long double UlpOf(long double x) {
    x = std::fabs(x);
    return std::nextafter(x, std::numeric_limits<long double>::infinity()) - x;
}

// Up to 19 significant digits and a decimal exponent within 27 take one
// rounding, so the scanner must give strtold's correctly rounded value.
TEST(OracleSweepTest, ExactWhereOneRoundingIsInvolved) {
    std::mt19937_64 random(1);
    int failures = 0;
    for (int i = 0; i < SweepCount; ++i) {
        const int digits = 1 + static_cast<int>(random() % 19);
        const int fraction = static_cast<int>(random() % static_cast<unsigned>(digits + 1));
        const int shift = static_cast<int>(random() % 55) - 27;
        const std::string text = RandomText(random, digits, fraction, shift);
        const long double expected = std::strtold(text.c_str(), nullptr);
        if (ParseFloat(text) != expected && ++failures <= 5) ADD_FAILURE() << text;
    }
    EXPECT_EQ(failures, 0);
}

// Long mantissas and exponents across the 80-bit range: within one unit in
// the last place of strtold.
TEST(OracleSweepTest, WithinOneUlpElsewhere) {
    std::mt19937_64 random(2);
    int failures = 0;
    int exact = 0;
    for (int i = 0; i < SweepCount; ++i) {
        const int digits = 1 + static_cast<int>(random() % 40);
        const int fraction = static_cast<int>(random() % static_cast<unsigned>(digits + 1));
        const int shift = static_cast<int>(random() % 9800) - 4900 - digits / 2;
        const std::string text = RandomText(random, digits, fraction, shift);
        const long double expected = std::strtold(text.c_str(), nullptr);
        const long double actual = ParseFloat(text);
        if (actual == expected) ++exact;
        if (std::fabs(actual - expected) > UlpOf(expected) && ++failures <= 5) ADD_FAILURE() << text;
    }
    EXPECT_EQ(failures, 0);
    // The binary128 scaling rounds once; a miss needs a true value within
    // about 2^-100 of a halfway point.
    EXPECT_GE(exact, SweepCount - 10);
}

// The general text keeps 15 significant digits: reading it back lands within
// half a unit of the fifteenth digit (and a hair, for the 18-digit
// intermediate) of the double it came from.
TEST(OracleSweepTest, GeneralTextRoundTripsDoubles) {
    std::mt19937_64 random(3);
    for (int i = 0; i < SweepCount; ++i) {
        double x = 0;
        do {
            const std::uint64_t bits = random();
            std::memcpy(&x, &bits, sizeof x);
        } while (!std::isfinite(x) || x == 0);
        const std::string text = FloatToGeneralText(x);
        const long double back = ParseFloat(text);
        char oracle[32];
        std::snprintf(oracle, sizeof oracle, "%.14e", x);
        const int decade = std::atoi(std::strchr(oracle, 'e') + 1);
        const long double unit = std::strtold(("1e" + std::to_string(decade - 14)).c_str(), nullptr);
        ASSERT_LE(std::fabs(back - static_cast<long double>(x)), 0.501L * unit) << text << " from " << oracle;
    }
}

}  // namespace
}  // namespace cvcalc
