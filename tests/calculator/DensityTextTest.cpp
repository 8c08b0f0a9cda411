// The echo of a density between 1e14 and 1e15: the value used, in units of
// 1e14, and it reads back to the same double.
#include <gtest/gtest.h>

#include "calculator/Pnjunction.h"
#include "numtext/FloatParse.h"

namespace cvcalc {
namespace {

TEST(DensityShortTextTest, ShowsTheValueUsedAndReadsBackToIt) {
    const struct {
        double density;
        const char* text;
    } table[] = {
        {1e14, "1E14"},       {3.7e14, "3.7E14"}, {9.99e14, "9.99E14"}, {2e14, "2E14"},
        {5e14, "5E14"},       {9e14, "9E14"},     {1.5e14, "1.5E14"},   {1.23456789012345e14, "1.23456789012345E14"},
        {7.25e14, "7.25E14"},
    };
    for (const auto& row : table) {
        EXPECT_EQ(DensityShortText(row.density), row.text) << row.density;
        double back = 0;
        ASSERT_TRUE(TryParseFloat(row.text, back)) << row.text;
        EXPECT_EQ(back, row.density) << row.text;
    }
}

TEST(DensityShortTextTest, ExactMultiplesGiveWholeUnits) {
    for (int k = 1; k <= 9; ++k) EXPECT_EQ(DensityShortText(k * 1e14), std::to_string(k) + "E14") << k;
}

}  // namespace
}  // namespace cvcalc
