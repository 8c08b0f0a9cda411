// Logarithmic axes as stages, without a chart: equal ratios on equal
// pixels, labels at the powers of the base (or 1, 2, 5 within one decade),
// minor marks at 2 … 9, and pans and wheel steps that move by ratios.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "chart/AxisLabels.h"
#include "chart/AxisRange.h"
#include "chart/AxisStep.h"
#include "chart/ChartBrush.h"
#include "tests/chart/FixedMetrics.h"

namespace cvcalc {
namespace {

using test::FixedMetrics;
constexpr TAxisOrientation LogBottom{true, false, true}, LogLeft{false, false, true};
constexpr TAxisOrientation LogLeftInverted{false, true, true};

TAxisLabelSettings Settings(const TChartFont& font) {
    TAxisLabelSettings s;
    s.font = &font;
    s.format = "0E+0";
    return s;
}

std::vector<double> Values(const TAxisLabelPass& pass) {
    std::vector<double> v;
    for (const TAxisLabel& l : pass.labels) v.push_back(l.value);
    return v;
}

TEST(LogarithmicScale, EqualRatiosLieOnEqualPixelsAndMapBack) {
    // 1e14 … 1e18 on 0 … 400: a decade is 100 pixels.
    const struct {
        TAxisOrientation orientation;
        double value;
        int pixel;
    } cases[] = {
        {LogBottom, 1e14, 0},   {LogBottom, 1e15, 100},  {LogBottom, 1e18, 400},       {LogBottom, 3.16227766e16, 250},
        {LogLeft, 1e14, 400},   {LogLeft, 1e17, 100},    {LogLeftInverted, 1e17, 300}, {LogBottom, 1e30, 1600},
        {LogBottom, 0, -32767}, {LogBottom, -5, -32767}, {LogLeft, 0, 32767},
    };
    for (const auto& c : cases) {
        const TAxisScale scale(c.orientation, 1e14, 1e18, 0, 400);
        ASSERT_TRUE(scale.Logarithmic());
        EXPECT_EQ(scale.ValueToPixel(c.value), c.pixel) << c.value;
        if (std::abs(c.pixel) < 32767) {
            EXPECT_NEAR(scale.PixelToValue(c.pixel) / c.value, 1, 0.01) << c.value;
        }
    }
    // Within the decade the 2 lies at log10(2) of it.
    EXPECT_NEAR(TAxisScale(LogBottom, 1, 10, 0, 1000).ValueToPosition(2), 301.03, 0.01);
}

TEST(LogarithmicScale, EndsAtOrBelowZeroFallBackToTheLinearScale) {
    for (const auto& ends : {std::pair{0.0, 100.0}, std::pair{-1.0, 100.0}, std::pair{5.0, 5.0},
                             std::pair{1.0, std::numeric_limits<double>::infinity()}}) {
        const TAxisScale log(LogBottom, ends.first, ends.second, 0, 200);
        const TAxisScale linear(TAxisOrientation{true, false}, ends.first, ends.second, 0, 200);
        EXPECT_FALSE(log.Logarithmic()) << ends.first << " " << ends.second;
        for (const double v : {0.0, 1.0, 50.0, 100.0}) EXPECT_EQ(log.ValueToPixel(v), linear.ValueToPixel(v));
    }
}

TEST(LogarithmicScale, MarginsWidenByRatios) {
    // A 5-pixel margin at each end of a 1e14 … 1e18 axis on 400 pixels:
    // the ends move out by 4 · 5 / 390 decades each.
    const TAxisScale inner(LogLeft, 1e14, 1e18, 0, 400);
    const TAxisScale widened = AxisWidenForMargins(inner, {5, 5});
    EXPECT_TRUE(widened.Logarithmic());
    EXPECT_NEAR(std::log10(widened.Hi()), 18 + 4.0 * 5 / 390, 1e-9);
    EXPECT_NEAR(std::log10(widened.Lo()), 14 - 4.0 * 5 / 390, 1e-9);
    EXPECT_EQ(widened.ValueToPixel(1e18), 5);
    EXPECT_EQ(widened.ValueToPixel(1e14), 395);
}

TEST(LogarithmicLabels, PowersOfTheBaseFromTheTopDownOrOneTwoFiveWithinADecade) {
    const TChartFont font;
    FixedMetrics m;
    const TAxisSeriesExtent none;
    struct Case {
        double lo, hi;
        int pixels;
        double step;
        std::vector<double> values;
    } cases[] = {
        // Five decades on 400 pixels, room for every power.
        {1e13, 1e18, 400, 1, {1e18, 1e17, 1e16, 1e15, 1e14, 1e13}},
        // Twenty decades on 100 pixels ("1E+20" is 12 high, 7 fit): every
        // fifth power.
        {1e0, 1e20, 100, 5, {1e20, 1e15, 1e10, 1e5, 1}},
        // Less than a decade and no power inside twice: 1, 2 and 5.
        {3e15, 4e16, 400, AxisLogOneTwoFiveStep, {2e16, 1e16, 5e15}},
        {1.5, 9, 300, AxisLogOneTwoFiveStep, {5, 2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.lo << " " << c.hi);
        const TAxisScale scale(LogLeft, c.lo, c.hi, 0, c.pixels);
        const double step = AxisLabelStep(scale, Settings(font), none, m);
        EXPECT_EQ(step, c.step);
        const TAxisLabelPass pass = AxisLabelValues(scale, Settings(font), true, step);
        const std::vector<double> values = Values(pass);
        ASSERT_EQ(values.size(), c.values.size());
        for (std::size_t i = 0; i < values.size(); ++i) EXPECT_NEAR(values[i] / c.values[i], 1, 1e-12);
        ASSERT_EQ(pass.ticks.size(), values.size());
        for (std::size_t i = 0; i < values.size(); ++i) EXPECT_EQ(pass.ticks[i], scale.ValueToPixel(values[i]));
    }
    // Labels say their power: "1E+17".
    const TAxisLabelPass pass = AxisLabelValues(TAxisScale(LogLeft, 1e16, 1e17, 0, 300), Settings(font), true, 1);
    ASSERT_EQ(pass.labels.size(), 2u);
    EXPECT_EQ(pass.labels[0].text, "1E+17");
    // The room across a vertical axis is the widest label and a space.
    EXPECT_EQ(AxisLabelRoom(TAxisScale(LogLeft, 1e-3, 1e16, 0, 300), Settings(font), m, 1), 6 * 5 + 6);
}

TEST(LogarithmicLabels, MinorMarksAtTwoToNineOfEachDecade) {
    const TChartFont font;
    const TAxisScale scale(LogBottom, 1, 100, 0, 200);
    const std::vector<int> minor = AxisLogarithmicMinorPixels(scale, Settings(font), 1);
    ASSERT_EQ(minor.size(), 16u);
    EXPECT_EQ(minor.front(), scale.ValueToPixel(2));
    EXPECT_EQ(minor.back(), scale.ValueToPixel(90));
    // Labelled every other power, the labels are already closer than the
    // decades: no minor marks.
    EXPECT_TRUE(AxisLogarithmicMinorPixels(scale, Settings(font), 2).empty());
    EXPECT_TRUE(AxisLogarithmicMinorPixels(TAxisScale(TAxisOrientation{}, 1, 100, 0, 200), Settings(font), 1).empty());
}

TEST(LogarithmicScale, PansAndWheelStepsMoveByRatiosKeepingTheDecadesWide) {
    const TAxisScale scale(LogLeft, 1e14, 1e18, 0, 400);
    // The mouse moves 100 pixels up: a decade.
    const TAxisEnds panned = AxisPannedEnds(scale, {1e14, 1e18}, 200, 100);
    EXPECT_NEAR(panned.minimum / 1e13, 1, 1e-9);
    EXPECT_NEAR(panned.maximum / 1e17, 1, 1e-9);
    const TAxisEnds wheeled = AxisShiftedEnds(scale, {1e14, 1e18}, 0.25);
    EXPECT_NEAR(wheeled.minimum / 1e15, 1, 1e-9);
    EXPECT_NEAR(wheeled.maximum / 1e19, 1, 1e-9);
    // Linear scales still shift by differences.
    const TAxisScale linear(TAxisOrientation{false, false}, 0, 400, 0, 400);
    const TAxisEnds shifted = AxisPannedEnds(linear, {0, 400}, 200, 100);
    EXPECT_DOUBLE_EQ(shifted.minimum, -100);
    EXPECT_DOUBLE_EQ(AxisShiftedEnds(linear, {0, 400}, 0.03).maximum, 412);
}

}  // namespace
}  // namespace cvcalc
