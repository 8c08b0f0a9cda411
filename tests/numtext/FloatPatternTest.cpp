// Pattern rendering: the worked examples, sections, quotes and the limits.
#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <string>

#include "numtext/ConvertError.h"
#include "numtext/FloatPattern.h"
#include "tests/numtext/LocaleGuard.h"

namespace cvcalc {
namespace {

struct PatternCase {
    const char* pattern;
    long double value;
    const char* text;
};

TEST(FloatPatternTest, RendersPatterns) {
    const long double inf = std::numeric_limits<long double>::infinity();
    const PatternCase cases[] = {
        {"#,##0.0##", 0.0L, "0.0"},
        {"#,##0.0##", 1.0L, "1.0"},
        {"#,##0.0##", 0.05L, "0.05"},
        {"#,##0.0##", 0.0005L, "0.001"},
        {"#,##0.0##", 0.0004L, "0.000"},
        {"#,##0.0##", 1.5e-7L, "0.0"},
        {"#,##0.0##", -0.25L, "-0.25"},
        {"#,##0.0##", 1234.5678L, "1,234.568"},
        {"#,##0.0##", 12345.0L, "12,345.0"},
        {"#,##0.0##", 1e17L, "100,000,000,000,000,000.0"},
        {"#,##0.0##", 1e19L, "1E19"},
        {"#,##0.0##", -0.0L, "0.0"},
        {"#.#E+##", 0.0L, "0E+0"},
        {"#.#E+##", 1.0L, "1E+0"},
        {"#.#E+##", 0.05L, "5E-2"},
        {"#.#E+##", -0.25L, "-2.5E-1"},
        {"#.#E+##", 1.5e-7L, "1.5E-7"},
        {"#.#E+##", 2.5e16L, "2.5E+16"},
        {"#.#E+##", 1e17L, "1E+17"},
        {"#.#E+##", -3e20L, "-3E+20"},
        // The "##" after the sign is the exponent's field, not two more
        // mantissa digits written behind the exponent.
        {"#.#E+##", 1.25e17L, "1.3E+17"},
        {"#.#E+##", 12345.0L, "1.2E+4"},
        {"0.0", -0.04L, "0.0"},
        {"0.0", -0.06L, "-0.1"},
        {"0.0;(0.0)", -1.5L, "(1.5)"},
        {"0.0;(0.0)", 1.5L, "1.5"},
        {"0.0;;'zero'", -1.5L, "-1.5"},  // an empty section falls back to the first
        {"0.00;-0.00;'zero'", 0.0L, "zero"},
        {"0.00;-0.00;'zero'", 0.001L, "zero"},
        {"0.00;-0.00;'zero'", -0.004L, "zero"},
        {"0.00;-0.00;'zero'", -0.0L, "zero"},
        {"#", 0.0L, ""},
        {"0000", 12.0L, "0012"},
        {"#.##", 0.5L, ".5"},
        {"0.##", 1.0L, "1"},
        {"00.00", 0.5L, "00.50"},
        {"#,##0", -1234.5L, "-1,235"},
        {"#,##0", 1234567.0L, "1,234,567"},
        {"0.###E-00", 12345.678L, "1.235E04"},
        {"0.###E-00", 0.00012L, "1.2E-04"},
        {"0.###e+0000", 1.0L, "1e+0000"},
        {"0.0E+00000", 1.0L, "1.0E+0000"},  // at most four exponent digits
        {"#E", 5.0L, "5E"},
        {"", 3.25L, "3.25"},
        {";x", 1.0L, "1"},
        {"0 'kg;\"'", 7.0L, "7 kg;\""},
        {"\"#\"0", 7.0L, "#7"},
        {"0 'unterminated", 7.0L, "7 unterminated"},
        {"0.0;'neg'", -inf, "-INF"},
        {"0.0", std::numeric_limits<long double>::quiet_NaN(), "NAN"},
        {"x", -2.0L, "-x"},
    };
    for (const PatternCase& c : cases) {
        SCOPED_TRACE(std::string(c.pattern) + " -> " + c.text);
        EXPECT_EQ(FormatFloatPattern(c.pattern, c.value), c.text);
    }
}

// Found by fuzzing: a negative value whose scientific section keeps no digit
// fell back to the plain first section with its decade exponent and wrote
// hundreds of zeros; an "unnormal" 80-bit image produced garbage digits.
TEST(FloatPatternTest, RoundedAwayScientificValueAndUnnormalImage) {
    EXPECT_EQ(FormatFloatPattern("0;E+0", -3e300L), "0");
    EXPECT_EQ(FormatFloatPattern("0.0;E+0", -3e300L), "0.0");
    const unsigned char unnormal[10] = {0, 0, 0, 0x76, 0, 0, 0, 0x6e, 0xee, 0xee};
    long double value = 0;
    std::memcpy(&value, unnormal, sizeof unnormal);
    EXPECT_EQ(FormatFloatPattern("\xff_0;E+o'", value), "NAN");
}

// Every "0" of the exponent's digit field once counted towards its minimum
// width; only the "0"s directly after the sign do, so a "0" behind a "#"
// adds no exponent digit.
TEST(FloatPatternTest, ExponentZerosBehindAHashAddNoMinimumDigits) {
    const PatternCase cases[] = {
        {"0E+0#0", 5.0L, "5E+0"},     {"0E+00#0", 5.0L, "5E+00"},       {"0E+#0", 5.0L, "5E+0"},
        {"0E+#00", 5e12L, "5E+12"},   {"0.0E-0#00", 12345.0L, "1.2E4"}, {"0.0e-0#00", 0.00012L, "1.2e-4"},
        {"0E+000#", 5e-7L, "5E-007"},
    };
    for (const PatternCase& c : cases) {
        SCOPED_TRACE(std::string(c.pattern) + " -> " + c.text);
        EXPECT_EQ(FormatFloatPattern(c.pattern, c.value), c.text);
    }
}

TEST(FloatPatternTest, UsesTheLocaleSeparators) {
    const testing::LocaleGuard guard(',', '.');
    EXPECT_EQ(FormatFloatPattern("#,##0.0##", 1234.5678L), "1.234,568");
    EXPECT_EQ(FormatFloatPattern("#.#E+##", -0.25L), "-2,5E-1");
}

TEST(FloatPatternTest, PatternLengthLimit) {
    const std::string longest = std::string(223, '#') + "0";
    EXPECT_EQ(FormatFloatPattern(longest, 5.0L), "5");
    try {
        FormatFloatPattern(longest + "#", 5.0L);
        FAIL() << "a pattern of 225 characters was accepted";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "書式文字列が長すぎます");
    }
    // The limit counts bytes of the UTF-8 text, three for each of these
    // characters.
    std::string japanese;
    for (int i = 0; i < 74; ++i) japanese += "文";
    EXPECT_EQ(FormatFloatPattern("'" + japanese + "'", 5.0L), japanese);
    EXPECT_THROW(FormatFloatPattern("0'" + japanese + "'", 5.0L), EConvertError);
}

}  // namespace
}  // namespace cvcalc
