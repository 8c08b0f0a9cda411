// Decomposition into decimal digits: rounding at the requested place, the
// special values and the extremes of the 80-bit range.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <string>

#include "numtext/FloatDigits.h"

namespace cvcalc {
namespace {

// The decomposition's first guess at the decimal exponent, from the binary
// exponent and 19728 / 65536 for log10 2.
int DecadeEstimate(long double value) { return (std::ilogb(value) * 19728 >> 16) + 1; }

struct DigitsCase {
    long double value;
    int precision;
    int decimals;
    int exponent;
    bool negative;
    const char* digits;
};

TEST(FloatDigitsTest, DecomposesAndRounds) {
    const long double inf = std::numeric_limits<long double>::infinity();
    const DigitsCase cases[] = {
        {0.0L, 15, 9999, 0, false, ""},
        {-0.0L, 15, 9999, 0, false, ""},
        {std::numeric_limits<long double>::denorm_min(), 18, 9999, 0, false, ""},
        {inf, 15, 9999, 0x7FFF, false, ""},
        {-inf, 15, 9999, 0x7FFF, true, ""},
        {std::numeric_limits<long double>::quiet_NaN(), 15, 9999, -32768, false, ""},
        {-std::numeric_limits<long double>::quiet_NaN(), 15, 9999, -32768, false, ""},
        {1234.5678L, 18, 9999, 4, false, "12345678"},
        {1234.5678L, 5, 9999, 4, false, "12346"},
        {-1234.5L, 18, 0, 4, true, "1235"},  // half up on the digit string
        {9.9999L, 3, 9999, 2, false, "1"},   // carry off the left end
        {999.5L, 18, 0, 4, false, "1"},
        {0.0004L, 18, 3, -3, false, ""},  // rounded away: the exponent stays
        {0.0005L, 18, 3, -2, false, "1"},
        {1.5e-7L, 18, 3, 0, false, ""},  // no digit at the requested decimals
        {-0.004L, 15, 2, -2, false, ""},
        {0.006L, 15, 2, -1, false, "1"},
        {1e17L, 18, 9999, 18, false, "1"},
        {123456789012345678.0L, 18, 9999, 18, false, "123456789012345678"},
        {std::ldexp(1.0L, -877), 15, 9999, -264, false, "99241610332961"},
        {std::ldexp(1.0L, -877), 16, 9999, -264, false, "9924161033296096"},
        {std::numeric_limits<long double>::max(), 18, 9999, 4933, false, "118973149535723176"},
        {std::numeric_limits<long double>::min(), 18, 9999, -4931, false, "336210314311209351"},
        {1.25L, -5, 9999, 1, false, ""},        // a precision below 0 counts as 0
        {1.25L, 99, INT_MAX, 1, false, "125"},  // wide arguments do not overflow
        {1.25L, 18, INT_MIN, 0, false, ""},
    };
    for (const DigitsCase& c : cases) {
        const FloatDigits d = DecomposeFloat(c.value, c.precision, c.decimals);
        SCOPED_TRACE(std::string(c.digits) + " from precision " + std::to_string(c.precision));
        EXPECT_EQ(d.DecimalExponent, c.exponent);
        EXPECT_EQ(d.Negative, c.negative);
        EXPECT_STREQ(d.Digits, c.digits);
    }
}

// Over the whole exponent range the digits are well formed and agree with
// printf's correctly rounded 15 significant digits, except where the value
// lies so close to a halfway point that the 18-digit intermediate decides.
TEST(FloatDigitsTest, AgreesWithPrintfAcrossTheRange) {
    std::mt19937_64 random(20240611);
    for (int i = 0; i < 20000; ++i) {
        const long double value = std::ldexp(1.0L + static_cast<long double>(random() >> 11) * 0x1p-53L,
                                             static_cast<int>(random() % 32000) - 16000);
        const FloatDigits d = DecomposeFloat(value, 15, 9999);
        const std::size_t length = std::strlen(d.Digits);
        ASSERT_GT(length, 0u);
        ASSERT_LE(length, 15u);
        ASSERT_NE(d.Digits[0], '0');
        ASSERT_NE(d.Digits[length - 1], '0');
        char oracle[64];
        std::snprintf(oracle, sizeof oracle, "%.14Le", value);
        std::string expected = std::string(1, oracle[0]) + std::string(oracle + 2, 14);
        while (expected.back() == '0') expected.pop_back();
        const int expectedExponent = std::atoi(oracle + 17) + 1;
        if (expected == d.Digits && expectedExponent == d.DecimalExponent) continue;
        // Digits 16 to 20 of the exact value must then be 50000 give or take
        // a unit of the eighteenth digit, or of the seventeenth where the
        // decade estimate was too high and only seventeen digits are real.
        char exact[64];
        std::snprintf(exact, sizeof exact, "%.19Le", value);
        const int tail = std::atoi(std::string(exact + 16, 5).c_str());
        const int unit = DecadeEstimate(value) > expectedExponent ? 1000 : 100;
        EXPECT_NEAR(tail, 50000, unit) << exact << " gave " << d.Digits;
    }
}

// The decomposition once scaled a value again when its decade estimate
// proved one too high, keeping an eighteenth digit that the shifted integer
// does not have; the fifteenth digit then rounded the other way (about one
// double in 20,000 near 1e-265).
TEST(FloatDigitsTest, ValueBelowTheEstimatedDecadeKeepsSeventeenDigitsAndAZero) {
    const DigitsCase cases[] = {
        {9.924570572997245e-265L, 18, 9999, -264, false, "9924570572997245"},
        {9.924570572997245e-265L, 15, 9999, -264, false, "992457057299725"},
        {std::ldexp(1.0L, -877), 18, 9999, -264, false, "99241610332960957"},
    };
    for (const DigitsCase& c : cases) {
        const FloatDigits d = DecomposeFloat(c.value, c.precision, c.decimals);
        SCOPED_TRACE(c.digits);
        EXPECT_EQ(d.DecimalExponent, c.exponent);
        EXPECT_STREQ(d.Digits, c.digits);
    }
    // Such values (a little below a power of ten, far below 1) get printf's
    // correctly rounded seventeen digits, except where the value lies within
    // the scaling's few units in the last place of a halfway point.
    std::mt19937_64 random(877);
    int checked = 0;
    for (int i = 0; i < 20000; ++i) {
        const long double below = 1 - static_cast<long double>(random() >> 11) * 0x1p-53L * 0.05L;
        const long double value =
            below * std::strtold(("1e-" + std::to_string(200 + random() % 4700)).c_str(), nullptr);
        char oracle[64];
        std::snprintf(oracle, sizeof oracle, "%.16Le", value);
        const int exponent = std::atoi(oracle + 19) + 1;
        if (DecadeEstimate(value) <= exponent) continue;
        ++checked;
        std::string expected = std::string(1, oracle[0]) + std::string(oracle + 2, 16);
        while (expected.back() == '0') expected.pop_back();
        const FloatDigits d = DecomposeFloat(value, 18, 9999);
        ASSERT_EQ(d.DecimalExponent, exponent) << oracle;
        if (expected == d.Digits) continue;
        char exact[64];
        std::snprintf(exact, sizeof exact, "%.21Le", value);
        const int tail = std::atoi(std::string(exact + 18, 5).c_str());
        EXPECT_NEAR(tail, 50000, 5000) << exact << " gave " << d.Digits;
    }
    EXPECT_GT(checked, 1000);
}

}  // namespace
}  // namespace cvcalc
