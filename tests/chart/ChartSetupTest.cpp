// The calculator's five axis set-ups at their design sizes: plot area,
// label steps and label texts with fixed-pitch metrics.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "chart/ChartAxis.h"
#include "chart/CustomAxisPanel.h"
#include "chart/CustomSeries.h"
#include "tests/chart/FixedMetrics.h"

namespace cvcalc {
namespace {

using test::FixedMetrics;

struct AxisSetup {
    bool fixedMin, fixedMax;
    double min, max, increment;
    const char* format;  // nullptr: the default
    const char* title;
};

struct ChartSetup {
    const char* name;
    int width, height;
    AxisSetup bottom, left;
    bool pointSeries;                    // a marker series after the curve
    std::vector<double> curveX, curveY;  // the curve's points
    // Expected results.
    TChartRect plot;
    double bottomStep, leftStep;
    std::vector<std::string> bottomLabels, leftLabels;
};

void Apply(TChartAxis& a, const AxisSetup& s) {
    if (s.fixedMin) a.SetAutomaticMinimum(false);
    if (s.fixedMax) a.SetAutomaticMaximum(false);
    if (s.fixedMin || s.fixedMax) {
        a.SetMaximum(s.max);
        a.SetMinimum(s.min);
    }
    a.SetIncrement(s.increment);
    if (s.format) a.SetAxisValuesFormat(s.format);
    a.Title()->SetCaption(s.title);
}

std::vector<std::string> Texts(const std::vector<TAxisLabel>& labels) {
    std::vector<std::string> t;
    for (const auto& l : labels) t.push_back(l.text);
    return t;
}

TEST(ChartSetup, PlotRectFromDefaultMargins) {
    TCustomAxisPanel chart(nullptr);
    EXPECT_EQ(chart.PlotRectFromMargins(400, 361), (TChartRect{13, 15, 387, 346}));
    chart.SetMarginUnits(muMarginPixels);
    EXPECT_EQ(chart.PlotRectFromMargins(400, 361), (TChartRect{4, 5, 396, 356}));
    EXPECT_EQ(chart.PlotRectFromMargins(0, 0), (TChartRect{4, 5, -4, -5}));
}

TEST(ChartSetup, TooSmallChartKeepsAnEmptyPlotArea) {
    TCustomAxisPanel chart(nullptr);
    auto* s = new TLineSeries(nullptr);
    s->SetParentChart(&chart);
    s->AddPoint(0, 0);
    s->AddPoint(1, 1);
    FixedMetrics m;
    const TChartRect r = chart.LayoutAxes(m, chart.PlotRectFromMargins(10, 10));
    EXPECT_LE(r.left, r.right);
    EXPECT_LE(r.top, r.bottom);
    EXPECT_EQ(chart.BottomAxis()->PixelToValue(r.left), 0);
}

TEST(ChartSetup, FiveChartsAtDesignSize) {
    const ChartSetup setups[] = {
        {"ChartEnergyBand",
         417,
         305,
         {true, true, -10, 11, 0.001, "#,##0.0##", "x"},
         {true, true, -2, 11, 0.001, nullptr, "E"},
         false,
         {-10, 0, 11},
         {1.1, 0.5, -0.2},
         {50, 13, 404, 261},
         5,
         1,
         {"10.0", "5.0", "0.0", "-5.0", "-10.0"},
         {"11", "10", "9", "8", "7", "6", "5", "4", "3", "2", "1", "0", "-1", "-2"}},
        {"ChartChargeDensity",
         425,
         185,
         {true, true, -10, 10, 0.01, "#,##0.0##", "x"},
         {false, false, 0, 0, 0, "#.#E+##", "rho"},
         false,
         {-1, -1, 0, 0, 2, 2},
         {0, 1.5e17, 1.5e17, -1e16, -1e16, 0},
         {80, 8, 412, 146},
         2,
         2e16,
         {"10.0", "8.0", "6.0", "4.0", "2.0", "0.0", "-2.0", "-4.0", "-6.0", "-8.0", "-10.0"},
         {"1.4E+17", "1.2E+17", "1E+17", "8E+16", "6E+16", "4E+16", "2E+16", "0E+0"}},
        {"ChartVoltage",
         409,
         225,
         {true, true, -10, 10, 0.001, "#,##0.0##", "x"},
         {true, true, -11, 1, 0.001, nullptr, "V"},
         false,
         {-10, 0, 10},
         {0, -0.4, -0.8},
         {56, 10, 396, 184},
         5,
         1,
         {"10.0", "5.0", "0.0", "-5.0", "-10.0"},
         {"1", "0", "-1", "-2", "-3", "-4", "-5", "-6", "-7", "-8", "-9", "-10", "-11"}},
        {"ChartCV",
         400,
         361,
         {true, true, -11, 2, 0, nullptr, "V"},
         {true, false, 0, 0, 0, nullptr, "C"},
         true,
         {-11, -5, 0, 0.7},
         {20.5, 35.1, 80.2, 142.7},
         {56, 15, 387, 315},
         1,
         10,
         {"2", "1", "0", "-1", "-2", "-3", "-4", "-5", "-6", "-7", "-8", "-9", "-10", "-11"},
         {"140", "130", "120", "110", "100", "90", "80", "70", "60", "50", "40", "30", "20", "10", "0"}},
        {"ChartC2V",
         400,
         330,
         {true, true, -11, 2, 0, nullptr, "V"},
         {true, false, 0, 0, 0, nullptr, "1/C2"},
         true,
         {-11, -5, 0, 0.7},
         {2380, 812, 155, 49},
         {68, 14, 387, 285},
         2,
         200,
         {"2", "0", "-2", "-4", "-6", "-8", "-10"},
         {"2,400", "2,200", "2,000", "1,800", "1,600", "1,400", "1,200", "1,000", "800", "600", "400", "200", "0"}},
    };
    FixedMetrics m;
    for (const ChartSetup& c : setups) {
        TCustomAxisPanel chart(nullptr);
        Apply(*chart.BottomAxis(), c.bottom);
        Apply(*chart.LeftAxis(), c.left);
        auto* curve = new TLineSeries(nullptr);
        curve->SetParentChart(&chart);
        for (std::size_t i = 0; i < c.curveX.size(); ++i) curve->AddPoint(c.curveX[i], c.curveY[i]);
        if (c.pointSeries) {
            auto* marker = new TPointSeries(nullptr);
            marker->SetParentChart(&chart);
            marker->AddPoint(c.curveX[1], c.curveY[1]);
        }
        const TChartRect plot = chart.LayoutAxes(m, chart.PlotRectFromMargins(c.width, c.height));
        const double qb = chart.BottomAxis()->CalcLabelStep(m);
        const double ql = chart.LeftAxis()->CalcLabelStep(m);
        const auto lb = Texts(chart.BottomAxis()->LabelValues(qb));
        const auto ll = Texts(chart.LeftAxis()->LabelValues(ql));
        EXPECT_EQ(plot, c.plot) << c.name;
        EXPECT_DOUBLE_EQ(qb, c.bottomStep) << c.name;
        EXPECT_DOUBLE_EQ(ql, c.leftStep) << c.name;
        EXPECT_EQ(lb, c.bottomLabels) << c.name;
        EXPECT_EQ(ll, c.leftLabels) << c.name;
        // Fixed ends stay exact; data never widen them.
        if (c.bottom.fixedMin) {
            EXPECT_EQ(chart.BottomAxis()->WorkingMinimum(), c.bottom.min) << c.name;
        }
        if (c.left.fixedMin) {
            EXPECT_EQ(chart.LeftAxis()->WorkingMinimum(), c.left.min) << c.name;
        }
        if (c.left.fixedMax) {
            EXPECT_EQ(chart.LeftAxis()->WorkingMaximum(), c.left.max) << c.name;
        }
        // A capacitance axis' largest point sits 5 pixels below the top.
        if (c.pointSeries) {
            double top = 0;
            for (double y : c.curveY) top = std::max(top, y);
            EXPECT_EQ(chart.LeftAxis()->ValueToPixel(top), plot.top + 5) << c.name;
        }
    }
}

}  // namespace
}  // namespace cvcalc
