// Axis arithmetic: checked setters, the nice-step sequence, the pixel
// mapping, the step search, label values and the room an axis takes.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "chart/ChartAxis.h"
#include "chart/ChartAxisError.h"
#include "chart/CustomAxisPanel.h"
#include "chart/CustomSeries.h"
#include "tests/chart/FixedMetrics.h"

namespace cvcalc {
namespace {

using test::FixedMetrics;
const double Inf = std::numeric_limits<double>::infinity();
const double NaN = std::numeric_limits<double>::quiet_NaN();

std::string ErrorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const EChartAxisError& e) {
        return e.Message();
    }
    return "";
}

TEST(ChartAxis, CheckedSettersRaiseTheirMessagesAndKeepTheOldValue) {
    TCustomAxisPanel chart(nullptr);
    TChartAxis& a = *chart.BottomAxis();
    a.SetMaximum(10);
    struct Case {
        std::function<void()> set;
        const char* message;
    };
    const Case cases[] = {
        {[&] { a.SetMinimum(11); }, "Axis Minimum Value must be <= Maximum"},
        {[&] { a.SetMinimum(NaN); }, "Axis Minimum Value must be <= Maximum"},
        {[&] { a.SetMaximum(-1); }, "Axis Maximum Value must be >= Minimum"},
        {[&] { a.SetIncrement(-0.5); }, "Axis increment must be >= 0"},
        {[&] { a.SetIncrement(NaN); }, "Axis increment must be >= 0"},
        {[&] { a.SetLabelsSeparation(-1); }, "Labels Separation % must be greater than 0"},
        {[&] { a.SetMinimum(10); }, ""},
        {[&] { a.SetMinimum(0); }, ""},
        {[&] { a.SetLabelsSeparation(0); }, ""},
        {[&] { a.SetIncrement(0); }, ""},
    };
    for (const Case& c : cases) EXPECT_EQ(ErrorOf(c.set), c.message);
    EXPECT_EQ(a.Minimum(), 0);
    EXPECT_EQ(a.Maximum(), 10);
    EXPECT_EQ(a.LabelsSeparation(), 0);
    EXPECT_EQ(a.Increment(), 0);
}

TEST(ChartAxis, NoRangeCheckWhileTheFormIsRead) {
    TCustomAxisPanel chart(nullptr);
    chart.IncludeState(csLoading);
    chart.LeftAxis()->SetMinimum(-2);
    chart.LeftAxis()->SetMaximum(-5);
    chart.LeftAxis()->SetMaximum(11);
    EXPECT_EQ(chart.LeftAxis()->Minimum(), -2);
    EXPECT_EQ(chart.LeftAxis()->Maximum(), 11);
    // While reading, Automatic does not overwrite the stored ends' flags.
    chart.LeftAxis()->SetAutomaticMaximum(true);
    chart.LeftAxis()->SetAutomatic(false);
    EXPECT_TRUE(chart.LeftAxis()->AutomaticMaximum());
}

TEST(ChartAxis, AutomaticFlags) {
    TCustomAxisPanel chart(nullptr);
    TChartAxis& a = *chart.LeftAxis();
    a.SetAutomaticMinimum(false);
    EXPECT_FALSE(a.Automatic());
    EXPECT_TRUE(a.AutomaticMaximum());
    a.SetAutomatic(true);
    EXPECT_TRUE(a.AutomaticMinimum());
    a.SetAutomatic(false);
    EXPECT_FALSE(a.AutomaticMaximum());
}

TEST(ChartAxis, SetMinMaxOrdersTheEndsAndKeepsASmallestRange) {
    struct Case {
        double a, b, min, max;
    };
    const Case cases[] = {{5, 1, 1, 5}, {1, 5, 1, 5}, {2, 2, 2, 2 + 1e-10}, {-3, -3 + 1e-12, -3, -3 + 1e-10}};
    for (const Case& c : cases) {
        TCustomAxisPanel chart(nullptr);
        chart.BottomAxis()->SetMinMax(c.a, c.b);
        EXPECT_FALSE(chart.BottomAxis()->Automatic());
        EXPECT_FALSE(chart.BottomAxis()->AutomaticMinimum());
        EXPECT_FALSE(chart.BottomAxis()->AutomaticMaximum());
        EXPECT_EQ(chart.BottomAxis()->Minimum(), c.min);
        EXPECT_EQ(chart.BottomAxis()->Maximum(), c.max);
    }
}

TEST(ChartAxis, NextNiceStep) {
    const double cases[][2] = {
        {1, 2},   {1.5, 2},   {2, 5},   {4.99, 5}, {5, 10}, {9.9, 10}, {10, 20}, {0.001, 0.002}, {0.002, 0.005},
        {0.5, 1}, {0.3, 0.5}, {20, 50}, {Inf, 1},  {0, 1},  {-3, 1},   {NaN, 1}, {1e300, 2e300},
    };
    for (const auto& c : cases) EXPECT_DOUBLE_EQ(NextNiceStep(c[0]), c[1]) << c[0];
}

TEST(ChartAxis, ValueToPixelAndBack) {
    TCustomAxisPanel chart(nullptr);
    TChartAxis& h = *chart.BottomAxis();
    TChartAxis& v = *chart.LeftAxis();
    h.SetMinMax(0, 100);
    v.SetMinMax(0, 100);
    h.AdjustMaxMin();
    v.AdjustMaxMin();
    h.SetPixels(10, 210);
    v.SetPixels(20, 220);
    struct Case {
        double value;
        int hpixel, vpixel;
    };
    const Case cases[] = {
        {0, 10, 220},    {100, 210, 20},       {50, 110, 120},          {0.25, 10, 220},  // 0.5 pixel: halves to even
        {0.75, 12, 218}, {1e9, 32767, -32767}, {-1e300, -32767, 32767}, {Inf, 32767, -32767}, {NaN, 32767, 32767},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(h.ValueToPixel(c.value), c.hpixel) << c.value;
        EXPECT_EQ(v.ValueToPixel(c.value), c.vpixel) << c.value;
    }
    EXPECT_DOUBLE_EQ(h.PixelToValue(60), 25);
    EXPECT_DOUBLE_EQ(v.PixelToValue(70), 75);
    h.SetInverted(true);
    EXPECT_EQ(h.ValueToPixel(0), 210);
    EXPECT_DOUBLE_EQ(h.PixelToValue(160), 25);
}

TEST(ChartAxis, ZeroRangeAndZeroSize) {
    TCustomAxisPanel chart(nullptr);
    TChartAxis& a = *chart.LeftAxis();
    a.AdjustMaxMin();  // no series: 0 … 0
    a.SetPixels(15, 315);
    EXPECT_TRUE(a.RangeIsZero());
    EXPECT_EQ(a.ValueToPixel(123), 165);
    EXPECT_EQ(a.PixelToValue(20), 0);
    a.SetPixels(40, 40);
    EXPECT_EQ(a.PixelToValue(40), 0);
    EXPECT_EQ(a.PixelToValue(41), 0);
}

TEST(ChartAxis, StepSearchWorkedExample) {
    // Range 21 with a smallest step of 0.001 and room for 8 labels climbs
    // 0.001, 0.002, 0.005, … , 2, 5.
    TCustomAxisPanel chart(nullptr);
    TChartAxis& a = *chart.BottomAxis();
    a.SetMinMax(-10, 11);
    a.SetIncrement(0.001);
    a.SetAxisValuesFormat("0");
    a.AdjustMaxMin();
    // The widest text ("-10") is 18 pixels, 20 with 10 % separation.
    a.SetPixels(0, 160);
    FixedMetrics m;
    EXPECT_EQ(a.LabelsThatFit(m), 8);
    EXPECT_DOUBLE_EQ(a.CalcLabelStep(m), 5);
    a.SetLabelsAlternate(true);
    EXPECT_DOUBLE_EQ(a.CalcLabelStep(m), 2.5);
    a.SetLabelsAlternate(false);
    a.SetLabelsSeparation(0);  // no search: the Increment itself
    EXPECT_DOUBLE_EQ(a.CalcLabelStep(m), 0.001);
}

TEST(ChartAxis, FewPointsGiveWholeSteps) {
    TCustomAxisPanel chart(nullptr);
    auto* s = new TPointSeries(nullptr);
    s->SetParentChart(&chart);
    s->AddPoint(-1, 3);
    TChartAxis& a = *chart.BottomAxis();
    a.SetMinMax(-11, 2);
    a.AdjustMaxMin();
    a.SetPixels(0, 2000);
    FixedMetrics m;
    EXPECT_GE(a.CalcLabelStep(m), 1);
    EXPECT_EQ(a.CalcLabelStep(m), 1);
}

TEST(ChartAxis, LabelValuesFromTheTopDown) {
    TCustomAxisPanel chart(nullptr);
    auto* s = new TLineSeries(nullptr);
    s->SetParentChart(&chart);
    s->AddPoint(0, 0);
    TChartAxis& a = *chart.BottomAxis();
    a.SetMinMax(-10, 11);
    a.AdjustMaxMin();
    a.SetPixels(0, 210);
    const auto labels = a.LabelValues(5);
    std::vector<double> values;
    for (const auto& l : labels) values.push_back(l.value);
    EXPECT_EQ(values, (std::vector<double>{10, 5, 0, -5, -10}));
    EXPECT_EQ(labels[0].pixel, 200);
    EXPECT_EQ(labels[0].text, "10");
    EXPECT_EQ(labels[4].pixel, 0);
    EXPECT_EQ(a.TickPixels(), (std::vector<int>{200, 150, 100, 50, 0}));

    a.SetLabelsOnAxis(false);
    EXPECT_EQ(a.LabelValues(5).size(), 4u);  // -10 lies on the axis end
    a.SetLabelsOnAxis(true);
    a.SetRoundFirstLabel(false);
    EXPECT_EQ(a.LabelValues(5).front().value, 11);
    EXPECT_TRUE(a.LabelValues(0.001).empty());  // 21000 steps
    EXPECT_TRUE(a.LabelValues(0).empty());
    EXPECT_TRUE(a.LabelValues(NaN).empty());
}

TEST(ChartAxis, ZeroMinimumKeepsItsLabelAndEmptyAxisShowsOneZero) {
    TCustomAxisPanel chart(nullptr);
    auto* s = new TLineSeries(nullptr);
    s->SetParentChart(&chart);
    s->AddPoint(0, 0.7);
    TChartAxis& a = *chart.LeftAxis();
    a.SetMinMax(0, 0.7);
    a.AdjustMaxMin();
    a.SetPixels(0, 300);
    // Seven subtractions of 0.1 from 0.7 leave rounding noise round zero.
    const auto labels = a.LabelValues(0.1);
    ASSERT_EQ(labels.size(), 7u);
    EXPECT_EQ(labels.front().text, "0.6");  // trunc(6.999…) = 6
    EXPECT_EQ(labels.back().text, "0");
    EXPECT_EQ(labels.back().pixel, 300);

    s->ClearPoints();
    TChartAxis& b = *chart.RightAxis();
    s->SetVertAxis(aRightAxis);
    b.AdjustMaxMin();
    b.SetPixels(0, 300);
    const auto one = b.LabelValues(1);
    ASSERT_EQ(one.size(), 1u);
    EXPECT_EQ(one[0].text, "0");
    EXPECT_EQ(one[0].pixel, 150);
}

TEST(ChartAxis, LabelStyleAndVisibility) {
    TCustomAxisPanel chart(nullptr);
    EXPECT_EQ(chart.BottomAxis()->ResolvedLabelStyle(), talNone);
    EXPECT_TRUE(chart.TopAxis()->VisibleInPaint());  // no active series at all
    auto* s = new TLineSeries(nullptr);
    s->SetParentChart(&chart);
    EXPECT_EQ(chart.BottomAxis()->ResolvedLabelStyle(), talValue);
    EXPECT_TRUE(chart.BottomAxis()->VisibleInPaint());
    EXPECT_FALSE(chart.TopAxis()->VisibleInPaint());
    EXPECT_FALSE(chart.DepthAxis()->VisibleInPaint());
    s->AddPoint(1, 1, "one");
    EXPECT_EQ(chart.BottomAxis()->ResolvedLabelStyle(), talText);
}

TEST(ChartAxis, MarkerMarginsWidenOnlyAutomaticEnds) {
    TCustomAxisPanel chart(nullptr);
    auto* p = new TPointSeries(nullptr);
    p->SetParentChart(&chart);
    p->AddPoint(1, 10);
    p->AddPoint(2, 20);
    TChartAxis& v = *chart.LeftAxis();
    v.SetAutomaticMinimum(false);  // minimum fixed at 0, maximum from the data
    v.SetMinimum(0);
    v.AdjustMaxMin();
    EXPECT_EQ(v.Maximum(), 20);
    v.SetPixels(15, 315);
    v.ApplyMarkerMargins();
    EXPECT_EQ(v.WorkingMinimum(), 0);
    // The largest point sits 5 pixels below the axis top.
    EXPECT_EQ(v.ValueToPixel(20), 20);
    EXPECT_EQ(v.ValueToPixel(0), 315);
    EXPECT_EQ(v.Maximum(), 20);  // the stored end does not drift
}

TEST(ChartAxis, RoomOfAnAxis) {
    TCustomAxisPanel chart(nullptr);
    auto* s = new TLineSeries(nullptr);
    s->SetParentChart(&chart);
    s->AddPoint(0, 0);
    FixedMetrics m;
    TChartAxis& b = *chart.BottomAxis();
    TChartAxis& l = *chart.LeftAxis();
    l.SetMinMax(-2, 11);
    l.AdjustMaxMin();
    EXPECT_EQ(b.TickRoom(), 7);  // pen 2 + 1, ticks 4
    EXPECT_EQ(b.LabelRoom(m, 1), 12);
    EXPECT_EQ(b.TitleRoom(m), 0);
    b.Title()->SetCaption("V");
    EXPECT_EQ(b.TitleRoom(m), 12);
    // "-2" and "10" rounded to the step of 5 ("0" and "10"), plus a space.
    EXPECT_EQ(l.LabelRoom(m, 5), 18);
    l.Title()->SetCaption("E");
    EXPECT_EQ(l.TitleRoom(m), 12);
    l.Title()->SetAngle(0);
    l.Title()->SetCaption("Energy");
    EXPECT_EQ(l.TitleRoom(m), 36);
    l.Ticks()->SetVisible(false);
    EXPECT_EQ(l.TickRoom(), 5);  // minor ticks of 2
    l.AxisPen()->SetVisible(false);
    l.MinorTicks()->SetVisible(false);
    EXPECT_EQ(l.TickRoom(), 0);
    l.SetLabelsSize(40);
    EXPECT_EQ(l.LabelRoom(m, 5), 40);
    l.SetLabels(false);
    EXPECT_EQ(l.LabelRoom(m, 5), 0);
}

TEST(ChartAxis, HugeTinyAndInfiniteRangesEndQuickly) {
    const double ranges[][2] = {{-1e308, 1e308}, {0, 1e-300}, {1, 1 + 1e-15},
                                {-Inf, Inf},     {0, Inf},    {1e20, 1e20 + 1e5}};
    for (const auto& r : ranges) {
        TCustomAxisPanel chart(nullptr);
        auto* s = new TLineSeries(nullptr);
        s->SetParentChart(&chart);
        s->AddPoint(r[0], r[0]);
        s->AddPoint(r[1], r[1]);
        TChartAxis& a = *chart.LeftAxis();
        a.AdjustMaxMin();
        a.SetPixels(0, 300);
        FixedMetrics m;
        const double q = a.CalcLabelStep(m);
        const auto labels = a.LabelValues(q);
        EXPECT_LE(labels.size(), static_cast<std::size_t>(AxisMaxLabelSteps + 3)) << r[0] << " " << r[1];
        (void)a.ValueToPixel(r[1]);
        (void)a.TotalRoom(m, q);
    }
}

}  // namespace
}  // namespace cvcalc
