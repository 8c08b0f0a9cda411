// The kind-driven renderers and the general 15-digit text.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "numtext/FloatFormat.h"
#include "tests/numtext/LocaleGuard.h"

namespace cvcalc {
namespace {

struct GeneralCase {
    long double value;
    const char* text;
};

TEST(FloatFormatTest, GeneralText) {
    const GeneralCase cases[] = {
        {0.1L, "0.1"},
        {100.0L, "100"},
        {1e14L, "100000000000000"},
        {1e15L, "1E15"},
        {999999999999999.0L, "999999999999999"},
        {9999999999999995.0L, "1E16"},
        {0.0001L, "0.0001"},
        {0.001L, "0.001"},
        {0.00009L, "9E-5"},
        {1.5e-5L, "1.5E-5"},
        {1.0L / 3, "0.333333333333333"},
        {2.0L / 3, "0.666666666666667"},
        {-2.5L, "-2.5"},
        {123456789012345678.0L, "1.23456789012346E17"},
        {0.0L, "0"},
        {-0.0L, "0"},
        {std::ldexp(1.0L, -877), "9.9241610332961E-265"},
        {1e300L, "1E300"},
        {-1e-300L, "-1E-300"},
        {std::numeric_limits<long double>::max(), "1.18973149535723E4932"},
        {std::numeric_limits<long double>::infinity(), "INF"},
        {-std::numeric_limits<long double>::infinity(), "-INF"},
        {-std::numeric_limits<long double>::quiet_NaN(), "NAN"},
        {0.591500631809546L, "0.591500631809546"},
    };
    for (const GeneralCase& c : cases) EXPECT_EQ(FloatToGeneralText(c.value), c.text);
}

struct KindCase {
    long double value;
    FloatTextKind kind;
    int precision;
    int digits;
    const char* text;
};

TEST(FloatFormatTest, Kinds) {
    using K = FloatTextKind;
    const KindCase cases[] = {
        {1234.5678L, K::Exponent, 5, 2, "1.2346E+03"},
        {0.000123L, K::Exponent, 4, 3, "1.230E-004"},
        {0.0L, K::Exponent, 3, 0, "0.00E+0"},
        {-5.0L, K::Exponent, 2, 9, "-5.0E+0"},  // more than 4 digits counts as 1
        {1e100L, K::Exponent, 3, 2, "1.00E+100"},
        {-0.004L, K::Fixed, 15, 2, "0.00"},
        {-0.006L, K::Fixed, 15, 2, "-0.01"},
        {2.5L, K::Fixed, 15, 0, "3"},
        {0.000123L, K::Fixed, 15, 5, "0.00012"},
        {1234.5L, K::Fixed, 15, 30, "1234.500000000000000000"},  // decimals cap at 18
        {1234.0L, K::Fixed, 15, -1, "1234"},                     // and count at least 0
        {-1234.5L, K::Number, 15, -3, "-1,235"},
        {1234567.891L, K::Number, 15, 2, "1,234,567.89"},
        {123.0L, K::Number, 15, 1, "123.0"},
        {-999999.999L, K::Number, 15, 2, "-1,000,000.00"},
        {1e20L, K::Number, 15, 2, "1E20"},
        {1e20L, K::Fixed, 18, 2, "1E20"},
        {123456.0L, K::General, 3, 0, "1.23E5"},
        {123456.0L, K::General, 3, 3, "1.23E005"},
        {123456.0L, K::General, 1, 0, "1.2E5"},  // precision at least 2
        {0.1L, K::General, 40, 0, "0.1"},
        {0.5L, static_cast<K>(7), 15, 0, "0.5"},
        {std::numeric_limits<long double>::infinity(), K::Fixed, 15, 2, "INF"},
    };
    for (const KindCase& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(FormatFloatKind(c.value, c.kind, c.precision, c.digits), c.text);
    }
}

TEST(FloatFormatTest, UsesTheLocaleSeparators) {
    const testing::LocaleGuard guard(',', '.');
    EXPECT_EQ(FloatToGeneralText(-2.5L), "-2,5");
    EXPECT_EQ(FloatToGeneralText(1.5e-5L), "1,5E-5");
    EXPECT_EQ(FormatFloatKind(1234567.891L, FloatTextKind::Number, 15, 2), "1.234.567,89");
    EXPECT_EQ(FormatFloatKind(0.5L, FloatTextKind::Exponent, 3, 2), "5,00E-01");
}

TEST(FloatFormatTest, NulSeparatorsWriteNothing) {
    const testing::LocaleGuard guard('\0', '\0');
    EXPECT_EQ(FormatFloatKind(1234567.891L, FloatTextKind::Number, 15, 2), "123456789");
    EXPECT_EQ(FloatToGeneralText(2.5L), "25");
}

}  // namespace
}  // namespace cvcalc
