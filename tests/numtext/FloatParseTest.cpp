// The scanner's syntax, its limits, its failure message and its care for
// the caller's floating-point environment.
#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <optional>
#include <string>

#include "numtext/ConvertError.h"
#include "numtext/FloatParse.h"
#include "tests/numtext/LocaleGuard.h"
#include "tests/numtext/StepwiseScanModel.h"

namespace cvcalc {
namespace {

struct AcceptedCase {
    std::string text;
    long double value;
};

TEST(FloatParseTest, AcceptsNumbers) {
    const AcceptedCase cases[] = {
        {" 12.5 ", 12.5L},
        {"12", 12.0L},
        {"+7", 7.0L},
        {".", 0.0L},
        {"5.", 5.0L},
        {".5", 0.5L},
        {".e5", 0.0L},
        {"1e", 1.0L},
        {"1E+", 1.0L},
        {"1e-", 1.0L},
        {"2.5e-3", 0.0025L},
        {"1E15", 1e15L},
        {"1E0499", 1e499L},
        {"1e500", 1e500L},
        {"1e-4999", 0.0L},
        {"00012", 12.0L},
        {"9223372036854775807", 9223372036854775807.0L},
        {"18446744073709551615", 18446744073709551615.0L},
        {"3.6451995318824746025e-4951", std::numeric_limits<long double>::denorm_min()},
        {"0." + std::string(5200, '0') + "1", 0.0L},
        {"0.1" + std::string(5000, '0'), 0.1L},  // trailing zeros change nothing
        {std::string(5000, '0') + "3", 3.0L},
        {"1" + std::string(60, '0') + "e-60", 1.0L},
    };
    for (const AcceptedCase& c : cases) {
        SCOPED_TRACE(c.text.substr(0, 40));
        EXPECT_EQ(ParseFloat(c.text), c.value);
    }
    EXPECT_TRUE(std::signbit(ParseFloat("-0")));
    EXPECT_TRUE(std::signbit(ParseFloat("-.")));
    EXPECT_FALSE(std::signbit(ParseFloat("0")));
}

// The scanner once gathered exact digits and rounded once.  Digits enter
// the accumulator one rounded step at a time and the exponent is applied by
// up to three rounded table steps, which moves the last bit (and now and
// then the double) of long or far-scaled numbers.
TEST(FloatParseTest, RoundsEachDigitStepAndEachTableStepRatherThanOnce) {
    const AcceptedCase cases[] = {
        {"49886e63", 49886.0L * 1e31L * 1e32L},
        {"0.000000000000000000000000000001", 1.0L / 1e30L},
        {"1e400", 1e16L * 1e384L},
        {"1E-400", 1.0L / 1e16L / 1e384L},
        {"1e4932", 1e4L * 1e320L * 1e4608L},
        // The largest 80-bit value, where a single rounding gives infinity.
        {"1.1897314953572317651e4932", std::numeric_limits<long double>::max()},
    };
    for (const AcceptedCase& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ParseFloat(c.text), c.value);
        EXPECT_EQ(testing::StepwiseScanValue(c.text), c.value);
    }
    // Here even the double differs from the one the correctly rounded 80-bit
    // value narrows to.
    EXPECT_EQ(static_cast<double>(ParseFloat("49886e63")), 4.9886000000000003e67);
    EXPECT_NE(static_cast<double>(ParseFloat("49886e63")), static_cast<double>(std::strtold("49886e63", nullptr)));
    // Rounded accumulation of more digits than the significand holds.
    const std::string stepwise[] = {
        "123456789012345678901234567890",         "1.18973149535723176502e4932",
        "123456789012345678901234567890e-4000",   "-9999999999999999999999999.99999999999e-77",
        "0." + std::string(5119, '0') + "1e4999",
    };
    for (const std::string& text : stepwise) {
        SCOPED_TRACE(text.substr(0, 40));
        const std::optional<long double> expected = testing::StepwiseScanValue(text);
        ASSERT_TRUE(expected.has_value());
        EXPECT_EQ(ParseFloat(text), *expected);
    }
}

// Ten times an accumulator above a tenth of the largest 80-bit value
// overflows, after some 4,932 digits; the number is read from its digits
// instead, so only a value beyond the range makes such a text no number.
TEST(FloatParseTest, MantissaTooLongForTheAccumulatorIsStillANumber) {
    const AcceptedCase cases[] = {
        {"1." + std::string(6000, '0'), 1.0L},
        {"-1" + std::string(5000, '0') + "e-4990", -1e10L},
        {"1" + std::string(4933, '0') + "e-1", 1e4932L},
        {"0.1" + std::string(5000, '0'), 0.1L},
        {"0." + std::string(200, '0') + "25" + std::string(5000, '0') + "e+10", 25e-192L},
    };
    for (const AcceptedCase& c : cases) {
        SCOPED_TRACE(c.text.substr(0, 40));
        EXPECT_FALSE(testing::StepwiseScanValue(c.text).has_value());
        EXPECT_EQ(ParseFloat(c.text), c.value);
    }
    // Up to 4,933 digits the accumulator holds the number itself.
    const std::string longest = "1" + std::string(4932, '0');
    ASSERT_TRUE(testing::StepwiseScanValue(longest).has_value());
    EXPECT_EQ(ParseFloat(longest), *testing::StepwiseScanValue(longest));
    EXPECT_THROW(ParseFloat(longest + "0"), EConvertError);
    EXPECT_THROW(ParseFloat("9" + longest), EConvertError);
}

TEST(FloatParseTest, RejectsWhatIsNoNumber) {
    const std::string rejected[] = {
        "",
        "   ",
        "+",
        "-",
        "- 5",
        "\t1",
        "1\t",
        "E5",
        "e",
        "1e5000",
        "1e9999",
        "1e4999",
        "1,000",
        "1,5",
        "\xEF\xBC\x91\xEF\xBC\x92",  // full-width digits
        "INF",
        "NAN",
        "$10",
        "0x10",
        "1.2.3",
        "1e+-5",
        "++1",
        "1 2",
        std::string("1\0"
                    "5",
                    3),
        "1" + std::string(5000, '0'),  // beyond the 80-bit range
    };
    for (const std::string& text : rejected) {
        SCOPED_TRACE(text.substr(0, 40));
        long double value = 42.0L;
        EXPECT_FALSE(TryParseFloat(text, value));
        EXPECT_EQ(value, 42.0L);
        EXPECT_THROW(ParseFloat(text), EConvertError);
    }
    long double value = 42.0L;
    EXPECT_FALSE(ScanFloatText(nullptr, value));
    EXPECT_EQ(value, 42.0L);
}

TEST(FloatParseTest, MessageNamesTheWholeText) {
    const std::pair<std::string, std::string> cases[] = {
        {" abc ", "' abc ' は浮動小数点数ではありません"},
        {"1,5", "'1,5' は浮動小数点数ではありません"},
        {"", "'' は浮動小数点数ではありません"},
    };
    for (const auto& [text, message] : cases) {
        try {
            ParseFloat(text);
            ADD_FAILURE() << text << " was accepted";
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), message);
        }
    }
}

TEST(FloatParseTest, DecimalCommaLocale) {
    const testing::LocaleGuard guard(',', '.');
    EXPECT_EQ(ParseFloat("1,5"), 1.5L);
    EXPECT_EQ(ParseFloat("-,25e1"), -2.5L);
    EXPECT_THROW(ParseFloat("1.5"), EConvertError);
}

TEST(FloatParseTest, NulDecimalSeparatorNeverStepsPastTheText) {
    const testing::LocaleGuard guard('\0', ',');
    EXPECT_EQ(ParseFloat("15"), 15.0L);
    EXPECT_THROW(ParseFloat("1.5"), EConvertError);
}

TEST(FloatParseTest, NarrowWidths) {
    double d = 7.0;
    EXPECT_TRUE(TryParseFloat("0.1", d));
    EXPECT_EQ(d, 0.1);
    EXPECT_FALSE(TryParseFloat("1e400", d));  // an infinity is no success
    EXPECT_EQ(d, 0.1);
    EXPECT_TRUE(TryParseFloat("1e-400", d));
    EXPECT_EQ(d, 0.0);
    float f = 7.0f;
    EXPECT_TRUE(TryParseFloat("0.1", f));
    EXPECT_EQ(f, 0.1f);
    EXPECT_FALSE(TryParseFloat("1e39", f));
    EXPECT_EQ(f, 0.1f);
    long double e = 7.0L;
    EXPECT_TRUE(TryParseFloat("1e400", e));
    EXPECT_EQ(e, 1e16L * 1e384L);
}

// A checked region around a parse must see its own flags, and only them.
TEST(FloatParseTest, KeepsTheCallersEnvironment) {
    std::feclearexcept(FE_ALL_EXCEPT);
    // An overflow flag the caller already has must not hide the scan's own.
    std::feraiseexcept(FE_DIVBYZERO | FE_OVERFLOW);
    const int callerFlags = std::fetestexcept(FE_ALL_EXCEPT);
    ASSERT_EQ(std::fesetround(FE_UPWARD), 0);
    long double tenth = 0;
    EXPECT_TRUE(ScanFloatText("0.1", tenth));
    long double value = 0;
    EXPECT_FALSE(ScanFloatText("1e4999", value));
    double narrow = 0;
    EXPECT_FALSE(TryParseFloat("1e400", narrow));
    EXPECT_TRUE(TryParseFloat("1e-400", narrow));
    EXPECT_EQ(std::fegetround(), FE_UPWARD);
    EXPECT_FALSE(ScanFloatText("1e4000000000000", value));
    EXPECT_TRUE(ScanFloatText("123456789012345678901234567890e-4000", value));
    EXPECT_EQ(std::fetestexcept(FE_ALL_EXCEPT), callerFlags);
    std::fesetround(FE_TONEAREST);
    std::feclearexcept(FE_ALL_EXCEPT);
    // The scans ran to nearest whatever the caller's rounding was.
    EXPECT_EQ(value, testing::StepwiseScanValue("123456789012345678901234567890e-4000"));
    EXPECT_EQ(tenth, 0.1L);
}

}  // namespace
}  // namespace cvcalc
