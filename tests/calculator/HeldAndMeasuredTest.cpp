// Comparing and analysing in the calculator window: held runs as overlays,
// measured C-V points, and the straight line through 1/C² — its exactness
// on the program's own curve, its range from the zoom, and what a failure
// leaves (one box, nothing drawn, nothing lost).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "calculator/Pnjunction.h"
#include "chart/ChartAxis.h"
#include "chart/ChartPen.h"
#include "chart/ChartSeries.h"
#include "chart/ChartValueList.h"
#include "chart/CustomChart.h"
#include "chart/CustomSeries.h"
#include "framework/Button.h"
#include "results/ChartExport.h"
#include "tests/calculator/CalculatorWindow.h"

namespace cvcalc {
namespace {

using HeldAndMeasuredTest = CalculatorWindowTest;

std::vector<std::string> SeriesNames(const TChart& chart) {
    std::vector<std::string> names;
    for (int i = 0; i < chart.NumSeries(); ++i) names.push_back(chart.SeriesAt(i)->Name());
    return names;
}

// Every chart's series by name with its points, to tell a change.
std::map<std::string, std::vector<double>> Everything(const TFormPNJunction& f) {
    std::map<std::string, std::vector<double>> all;
    for (TChart* chart : f.ReportCharts())
        for (int i = 0; i < chart->NumSeries(); ++i) {
            std::vector<double> values;
            const TChartSeries& s = *chart->SeriesAt(i);
            for (int p = 0; p < s.PointCount(); ++p) {
                values.push_back(s.XValues()->Value(p));
                values.push_back(s.YValues()->Value(p));
            }
            all[chart->Name() + "." + s.Name()] = std::move(values);
        }
    return all;
}

TEST_F(HeldAndMeasuredTest, HeldRunsFollowTheElevenSurviveNewRunsAndReset) {
    Do([&] { f_->HoldCurves(); });  // before any run: refused with one box
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].text, "保持する計算結果がありません.");
    boxes_.clear();

    Run("1e15", "1e15", "1", "-10");
    const std::vector<std::string> eleven = SeriesNames(*f_->ChartEnergyBand);
    const std::vector<double> firstCurve = Everything(*f_).at("ChartCV.Series1");
    Choose(f_->ChartCV, 5);  // 曲線を保持
    EXPECT_EQ(f_->HeldRunCount(), 1);
    EXPECT_EQ(SeriesNames(*f_->ChartEnergyBand),
              (std::vector<std::string>{"Series3", "Series4", "Series5", "Series6", "Held1Series3", "Held1Series4",
                                        "Held1Series5", "Held1Series6"}));
    EXPECT_EQ(SeriesNames(*f_->ChartCV),
              (std::vector<std::string>{"Series1", "Series12", "Held1Series1", "Held1Series12"}));
    // Lighter and thinner, the tag names the inputs.
    const TChartSeries& held = *f_->ChartCV->SeriesAt(2);
    const TChartSeries& live = *f_->ChartCV->SeriesAt(0);
    EXPECT_NE(held.SeriesColor(), live.SeriesColor());
    EXPECT_NE(held.Pen()->Style(), live.Pen()->Style());
    EXPECT_LE(held.Pen()->Width(), std::max(1, live.Pen()->Width()));
    ASSERT_EQ(f_->ChartCV->Notes().size(), 1u);
    EXPECT_EQ(f_->ChartCV->Notes()[0].lines,
              (std::vector<std::string>{"Nd 1E15 Na 1E15 A 1 V -10", "held 1: Nd 1E15 Na 1E15 A 1 V -10"}));

    // The held curve keeps the points that shape it, in order, the ends
    // included; every point left out lies within a hundred-thousandth of
    // the curve's extent of the held line (both axes scaled to one).
    const auto thinned = [&](const std::vector<double>& full, const std::vector<double>& kept) {
        ASSERT_GE(kept.size(), 4u);
        EXPECT_EQ(kept[0], full[0]);
        EXPECT_EQ(kept.back(), full.back());
        double xlo = full[0], xhi = full[0], ylo = full[1], yhi = full[1];
        for (std::size_t i = 0; i < full.size(); i += 2) {
            xlo = std::min(xlo, full[i]), xhi = std::max(xhi, full[i]);
            ylo = std::min(ylo, full[i + 1]), yhi = std::max(yhi, full[i + 1]);
        }
        const double sx = 1 / (xhi - xlo), sy = 1 / (yhi - ylo);
        std::size_t k = 0;
        for (std::size_t i = 0; i < full.size(); i += 2) {
            while (k + 2 < kept.size() && kept[k + 2] < full[i]) k += 2;
            const double ax = kept[k] * sx, ay = kept[k + 1] * sy;
            const double dx = kept[k + 2] * sx - ax, dy = kept[k + 3] * sy - ay;
            const double px = full[i] * sx - ax, py = full[i + 1] * sy - ay;
            EXPECT_LE(std::abs(px * dy - py * dx) / std::hypot(dx, dy), 1.000001e-5) << "x = " << full[i];
        }
    };
    thinned(firstCurve, Everything(*f_).at("ChartCV.Held1Series1"));
    const std::vector<double> band = Everything(*f_).at("ChartEnergyBand.Series3");
    const std::vector<double> heldBand = Everything(*f_).at("ChartEnergyBand.Held1Series3");
    thinned(band, heldBand);
    EXPECT_LT(heldBand.size(), band.size() / 4);

    // A new run changes the eleven, not the held copy.
    const std::vector<double> heldCurve = Everything(*f_).at("ChartCV.Held1Series1");
    Run("2e16", "3e15", "4", "-1");
    EXPECT_EQ(Everything(*f_).at("ChartCV.Held1Series1"), heldCurve);
    EXPECT_NE(Everything(*f_).at("ChartCV.Series1"), firstCurve);
    // Eight at most: the oldest goes.
    for (int i = 0; i < 8; ++i) Do([&] { f_->HoldCurves(); });
    EXPECT_EQ(f_->HeldRunCount(), 8);
    EXPECT_EQ(f_->ChartVoltage->NumSeries(), 9);
    // Held1 is the oldest kept: the names renumber when the oldest goes,
    // and the legend says that it went.
    EXPECT_EQ(f_->ChartVoltage->SeriesAt(1)->Name(), "Held1Series9");
    EXPECT_EQ(f_->ChartVoltage->SeriesAt(8)->Name(), "Held8Series9");
    ASSERT_EQ(f_->ChartCV->Notes().size(), 1u);
    EXPECT_EQ(f_->ChartCV->Notes()[0].lines.size(), 10u);
    EXPECT_EQ(f_->ChartCV->Notes()[0].lines.back(), "at most 8 held: the oldest was replaced");
    // The automatic ranges take the held curves in.
    EXPECT_LE(f_->ChartCV->LeftAxis()->WorkingMinimum(), live.YValues()->MinValue());

    Choose(f_->ChartVoltage, 6);  // 保持を消去
    EXPECT_EQ(f_->HeldRunCount(), 0);
    EXPECT_EQ(SeriesNames(*f_->ChartEnergyBand), eleven);
    EXPECT_TRUE(f_->ChartCV->Notes().empty());

    // Reset empties the run's series; the held run is the student's and
    // stays until its own item clears it.
    Do([&] { f_->HoldCurves(); });
    f_->ButtonReset->Click();
    for (TChart* chart : f_->ReportCharts()) {
        const int own = chart == f_->ChartEnergyBand ? 4 : chart == f_->ChartVoltage ? 1 : 2;
        ASSERT_EQ(chart->NumSeries(), 2 * own);
        for (int i = 0; i < chart->NumSeries(); ++i)
            EXPECT_EQ(chart->SeriesAt(i)->PointCount() == 0, i < own) << chart->SeriesAt(i)->Name();
    }
    EXPECT_EQ(f_->HeldRunCount(), 1);
    EXPECT_TRUE(boxes_.empty());
}

TEST_F(HeldAndMeasuredTest, TheFitGivesTheRunsVbiAndDopingToTenDigits) {
    const struct {
        const char *nd, *na, *area, *bias;
    } runs[] = {{"1e15", "1e15", "1", "-10"},
                {"1e18", "1e14", "0.1", "0.5"},
                {"3e14", "7e17", "55", "-3"},
                {"5e16", "5e16", "100", "0.2"}};
    for (const auto& run : runs) {
        Run(run.nd, run.na, run.area, run.bias);
        Choose(f_->ChartC2V, 9);  // 直線フィット
        ASSERT_TRUE(f_->Fit()) << run.nd << " " << run.na;
        const LineFit& fit = *f_->Fit();
        const double nd = f_->Inputs().DonorDensity, na = f_->Inputs().AcceptorDensity;
        EXPECT_NEAR(fit.V0, f_->Result().DiffusionPotential, 1e-10 * f_->Result().DiffusionPotential);
        EXPECT_NEAR(fit.Neff, na * nd / (na + nd), 1e-10 * (na * nd / (na + nd)));
        EXPECT_EQ(fit.Points, f_->Result().SweepVoltages.Size());
        EXPECT_GT(fit.R2, 0.999999999);
        // A dashed line across the plot and the box of results.
        const TChartSeries& line = *f_->ChartC2V->SeriesAt(f_->ChartC2V->NumSeries() - 2);
        EXPECT_EQ(line.Name(), "FitLine");
        EXPECT_EQ(line.Pen()->Style(), psDash);
        ASSERT_EQ(f_->ChartC2V->Notes().size(), 1u);
        EXPECT_EQ(f_->ChartC2V->Notes()[0].lines.back(), "points " + std::to_string(fit.Points));
    }
    EXPECT_TRUE(boxes_.empty());
    // A new run takes the line fitted to the old curve away.
    Run("1e15", "1e15", "1", "-10");
    EXPECT_FALSE(f_->Fit());
    EXPECT_EQ(f_->ChartC2V->NumSeries(), 2);
}

TEST_F(HeldAndMeasuredTest, TheZoomChoosesThePointsAndAnEmptyRangeDrawsNothing) {
    Run("1e15", "1e15", "1", "-10");
    TChart* chart = f_->ChartC2V;
    chart->BottomAxis()->SetMinMax(-5.05, -2.95);  // as a zoom leaves it
    Do([&] { f_->FitStraightLine(); });
    ASSERT_TRUE(f_->Fit());
    EXPECT_EQ(f_->Fit()->Points, 21u);  // -5.0 .. -3.0 V
    EXPECT_NEAR(f_->Fit()->V0, f_->Result().DiffusionPotential, 1e-9);

    // One point in view: one box, the earlier line stays as it was.
    const auto before = Everything(*f_);
    chart->BottomAxis()->SetMinMax(-5.02, -4.98);
    Choose(chart, 9);
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].text, "フィットには表示範囲内に 2 点以上が必要です.");
    EXPECT_EQ(Everything(*f_), before);
    EXPECT_EQ(f_->Fit()->Points, 21u);
}

TEST_F(HeldAndMeasuredTest, MeasuredPointsShowOnBothChartsAndABadFileChangesNothing) {
    Run("1e15", "1e15", "1", "-10");
    const fs::path good = dir_ / "diode.csv";
    // 1/C² = 4 (1 V - V) nF^-2: a built-in potential of 1 V.
    std::ofstream(good) << "# a measured diode\nV;C (nF)\n0;0,5\n-3;0,25\n0,75;1\n";
    Choose(f_->ChartCV, 7, good.string());  // 測定データを読み込む…
    ASSERT_TRUE(f_->HasMeasuredData());
    ASSERT_EQ(boxes_.size(), 0u);
    const TChartSeries& cv = *f_->ChartCV->SeriesAt(2);
    const TChartSeries& c2v = *f_->ChartC2V->SeriesAt(2);
    EXPECT_EQ(cv.Name(), "MeasuredCV");
    EXPECT_EQ(c2v.Name(), "MeasuredC2V");
    ASSERT_EQ(cv.PointCount(), 3);
    // In voltage order, pF on the C-V chart and nF^-2 on the 1/C² chart.
    EXPECT_EQ(cv.XValues()->Value(0), -3);
    EXPECT_DOUBLE_EQ(cv.YValues()->Value(0), 250);
    EXPECT_DOUBLE_EQ(c2v.YValues()->Value(0), 16);
    EXPECT_DOUBLE_EQ(c2v.YValues()->Value(2), 1);
    for (const TRunSeries& row : RunSeries)
        EXPECT_NE((f_->*row.Chart)->SeriesAt(row.Index)->SeriesColor(), cv.SeriesColor()) << row.Name;

    // The fit takes the measured points now, with the run's area.
    Do([&] { f_->FitStraightLine(); });
    ASSERT_TRUE(f_->Fit());
    EXPECT_EQ(f_->Fit()->Points, 3u);
    EXPECT_NEAR(f_->Fit()->V0, 1.0, 1e-12);
    EXPECT_NEAR(f_->Fit()->Slope, -4e18, 4e6);
    const MaterialConstants k;
    const double neff = 2 / (k.ElementaryCharge * k.RelativePermittivity * k.VacuumPermittivity * 1e-12 * 4e18) * 1e-6;
    EXPECT_NEAR(f_->Fit()->Neff, neff, neff * 1e-12);

    // A file that cannot be read: one box, everything as it was.
    const auto before = Everything(*f_);
    const fs::path bad = dir_ / "bad.csv";
    std::ofstream(bad) << "V,C\n-1,2\n-2\n";
    Choose(f_->ChartC2V, 7, bad.string());  // 測定データを読み込む…
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].text, "測定データ '" + bad.string() + "' の 3 行目: 電圧と容量の 2 つの数値が必要です.");
    EXPECT_EQ(Everything(*f_), before);
    EXPECT_TRUE(f_->Fit());

    // Points all at one voltage determine no line: one box, nothing drawn.
    const fs::path same = dir_ / "same.csv";
    std::ofstream(same) << "V,C\n-1,5\n-1,6\n-1,7\n";
    boxes_.clear();
    Choose(f_->ChartCV, 7, same.string());
    ASSERT_TRUE(boxes_.empty());
    EXPECT_FALSE(f_->Fit());  // a new file takes the old line along
    Choose(f_->ChartC2V, 9);
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].text, "すべての点が同じ電圧にあるため直線を決められません.");
    EXPECT_FALSE(f_->Fit());
    EXPECT_TRUE(f_->ChartC2V->Notes().empty());
    EXPECT_EQ(f_->ChartC2V->SeriesAt(f_->ChartC2V->NumSeries() - 1)->Name(), "MeasuredC2V");
    Choose(f_->ChartC2V, 7, good.string());
    Do([&] { f_->FitStraightLine(); });
    ASSERT_TRUE(f_->Fit());

    // Clearing the points takes the line fitted to them along.
    Choose(f_->ChartCV, 8);  // 測定データを消去
    EXPECT_FALSE(f_->HasMeasuredData());
    EXPECT_FALSE(f_->Fit());
    EXPECT_EQ(f_->ChartCV->NumSeries(), 2);
    EXPECT_EQ(f_->ChartC2V->NumSeries(), 2);
}

}  // namespace
}  // namespace cvcalc

namespace cvcalc {
namespace {

// Distance of two colours in RGB, 0 … 441.
double ColourDistance(TColor a, TColor b) {
    return std::hypot(double(RedOf(a)) - RedOf(b), double(GreenOf(a)) - GreenOf(b), double(BlueOf(a)) - BlueOf(b));
}

TEST_F(HeldAndMeasuredTest, HeldRunsWereAllTintedTheSameAndTaggedOnOneChartOnly) {
    const char* biases[] = {"-10", "-8", "-6", "-4", "-2", "0", "0.2", "0.4", "0.5"};
    for (const char* bias : biases) {
        Run("1e15", "1e17", "1", bias);
        Do([&] { f_->HoldCurves(); });
    }
    ASSERT_TRUE(boxes_.empty());
    ASSERT_EQ(f_->HeldRunCount(), 8);
    // One look per run on all five charts; the eight pairwise far apart in
    // colour and from the current run's curves, neighbours apart in dash.
    std::vector<TColor> colours;
    std::vector<TPenStyle> dashes;
    for (int k = 1; k <= 8; ++k) {
        const std::string prefix = "Held" + std::to_string(k);
        TColor colour = clNone;
        for (TChart* chart : f_->ReportCharts())
            for (int i = 0; i < chart->NumSeries(); ++i) {
                const TChartSeries& s = *chart->SeriesAt(i);
                if (s.Name().rfind(prefix + "Series", 0) != 0) continue;
                if (colour == clNone) colour = s.SeriesColor();
                EXPECT_EQ(s.SeriesColor(), colour) << s.Name();
            }
        colours.push_back(colour);
        dashes.push_back(static_cast<const TCustomSeries&>(*f_->ChartCV->SeriesAt(2 * k)).Pen()->Style());
    }
    for (std::size_t a = 0; a < colours.size(); ++a) {
        for (std::size_t b = a + 1; b < colours.size(); ++b)
            EXPECT_GT(ColourDistance(colours[a], colours[b]), 60) << a << " " << b;
        for (const TRunSeries& row : RunSeries)
            EXPECT_GT(ColourDistance(colours[a], (f_->*row.Chart)->SeriesAt(row.Index)->SeriesColor()), 60) << a;
        if (a > 0) {
            EXPECT_NE(dashes[a], dashes[a - 1]) << a;
        }
        EXPECT_NE(dashes[a], psSolid);
    }
    // Every chart has the legend: the current run, then the held ones from
    // the oldest kept (the second run held; the first was replaced).
    for (TChart* chart : f_->ReportCharts()) {
        ASSERT_EQ(chart->Notes().size(), 1u) << chart->Name();
        const TChartNote& legend = chart->Notes()[0];
        ASSERT_EQ(legend.lines.size(), 10u);
        EXPECT_EQ(legend.lines[0], "Nd 1E15 Na 1E17 A 1 V 0.5");
        EXPECT_EQ(legend.lines[1], "held 1: Nd 1E15 Na 1E17 A 1 V -8");
        EXPECT_EQ(legend.lines[8], "held 8: Nd 1E15 Na 1E17 A 1 V 0.5");
        ASSERT_EQ(legend.swatches.size(), 9u);
        for (int k = 0; k < 8; ++k) EXPECT_EQ(legend.swatches[std::size_t(k) + 1].color, colours[std::size_t(k)]);
    }
    EXPECT_EQ(f_->HeldRunsInputs().front().number, 1);
    EXPECT_EQ(f_->HeldRunsInputs().front().inputs, "Nd 1E15 Na 1E17 A 1 V -8");
    // A held run keeps its look when the oldest goes: the new one takes the
    // freed one.
    const TColor second = colours[1];
    Do([&] { f_->HoldCurves(); });
    EXPECT_EQ(f_->ChartCV->SeriesAt(2)->SeriesColor(), second);
    EXPECT_EQ(f_->ChartCV->SeriesAt(16)->SeriesColor(), colours[0]);
    // In a vector figure each held curve is one dashed path, not one
    // element per segment: eight held runs add their curves, markers and
    // the legend's strokes, some thirty elements, not eight hundred.
    const auto polylines = [](const std::string& svg) {
        int n = 0;
        for (auto at = svg.find("<polyline"); at != std::string::npos; at = svg.find("<polyline", at + 1)) ++n;
        return n;
    };
    const int withHeld = polylines(ChartSvg(*f_->ChartCV));
    // Cleared, the legend goes.
    Do([&] { f_->ClearHeldCurves(); });
    EXPECT_LE(withHeld - polylines(ChartSvg(*f_->ChartCV)), 40);
    for (TChart* chart : f_->ReportCharts()) EXPECT_TRUE(chart->Notes().empty()) << chart->Name();
}

TEST_F(HeldAndMeasuredTest, FitLineStoppedAtTheZoomedRangeInsteadOfReachingV0) {
    Run("1e15", "1e18", "1", "-10");
    TChart* chart = f_->ChartC2V;
    const TChartRect plot = chart->PlotRect();
    InjectDrag(chart->Handle(), plot.left + 5, plot.top + 5, plot.left + 80, plot.bottom - 5);
    Settle();
    ASSERT_TRUE(chart->Zoomed());
    Do([&] { f_->FitStraightLine(); });
    ASSERT_TRUE(f_->Fit());
    const LineFit& fit = *f_->Fit();
    const int n = chart->NumSeries();
    const TChartSeries& line = *chart->SeriesAt(n - 2);
    const TChartSeries& marks = *chart->SeriesAt(n - 1);
    ASSERT_EQ(line.Name(), "FitLine");
    ASSERT_EQ(marks.Name(), "FitPoints");
    // The marks are the fitted range's ends on the computed curve; the line
    // runs from the first to 1/C² = 0 at V0, beyond the zoomed range.
    ASSERT_EQ(marks.PointCount(), 2);
    EXPECT_NEAR(marks.XValues()->Value(1) - marks.XValues()->Value(0), 0.1 * double(fit.Points - 1), 1e-9);
    ASSERT_EQ(line.PointCount(), 2);
    EXPECT_EQ(line.XValues()->Value(0), marks.XValues()->MinValue());
    EXPECT_EQ(line.XValues()->Value(1), fit.V0);
    EXPECT_EQ(line.YValues()->Value(1), 0);
    EXPECT_GT(fit.V0, chart->BottomAxis()->Maximum());
    // The box: the slope in the chart's units too, the area, N_eff against
    // the run's doping, placed clear of the fitted points.
    ASSERT_EQ(chart->Notes().size(), 1u);
    const TChartNote& box = chart->Notes()[0];
    EXPECT_EQ(box.place, TChartNote::Place::BestCorner);
    EXPECT_EQ(box.avoidFrom, marks.XValues()->MinValue());
    EXPECT_EQ(box.avoidTo, marks.XValues()->MaxValue());
    EXPECT_NE(box.lines[0].find(" nF^-2/V"), std::string::npos) << box.lines[0];
    EXPECT_NE(box.lines[1].find(" F^-2/V"), std::string::npos) << box.lines[1];
    EXPECT_EQ(box.lines[3], "A 1 mm²");
    EXPECT_NE(box.lines[5].find(" % of NaNd/(Na+Nd)"), std::string::npos) << box.lines[5];

    // Measured points fitted are marked each.
    const fs::path file = dir_ / "diode.csv";
    std::ofstream(file) << "V,C (nF)\n-3,0.25\n-2,0.2886751345948129\n0,0.5\n0.75,1\n";
    chart->UndoZoom();
    Do([&] {
        f_->LoadMeasuredData(file.string());
        f_->FitStraightLine();
    });
    ASSERT_TRUE(f_->Fit());
    EXPECT_EQ(chart->SeriesAt(chart->NumSeries() - 1)->PointCount(), 4);
    EXPECT_EQ(f_->Fit()->Points, 4u);
    EXPECT_TRUE(boxes_.empty());
}

}  // namespace
}  // namespace cvcalc
