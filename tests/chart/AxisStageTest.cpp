// The axis stages and the marker table without a chart, a control or a
// window: each stage takes the series' extent, the pixels and a text
// measurer, as written down here.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <span>
#include <vector>

#include "chart/AxisLabels.h"
#include "chart/AxisRange.h"
#include "chart/AxisStep.h"
#include "chart/ChartBrush.h"
#include "chart/MarkerShapes.h"
#include "numtext/ConvertError.h"
#include "tests/chart/FixedMetrics.h"
#include "tests/numtext/LocaleGuard.h"

namespace cvcalc {
namespace {

using test::FixedMetrics;
const double Inf = std::numeric_limits<double>::infinity();
const double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr TAxisOrientation Bottom{true, false}, Left{false, false};
constexpr TAxisOrientation BottomInverted{true, true}, LeftInverted{false, true};

std::vector<double> Values(const TAxisLabelPass& pass) {
    std::vector<double> v;
    for (const TAxisLabel& l : pass.labels) v.push_back(l.value);
    return v;
}

TEST(AxisScale, MapsValuesToPixelsOnEveryOrientationAndClampsFarValues) {
    struct Case {
        TAxisOrientation orientation;
        double value;
        int pixel;
    };
    // 0 … 100 on the pixels 10 … 210.
    const Case cases[] = {
        {Bottom, 0, 10},          {Bottom, 100, 210},        {Bottom, 50, 110},
        {Bottom, 0.25, 10},  // 10.5: to even
        {Bottom, 0.75, 12},       {Bottom, 1e9, 32767},      {Bottom, -1e300, -32767},
        {Bottom, Inf, 32767},     {Bottom, NaN, 32767},      {Left, 0, 210},
        {Left, 100, 10},          {Left, 1e9, -32767},       {Left, NaN, 32767},
        {BottomInverted, 0, 210}, {BottomInverted, 100, 10}, {LeftInverted, 0, 10},
        {LeftInverted, 100, 210},
    };
    for (const Case& c : cases) {
        const TAxisScale scale(c.orientation, 0, 100, 10, 210);
        EXPECT_EQ(scale.ValueToPixel(c.value), c.pixel)
            << c.orientation.horizontal << c.orientation.inverted << " " << c.value;
        if (std::abs(c.pixel) < 32767 && c.value == std::trunc(c.value)) {
            EXPECT_DOUBLE_EQ(scale.PixelToValue(c.pixel), c.value);
        }
    }
    const TAxisScale scale(Left, 0, 100, 10, 210);
    EXPECT_EQ(scale.AxisSize(), 200);
    EXPECT_EQ(scale.CenterPos(), 110);
    EXPECT_DOUBLE_EQ(scale.PixelsPerUnit(), 2);
    EXPECT_DOUBLE_EQ(scale.PixelToValue(60), 75);
}

TEST(AxisScale, VectorFiguresTookTheRoundedPixelInsteadOfTheValuesPosition) {
    struct Case {
        TAxisOrientation orientation;
        double value;
        double position;
    };
    // 0 … 100 on the pixels 10 … 210, as above, before the rounding.
    const Case cases[] = {
        {Bottom, 0.25, 10.5},          {Bottom, 0.75, 11.5},          {Bottom, 33.3, 76.6}, {Left, 0.3, 209.4},
        {BottomInverted, 33.3, 143.4}, {LeftInverted, 99.99, 209.98}, {Bottom, 1e9, 32767}, {Left, 1e9, -32767},
        {Bottom, NaN, 32767},          {Bottom, -Inf, -32767},
    };
    for (const Case& c : cases) {
        const TAxisScale scale(c.orientation, 0, 100, 10, 210);
        EXPECT_NEAR(scale.ValueToPosition(c.value), c.position, 1e-9)
            << c.orientation.horizontal << c.orientation.inverted << " " << c.value;
        EXPECT_EQ(scale.ValueToPixel(c.value), int(RoundHalfEven(scale.ValueToPosition(c.value)))) << c.value;
    }
    EXPECT_EQ(TAxisScale(Left, 3, 3, 15, 315).ValueToPosition(123), 165);
}

TEST(AxisScale, ManyValuesAtOnceLandWhereEachAloneDoes) {
    // Halves, far and missing values, and a stretch of noisy ones.
    std::vector<double> values = {0, 0.25, 0.75, 33.3, 99.99, -0.25, 1e9, -1e300, Inf, -Inf, NaN, 5e-324, -0.0};
    for (int i = 0; i < 997; ++i) values.push_back(-20 + i * 0.1403 + std::sin(i) * 1e-3);
    const TAxisOrientation logBottom{true, false, true}, logLeftInverted{false, true, true};
    const TAxisScale scales[] = {
        TAxisScale(Bottom, 0, 100, 10, 210),
        TAxisScale(Left, 0, 100, 10, 210),
        TAxisScale(BottomInverted, -3, 7.5, 0, 401),
        TAxisScale(LeftInverted, 1e-3, 2e-3, 7, 330),
        TAxisScale(Left, 3, 3, 15, 315),
        TAxisScale(Bottom, 0, 1e-320, 0, 300),
        TAxisScale(logBottom, 0.1, 1000, 20, 380),
        TAxisScale(logLeftInverted, 1, 50, 5, 305),
        TAxisScale(Bottom, -1e308, 1e308, 0, 400),
    };
    for (const TAxisScale& scale : scales) {
        std::vector<int> pixels(values.size());
        std::vector<double> positions(values.size());
        scale.ValuesToPixels(values.data(), int(values.size()), pixels.data());
        scale.ValuesToPositions(values.data(), int(values.size()), positions.data());
        for (std::size_t i = 0; i < values.size(); ++i) {
            EXPECT_EQ(pixels[i], scale.ValueToPixel(values[i])) << scale.Lo() << " " << values[i];
            // The very same double, not merely a near one.
            EXPECT_EQ(positions[i], scale.ValueToPosition(values[i])) << scale.Lo() << " " << values[i];
        }
    }
}

TEST(AxisScale, ZeroRangeGoesToTheCentreAndAShortAxisMapsBackToZero) {
    const TAxisScale flat(Left, 3, 3, 15, 315);
    EXPECT_TRUE(flat.RangeIsZero());
    EXPECT_EQ(flat.PixelsPerUnit(), 0);
    EXPECT_EQ(flat.ValueToPixel(123), 165);
    // An end below the start is taken as the start: no pixels at all.
    const TAxisScale reversed(Bottom, 0, 10, 40, 20);
    EXPECT_EQ(reversed.EndPos(), 40);
    EXPECT_EQ(reversed.AxisSize(), 0);
    EXPECT_EQ(reversed.PixelToValue(41), 0);
    // Too small a range for the pixels maps everything to the start.
    const TAxisScale tiny(Bottom, 0, 1e-320, 0, 300);
    EXPECT_EQ(tiny.PixelsPerUnit(), 0);
    EXPECT_EQ(tiny.ValueToPixel(5), 0);
    // The derived scales keep what they do not replace.
    const TAxisScale moved = TAxisScale(Bottom, 0, 100, 10, 210).WithPixels(0, 100).WithRange(0, 50);
    EXPECT_EQ(moved.ValueToPixel(25), 50);
    EXPECT_EQ(moved.WithOrientation(BottomInverted).ValueToPixel(25), 50);
    EXPECT_EQ(moved.WithOrientation(BottomInverted).ValueToPixel(0), 100);
}

TEST(AxisRange, AutomaticEndsTakeOnlyTheirSideOfTheExtent) {
    TAxisSeriesExtent data;
    data.counted = true;
    data.minimum = -4;
    data.maximum = 9;
    const TAxisSeriesExtent none;  // no series counts
    struct Case {
        bool automaticMinimum, automaticMaximum;
        const TAxisSeriesExtent* extent;
        double minimum, maximum;
    };
    const Case cases[] = {
        {true, true, &data, -4, 9},  {false, true, &data, 1, 9}, {true, false, &data, -4, 2},
        {false, false, &data, 1, 2}, {true, true, &none, 0, 0},  {false, true, &none, 1, 0},
    };
    for (const Case& c : cases) {
        const TAxisEnds ends = AxisAutomaticEnds({1, 2}, c.automaticMinimum, c.automaticMaximum, *c.extent);
        EXPECT_EQ(ends.minimum, c.minimum);
        EXPECT_EQ(ends.maximum, c.maximum);
    }
}

TEST(AxisRange, MarkerMarginsOnlyAtAutomaticEndsWithTheOffsetsAtTheirEnds) {
    const TSeriesMargins m{.left = 1, .right = 2, .top = 3, .bottom = 4};
    struct Case {
        TAxisOrientation orientation;
        bool automaticMinimum, automaticMaximum;
        int start, end;  // with MinimumOffset 10 and MaximumOffset 20
    };
    const Case cases[] = {
        {Bottom, true, true, 11, 22},         {Bottom, false, true, 10, 22},      {Bottom, true, false, 11, 20},
        {Left, true, true, 23, 14},           {Left, false, true, 23, 10},        {Left, true, false, 20, 14},
        {BottomInverted, true, true, 21, 12}, {LeftInverted, true, true, 13, 24}, {Left, false, false, 20, 10},
    };
    for (const Case& c : cases) {
        const TAxisMarginPixels p = AxisMarkerMargins(m, c.orientation, c.automaticMinimum, c.automaticMaximum, 10, 20);
        EXPECT_EQ(p.start, c.start) << c.orientation.horizontal << c.orientation.inverted;
        EXPECT_EQ(p.end, c.end) << c.orientation.horizontal << c.orientation.inverted;
    }
}

TEST(AxisRange, WideningLandsTheExtremeTheMarginInsideTheAxisEnd) {
    // A left axis 0 … 20 on 15 … 315 whose automatic maximum takes a
    // 5-pixel marker margin at its top.
    const TAxisScale scale(Left, 0, 20, 15, 315);
    const TAxisScale wide = AxisWidenForMargins(scale, {5, 0});
    EXPECT_EQ(wide.StartPos(), 15);
    EXPECT_EQ(wide.EndPos(), 315);
    EXPECT_EQ(wide.Lo(), 0);
    EXPECT_GT(wide.Hi(), 20);
    EXPECT_EQ(wide.ValueToPixel(20), 20);
    EXPECT_EQ(wide.ValueToPixel(0), 315);
    // No margin, or margins that would eat the axis, leave it as it is.
    for (const TAxisMarginPixels margins : {TAxisMarginPixels{0, 0}, TAxisMarginPixels{150, 150}}) {
        const TAxisScale same = AxisWidenForMargins(scale, margins);
        EXPECT_EQ(same.Lo(), 0);
        EXPECT_EQ(same.Hi(), 20);
    }
}

TAxisLabelSettings Settings(const TChartFont& font) {
    TAxisLabelSettings s;
    s.font = &font;
    return s;
}

TEST(AxisStep, WorkedExampleClimbsFromTheIncrement) {
    // Range 21 with a smallest step of 0.001 and room for 8 labels climbs
    // 0.001, 0.002, 0.005, … , 2, 5.
    const TChartFont font;
    FixedMetrics m;
    TAxisLabelSettings s = Settings(font);
    s.format = "0";
    s.increment = 0.001;
    // The widest text ("-10") is 18 pixels, 20 with 10 % separation.
    const TAxisScale scale(Bottom, -10, 11, 0, 160);
    const TAxisSeriesExtent none;
    EXPECT_EQ(AxisLabelsThatFit(scale, s, m), 8);
    EXPECT_DOUBLE_EQ(AxisLabelStep(scale, s, none, m), 5);
    s.alternate = true;
    EXPECT_DOUBLE_EQ(AxisLabelStep(scale, s, none, m), 2.5);
    s.alternate = false;
    s.separation = 0;  // no search: the Increment itself
    EXPECT_DOUBLE_EQ(AxisLabelStep(scale, s, none, m), 0.001);
    // Along a vertical axis a label takes the height of "W" per line.
    EXPECT_EQ(AxisLabelsThatFit(scale.WithOrientation(Left), Settings(font), m), 12);  // 160 / (12 + 1)
    s.multiLine = true;
    EXPECT_EQ(AxisLabelSizeAlong(s, false, m, "1 2 3"), 36);
    s.angle = 90;
    EXPECT_EQ(AxisLabelSizeAlong(s, false, m, "1 2 3"), 30);
}

TEST(AxisStep, OnlyAFewPointsOfAnActiveSeriesGiveWholeSteps) {
    const TChartFont font;
    FixedMetrics m;
    const TAxisScale scale(Bottom, -11, 2, 0, 2000);
    TAxisSeriesExtent extent;
    // Without an active series on the axis: 13 / 78 grows to 0.2.
    EXPECT_DOUBLE_EQ(AxisLabelStep(scale, Settings(font), extent, m), 0.2);
    extent.anyActive = true;
    extent.fewestActivePoints = 1;
    EXPECT_DOUBLE_EQ(AxisLabelStep(scale, Settings(font), extent, m), 1);
    extent.fewestActivePoints = 2000;  // more points than labels fit
    EXPECT_DOUBLE_EQ(AxisLabelStep(scale, Settings(font), extent, m), 0.2);
}

TEST(AxisStep, HugeTinyAndInfiniteRangesEndQuicklyWithBoundedLabels) {
    const double ranges[][2] = {{-1e308, 1e308}, {0, 1e-300},        {1, 1 + 1e-15}, {-Inf, Inf},
                                {0, Inf},        {1e20, 1e20 + 1e5}, {NaN, 1},       {0, 0}};
    const TChartFont font;
    FixedMetrics m;
    for (const auto& r : ranges) {
        const TAxisScale scale(Left, r[0], r[1], 0, 300);
        const double q = AxisLabelStep(scale, Settings(font), TAxisSeriesExtent{}, m);
        const TAxisLabelPass pass = AxisLabelValues(scale, Settings(font), true, q);
        EXPECT_LE(pass.labels.size(), static_cast<std::size_t>(AxisMaxLabelSteps + 3)) << r[0] << " " << r[1];
        EXPECT_EQ(pass.labels.size(), pass.ticks.size());
        (void)AxisLabelRoom(scale, Settings(font), m, q);
    }
}

TEST(AxisLabels, ValuesRunFromTheTopDownWithTheirTicks) {
    const TChartFont font;
    const TAxisScale scale(Bottom, -10, 11, 0, 210);
    TAxisLabelSettings s = Settings(font);
    const TAxisLabelPass pass = AxisLabelValues(scale, s, true, 5);
    EXPECT_EQ(Values(pass), (std::vector<double>{10, 5, 0, -5, -10}));
    EXPECT_EQ(pass.ticks, (std::vector<int>{200, 150, 100, 50, 0}));
    EXPECT_EQ(pass.labels[0].text, "10");
    EXPECT_EQ(pass.labels[4].pixel, 0);

    struct Case {
        bool onAxis, roundFirstLabel, showText, tickOnLabelsOnly;
        double step;
        std::size_t labels, ticks;
        double first;
    };
    const Case cases[] = {
        {false, true, true, true, 5, 4, 4, 10},    // -10 lies on the axis end
        {true, false, true, true, 5, 5, 5, 11},    // from the maximum itself
        {true, true, false, true, 5, 0, 0, 0},     // no texts, no ticks
        {true, true, false, false, 5, 0, 5, 0},    // ticks without texts
        {true, true, true, true, 0.001, 0, 0, 0},  // 21000 steps
        {true, true, true, true, 0, 0, 0, 0},      // no step
        {true, true, true, true, NaN, 0, 0, 0},   {true, true, true, true, -5, 0, 0, 0},
    };
    for (const Case& c : cases) {
        s.onAxis = c.onAxis;
        s.roundFirstLabel = c.roundFirstLabel;
        s.tickOnLabelsOnly = c.tickOnLabelsOnly;
        const TAxisLabelPass p = AxisLabelValues(scale, s, c.showText, c.step);
        EXPECT_EQ(p.labels.size(), c.labels) << c.step;
        EXPECT_EQ(p.ticks.size(), c.ticks) << c.step;
        if (!p.labels.empty()) {
            EXPECT_EQ(p.labels.front().value, c.first);
        }
    }
}

TEST(AxisLabels, ZeroMinimumKeepsItsLabelAndAZeroRangeShowsOneAtTheCentre) {
    const TChartFont font;
    // Seven subtractions of 0.1 from 0.7 leave rounding noise round zero.
    const TAxisLabelPass pass = AxisLabelValues(TAxisScale(Left, 0, 0.7, 0, 300), Settings(font), true, 0.1);
    ASSERT_EQ(pass.labels.size(), 7u);
    EXPECT_EQ(pass.labels.front().text, "0.6");  // trunc(6.999…) = 6
    EXPECT_EQ(pass.labels.back().text, "0");
    EXPECT_EQ(pass.labels.back().pixel, 300);
    const TAxisLabelPass one = AxisLabelValues(TAxisScale(Left, 0, 0, 0, 300), Settings(font), true, 1);
    ASSERT_EQ(one.labels.size(), 1u);
    EXPECT_EQ(one.labels[0].text, "0");
    EXPECT_EQ(one.labels[0].pixel, 150);
}

TEST(AxisLabels, StyleResolvesFromTheSeriesOnTheAxis) {
    struct Case {
        TAxisLabelStyle style;
        bool anyActive, anyLabels;
        TAxisLabelStyle resolved;
    };
    const Case cases[] = {
        {talAuto, false, false, talNone}, {talAuto, false, true, talNone},   {talAuto, true, false, talValue},
        {talAuto, true, true, talText},   {talValue, false, true, talValue}, {talMark, true, false, talMark},
    };
    for (const Case& c : cases) {
        TAxisSeriesExtent e;
        e.anyActive = c.anyActive;
        e.anyLabels = c.anyLabels;
        EXPECT_EQ(AxisResolveLabelStyle(c.style, e), c.resolved);
    }
}

TEST(AxisLabels, RoomOfTheLabelsAcrossTheAxis) {
    const TChartFont font;
    FixedMetrics m;
    TAxisLabelSettings s = Settings(font);
    EXPECT_EQ(AxisLabelRoom(TAxisScale(Bottom, -2, 11, 0, 300), s, m, 5), 12);
    // Vertical: the wider of the first and last label rounded to the step
    // ("-10" and "10"), plus a space; unrounded "-12.5" is wider.
    const TAxisScale left(Left, -12.5, 11, 0, 300);
    EXPECT_EQ(AxisLabelRoom(left, s, m, 5), 24);
    s.roundFirstLabel = false;
    EXPECT_EQ(AxisLabelRoom(left, s, m, 5), 36);
    s.alternate = true;
    EXPECT_EQ(AxisLabelRoom(TAxisScale(Bottom, -2, 11, 0, 300), s, m, 5), 24);
    s.size = 40;
    EXPECT_EQ(AxisLabelRoom(left, s, m, 5), 40);
}

// Kept label texts are the texts made afresh, through every change that
// makes them differ: another format, line breaking, the locale's
// separators; a format that fails fails every time.
TEST(AxisLabels, KeptTextsFollowTheFormatTheLineBreaksAndTheLocale) {
    TAxisLabelTexts kept;
    TAxisLabelSettings fresh, keeping;
    keeping.texts = &kept;
    auto same = [&](double value) {
        const std::string made = AxisLabelText(fresh, value);
        EXPECT_EQ(AxisLabelText(keeping, value), made) << value << " " << fresh.format;
        EXPECT_EQ(AxisLabelText(keeping, value), made) << value << " " << fresh.format;  // now kept
        return made;
    };
    const double values[] = {0.0, -0.0, 1234.5678, -2e-9, 1e15, 0.5, Inf, NaN};
    for (const char* format : {"#,##0.###", "0.00E+00", "0.0 V", "#;(#);zero"}) {
        fresh.format = keeping.format = format;
        for (const double v : values) same(v);
        fresh.multiLine = keeping.multiLine = true;
        for (const double v : values) same(v);
        fresh.multiLine = keeping.multiLine = false;
    }
    fresh.format = keeping.format = "#,##0.###";
    EXPECT_EQ(same(1234.5), "1,234.5");
    {
        const testing::LocaleGuard german(',', '.');
        EXPECT_EQ(same(1234.5), "1.234,5");
    }
    EXPECT_EQ(same(1234.5), "1,234.5");
    fresh.format = keeping.format = "0.0 V";
    EXPECT_EQ(same(2), "2.0 V");
    fresh.multiLine = keeping.multiLine = true;
    EXPECT_EQ(same(2), "2.0\nV");
    // Many values: the texts stay right after the kept ones are let go.
    for (int i = 0; i < 1000; ++i) same(i * 0.25);
    const std::string tooLong(300, '0');
    fresh.format = keeping.format = tooLong;
    for (int attempt = 0; attempt < 2; ++attempt) EXPECT_THROW(AxisLabelText(keeping, 1.0), EConvertError);
}

TEST(MarkerShapes, EveryStyleLiesInItsBoxAndTheStarIsBothCrosses) {
    struct Case {
        TSeriesPointerStyle style;
        TMarkerKind kind;
        std::size_t corners;
    };
    const Case cases[] = {
        {psRectangle, mkRectangle, 2},  {psCircle, mkEllipse, 2},       {psTriangle, mkPolygon, 3},
        {psDownTriangle, mkPolygon, 3}, {psLeftTriangle, mkPolygon, 3}, {psRightTriangle, mkPolygon, 3},
        {psDiamond, mkPolygon, 4},      {psCross, mkLines, 4},          {psDiagCross, mkLines, 4},
        {psStar, mkLines, 8},           {psSmallDot, mkDot, 2},         {psNothing, mkNothing, 0},
    };
    const int hs = 4, vs = 3;
    for (const Case& c : cases) {
        const TMarkerShape& shape = MarkerShape(c.style);
        EXPECT_EQ(shape.kind, c.kind) << c.style;
        EXPECT_EQ(shape.corners.size(), c.corners) << c.style;
        for (const TMarkerCorner& k : shape.corners) {
            const int x = k.sx * hs + k.dx, y = k.sy * vs + k.dy;
            EXPECT_TRUE(x >= -hs && x <= hs + 1 && y >= -vs - 1 && y <= vs + 1) << c.style << ": " << x << "," << y;
        }
    }
    // A 4-pixel rectangle is 9 by 9 pixels centred on its point.
    const auto box = MarkerShape(psRectangle).corners;
    EXPECT_EQ(box[1].sx * 4 + box[1].dx - (box[0].sx * 4 + box[0].dx), 9);
    // The upright cross lies along the axes through the point, the
    // diagonal one off them; the star has both.
    auto upright = [](std::span<const TMarkerCorner> c, std::size_t i) {
        return (c[i].sy == 0 && c[i + 1].sy == 0 && c[i].dy == 0 && c[i + 1].dy == 0) ||
               (c[i].sx == 0 && c[i + 1].sx == 0 && c[i].dx == 0 && c[i + 1].dx == 0);
    };
    auto diagonal = [](std::span<const TMarkerCorner> c, std::size_t i) {
        return c[i].sx != 0 && c[i].sy != 0 && c[i + 1].sx != 0 && c[i + 1].sy != 0;
    };
    const auto cross = MarkerShape(psCross).corners, diag = MarkerShape(psDiagCross).corners,
               star = MarkerShape(psStar).corners;
    for (std::size_t i = 0; i < 4; i += 2) {
        EXPECT_TRUE(upright(cross, i));
        EXPECT_TRUE(diagonal(diag, i));
        EXPECT_TRUE(upright(star, i));
        EXPECT_TRUE(diagonal(star, i + 4));
    }
    EXPECT_EQ(MarkerShape(static_cast<TSeriesPointerStyle>(99)).kind, mkNothing);
}

}  // namespace
}  // namespace cvcalc
