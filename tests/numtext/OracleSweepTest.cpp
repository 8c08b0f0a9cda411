// Seeded random sweeps against the C library: the scanner against strtold,
// and the general text against the value it was made from.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <optional>
#include <random>
#include <string>

#include "numtext/FloatFormat.h"
#include "numtext/FloatParse.h"
#include "tests/numtext/StepwiseScanModel.h"

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

// Long mantissas and exponents across the 80-bit range take several
// rounded steps, each digit of the accumulation past the 64-bit significand
// and each table step: the scanner follows that arithmetic to the bit, and
// it stays within a few units in the last place of strtold's correctly
// rounded value (three for the table steps and about one for each digit
// beyond nineteen).
TEST(OracleSweepTest, FollowsTheStepwiseArithmeticElsewhere) {
    std::mt19937_64 random(2);
    int failures = 0;
    int drifts = 0;
    for (int i = 0; i < SweepCount; ++i) {
        const int digits = 1 + static_cast<int>(random() % 40);
        const int fraction = static_cast<int>(random() % static_cast<unsigned>(digits + 1));
        const int shift = static_cast<int>(random() % 9800) - 4900 - digits / 2;
        const std::string text = RandomText(random, digits, fraction, shift);
        const long double expected = std::strtold(text.c_str(), nullptr);
        const std::optional<long double> stepwise = testing::StepwiseScanValue(text);
        long double actual = 0;
        const bool accepted = ScanFloatText(text.c_str(), actual);
        if ((accepted != stepwise.has_value() || (accepted && actual != *stepwise)) && ++failures <= 5)
            ADD_FAILURE() << text;
        // Far down in the denormals a unit of the last place is the whole
        // value, and the strtold oracle says little.
        if (!accepted || std::fabs(expected) < std::numeric_limits<long double>::min()) continue;
        const long double allowed = 4 + std::max(0, digits - 19);
        if (std::fabs(actual - expected) > allowed * UlpOf(expected) && ++drifts <= 5) ADD_FAILURE() << text;
    }
    EXPECT_EQ(failures, 0);
    EXPECT_EQ(drifts, 0);
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
