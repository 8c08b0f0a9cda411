// The power-of-ten tables and the two scalings built on them.
#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

#include "numtext/PowersOfTen.h"

namespace cvcalc {
namespace {

long double Oracle(int exponent) { return std::strtold(("1e" + std::to_string(exponent)).c_str(), nullptr); }

TEST(PowersOfTenTest, TablesAreRoundedToNearest) {
    for (int k = 0; k < 32; ++k) EXPECT_EQ(PowersOfTenUnits[k], Oracle(k)) << k;
    for (int k = 1; k < 16; ++k) EXPECT_EQ(PowersOfTenThirtyTwos[k], Oracle(32 * k)) << 32 * k;
    for (int k = 1; k < 10; ++k) EXPECT_EQ(PowersOfTenFiveTwelves[k], Oracle(512 * k)) << 512 * k;
}

TEST(PowersOfTenTest, ScalesThroughTheTables) {
    const long double inf = std::numeric_limits<long double>::infinity();
    const struct {
        long double x;
        int n;
        long double expected;
    } cases[] = {
        {3.0L, 0, 3.0L},        {3.0L, 27, 3e27L},   {3.0L, -27, 3e-27L}, {1.0L, 32, 1e32L},     {1.0L, 512, 1e512L},
        {1e4608L, -4608, 1.0L}, {-2.0L, 5120, -inf}, {0.0L, 6000, 0.0L},  {-2.0L, -5120, -0.0L}, {inf, -9000, inf},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ScaleByPowerOfTen(c.x, c.n), c.expected) << c.n;
        EXPECT_EQ(std::signbit(ScaleByPowerOfTen(c.x, c.n)), std::signbit(c.expected)) << c.n;
    }
    // Seven tens to the 4932nd overflow: the flag is what the scanner reads.
    std::feclearexcept(FE_ALL_EXCEPT);
    volatile long double big = ScaleByPowerOfTen(7.0L, 4932);
    EXPECT_TRUE(std::isinf(big));
    EXPECT_TRUE(std::fetestexcept(FE_OVERFLOW));
    std::feclearexcept(FE_ALL_EXCEPT);
    volatile long double limit = ScaleByPowerOfTen(-1.0L, 9999);
    EXPECT_TRUE(std::isinf(limit) && limit < 0);
    EXPECT_TRUE(std::fetestexcept(FE_OVERFLOW));
    std::feclearexcept(FE_ALL_EXCEPT);
}

TEST(PowersOfTenTest, DecimalSignificandIsRoundedOnce) {
    for (int n = -4950; n <= 4932; n += 37) {
        SCOPED_TRACE(n);
        EXPECT_EQ(ScaleDecimalSignificand(1, n), Oracle(n));
        EXPECT_EQ(ScaleDecimalSignificand(123456789, n),
                  std::strtold(("123456789e" + std::to_string(n)).c_str(), nullptr));
    }
    EXPECT_EQ(ScaleDecimalSignificand(0, 9999), 0.0L);
    EXPECT_TRUE(std::isinf(ScaleDecimalSignificand(1, 4933)));
    EXPECT_EQ(ScaleDecimalSignificand(1, -5000), 0.0L);
}

}  // namespace
}  // namespace cvcalc
