// Results that belong to one run: a fit keeps the area it was made with,
// the report page and its links show the same results, a failed run leaves
// the record of the last completed one, Reset keeps the student's own data
// and the report's figures show the whole run whatever the zoom.  Each case
// is named after what once went wrong.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "calculator/Pnjunction.h"
#include "chart/ChartAxis.h"
#include "chart/ChartSeries.h"
#include "chart/CustomChart.h"
#include "framework/Bitmap.h"
#include "help/Html.h"
#include "help/LaboratorySite.h"
#include "help/WebBrowserControl.h"
#include "platform/gui/OffscreenBitmap.h"
#include "platform/gui/WebBrowser.h"
#include "results/ChartExport.h"
#include "results/RunReport.h"
#include "tests/calculator/CalculatorWindow.h"

namespace cvcalc {
namespace {

using TrustedResultsTest = CalculatorWindowTest;

constexpr const char* OutOfDateBox =
    "計算レポートのページが古くなっていました: 最新の結果で表示し直したので、もう一度選んでください.";

std::string Page(TFormPNJunction& f) { return RunReportPage(f.LastRun(), f.ReportFigures()); }

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// The fit's box: the note that keeps the fitted points in view.
std::vector<std::string> FitBox(const TFormPNJunction& f) {
    for (const TChartNote& note : f.ChartC2V->Notes())
        if (note.avoidFrom <= note.avoidTo) return note.lines;
    return {};
}

TEST_F(TrustedResultsTest, FitKeptItsDopingButTheBoxAndReportNamedNoAreaAfterANewRunChangedIt) {
    Run("1e15", "1e18", "0.5", "-3");
    const fs::path file = dir_ / "diode.csv";
    // 1/C² = 4 (1 V - V) nF^-2.
    std::ofstream(file) << "V,C (nF)\n-3,0.25\n0,0.5\n0.75,1\n";
    Do([&] {
        f_->LoadMeasuredData(file.string());
        f_->FitStraightLine();
    });
    ASSERT_TRUE(boxes_.empty());
    ASSERT_TRUE(f_->Fit());
    const double neff = f_->Fit()->Neff;
    const std::vector<std::string> box = FitBox(*f_);
    EXPECT_NE(std::find(box.begin(), box.end(), "A 0.5 mm²"), box.end());

    // A run at another area: the measured diode's doping and area stay.
    Run("1e15", "1e18", "2", "-3");
    ASSERT_TRUE(f_->Fit());
    EXPECT_EQ(f_->Fit()->Neff, neff);
    EXPECT_EQ(f_->LastRun().fit.areaSquareMillimetres, 0.5);
    EXPECT_EQ(FitBox(*f_), box);
    const std::string page = Page(*f_);
    EXPECT_TRUE(Contains(page, "フィットしたときの接合面積 A = 0.5 mm<sup>2</sup>"));
    EXPECT_TRUE(Contains(page, "上の計算は A = 2 mm<sup>2</sup> を使っています"));

    // A new fit reads the doping with the new run's area: N ∝ 1/A².
    Do([&] { f_->FitStraightLine(); });
    EXPECT_EQ(f_->LastRun().fit.areaSquareMillimetres, 2);
    EXPECT_NEAR(f_->Fit()->Neff, neff / 16, neff * 1e-14);
    EXPECT_TRUE(boxes_.empty());
}

TEST_F(TrustedResultsTest, FitBoxComparedNEffWithTheRunBeforeTheOneOnTheCharts) {
    Run("1e15", "1e18", "1", "-3");
    const fs::path file = dir_ / "diode.csv";
    std::ofstream(file) << "V,C (nF)\n-3,0.25\n0,0.5\n0.75,1\n";
    Do([&] {
        f_->LoadMeasuredData(file.string());
        f_->FitStraightLine();
    });
    const std::string before = FitBox(*f_).at(5);
    // Another run's doping: the box's percentage follows it, as the report's.
    Run("4e15", "1e18", "1", "-3");
    const std::string after = FitBox(*f_).at(5);
    EXPECT_NE(after, before);
    const double percent = std::stod(after.substr(4));
    const double na = 1e18, nd = 4e15;
    EXPECT_NEAR(percent, 100 * f_->Fit()->Neff / (na * nd / (na + nd)), 1e-3);
    // After Reset no run is on the charts to compare with.
    f_->ButtonReset->Click();
    Settle();
    for (const std::string& line : FitBox(*f_)) EXPECT_EQ(line.find("% of"), std::string::npos) << line;
}

TEST_F(TrustedResultsTest, ReportPdfLinkSavedANewerRunThanThePageShowed) {
    Run("1e15", "1e15", "1", "-10");
    const unsigned shown = f_->LastRun().resultsVersion;
    EXPECT_TRUE(Contains(Page(*f_), "action/save-report-pdf/" + std::to_string(shown) + "\""));
    Run("2e15", "1e18", "1", "-1");
    ASSERT_NE(f_->LastRun().resultsVersion, shown);

    // The page's link from before the run is refused and nothing written;
    // so is a link without a version.
    const fs::path pdf = dir_ / "report.pdf";
    answer_ = pdf.string();
    for (const std::string& link : {"save-report-pdf/" + std::to_string(shown), std::string("save-report-pdf"),
                                    "print-report/" + std::to_string(shown), std::string("save-report-pdf/x")}) {
        boxes_.clear();
        Do([&] { f_->ReportPageAction(link); });
        ASSERT_EQ(boxes_.size(), 1u) << link;
        EXPECT_EQ(boxes_[0].text, OutOfDateBox) << link;
    }
    EXPECT_FALSE(fs::exists(pdf));
    EXPECT_TRUE(dialogs_.empty());

    // The current page's link saves.
    boxes_.clear();
    Do([&] { f_->ReportPageAction("save-report-pdf/" + std::to_string(f_->LastRun().resultsVersion)); });
    EXPECT_TRUE(boxes_.empty());
    EXPECT_TRUE(fs::exists(pdf));
}

TEST_F(TrustedResultsTest, ReportPageKeptShowingTheOldRunAfterANewOne) {
    Run("1e15", "1e15", "1", "-10");
    f_->ShowRunReport();
    const std::shared_ptr<IWebBrowser2> browser = FormHTML->WebBrowserHelp->DefaultInterface();
    const auto loadsReach = [&](int n) {
        return ProcessEventsUntil([&] { return browser->CompletedLoads() >= n && !browser->Busy(); }, 20000);
    };
    ASSERT_TRUE(loadsReach(1));
    // Each change of the results loads the page again, in place.
    Run("2e15", "1e18", "1", "-1");
    ASSERT_TRUE(loadsReach(2));
    Do([&] { f_->HoldCurves(); });
    ASSERT_TRUE(loadsReach(3));
    EXPECT_EQ(browser->LocationURL(), LaboratoryReportPage);
    EXPECT_FALSE(browser->CanGoBack());
    EXPECT_TRUE(boxes_.empty());

    // Another page on show is left alone.
    FormHTML->ShowHomePage();
    ASSERT_TRUE(loadsReach(4));
    Run("3e15", "1e18", "1", "-1");
    ProcessEventsUntil([] { return false; }, 300);
    EXPECT_EQ(browser->CompletedLoads(), 4);
    EXPECT_EQ(browser->LocationURL(), LaboratoryHomePage);
}

TEST_F(TrustedResultsTest, ReportFigureLostTheBiasMarkerAfterAZoom) {
    Run("1e15", "1e15", "1", "-5");
    const std::string whole = Page(*f_);
    // Zoom the C-V chart into its left end, away from the bias marker.
    const TChartRect plot = f_->ChartCV->PlotRect();
    InjectDrag(f_->ChartCV->Handle(), plot.left + 2, plot.top + 2, plot.left + 60, plot.bottom - 2);
    Settle();
    ASSERT_TRUE(f_->ChartCV->Zoomed());
    const TChartAxis& bottom = *f_->ChartCV->BottomAxis();
    const double zoomedMin = bottom.WorkingMinimum(), zoomedMax = bottom.WorkingMaximum();
    const std::string zoomedPixels = f_->ChartCV->Bitmap().Offscreen().EncodePng();

    // The report draws the whole run, figures and all, as before the zoom.
    EXPECT_EQ(Page(*f_), whole);
    // The window keeps its zoom, to the pixel, and maps the mouse by it.
    EXPECT_EQ(bottom.WorkingMinimum(), zoomedMin);
    EXPECT_EQ(bottom.WorkingMaximum(), zoomedMax);
    EXPECT_EQ(f_->ChartCV->Bitmap().Offscreen().EncodePng(), zoomedPixels);
    EXPECT_TRUE(f_->ChartCV->Zoomed());
}

TEST_F(TrustedResultsTest, ResetThrewAwayHeldRunsMeasuredPointsAndTheirFit) {
    Run("1e15", "1e15", "1", "-10");
    const fs::path file = dir_ / "diode.csv";
    std::ofstream(file) << "V,C (pF)\n-3,250\n0,500\n0.75,1000\n";
    Do([&] {
        f_->HoldCurves();
        f_->LoadMeasuredData(file.string());
        f_->FitStraightLine();
    });
    ASSERT_TRUE(boxes_.empty());
    const std::vector<std::string> box = FitBox(*f_);
    f_->ButtonReset->Click();
    Settle();

    // The run's eleven series are empty; the student's own work stays.
    for (const TRunSeries& row : RunSeries) EXPECT_EQ((f_->*row.Chart)->SeriesAt(row.Index)->PointCount(), 0);
    EXPECT_EQ(f_->HeldRunCount(), 1);
    EXPECT_GT(f_->ChartCV->SeriesAt(2)->PointCount(), 0);
    EXPECT_TRUE(f_->HasMeasuredData());
    ASSERT_TRUE(f_->Fit());
    // The same box, less the comparison with a run no longer on the charts.
    std::vector<std::string> kept = box;
    kept.erase(kept.begin() + 5);
    EXPECT_EQ(FitBox(*f_), kept);
    EXPECT_FALSE(f_->LastRun().complete);
    EXPECT_TRUE(f_->LastRun().fit.present);
    // The report says there is no run, and still gives the fit and the
    // figures of what the charts show.
    const std::string page = Page(*f_);
    EXPECT_TRUE(Contains(page, "まだ計算していません"));
    EXPECT_TRUE(Contains(page, "1/C<sup>2</sup> の直線フィット"));
    EXPECT_TRUE(Contains(page, "<svg"));

    // A line through the computed curve goes with the curve.
    Do([&] { f_->ClearMeasuredData(); });
    Run("1e15", "1e15", "1", "-10");
    Do([&] { f_->FitStraightLine(); });
    ASSERT_TRUE(f_->Fit());
    f_->ButtonReset->Click();
    Settle();
    EXPECT_FALSE(f_->Fit());
    EXPECT_FALSE(f_->LastRun().fit.present);
}

TEST_F(TrustedResultsTest, RunStoppedAtAnInputErrorLeftTheRecordOfTheCurvesOnTheCharts) {
    Run("1e15", "1e15", "1", "-10");
    const RunRecord before = f_->LastRun();
    Do([&] { Run("abc", "1e15", "1", "-10"); });
    ASSERT_EQ(boxes_.size(), 1u);
    const RunRecord& after = f_->LastRun();
    EXPECT_TRUE(after.complete);
    EXPECT_EQ(after.usedText, before.usedText);
    EXPECT_EQ(after.BiasCapacitance, before.BiasCapacitance);
    ASSERT_TRUE(after.laterFailure.present);
    EXPECT_EQ(after.laterFailure.typed[0], "abc");
    EXPECT_EQ(after.laterFailure.message, boxes_[0].text.substr(0, boxes_[0].text.size() - 1));
    EXPECT_FALSE(after.laterFailure.capacitanceCurvesReplaced);
    // Holding still holds the run the charts show; a completed run ends
    // the note.
    Do([&] { f_->HoldCurves(); });
    EXPECT_EQ(f_->HeldRunCount(), 1);
    Run("1e15", "1e15", "1", "-10");
    EXPECT_FALSE(f_->LastRun().laterFailure.present);
}

TEST_F(TrustedResultsTest, BiasAtVbiLeftTheChartsWithTwoRunsAndOneRecordThatNamedNeither) {
    Run("1e15", "1e15", "1", "-10");
    Do([&] { f_->FitStraightLine(); });
    ASSERT_TRUE(f_->Fit());
    // Vbi is 0.8 V to the last bit here, so the bias clamps onto it and the
    // run stops after its sweep, which replaces the C-V curves.
    Do([&] { Run("3.17218807367572e+16", "1e17", "1", "1"); });
    ASSERT_EQ(boxes_.size(), 1u);
    const RunRecord& run = f_->LastRun();
    ASSERT_TRUE(run.laterFailure.present);
    EXPECT_TRUE(run.laterFailure.capacitanceCurvesReplaced);
    EXPECT_EQ(run.usedText[0], "1E15");
    // The line fitted to the replaced curve went with it; neither a hold nor
    // a fit of the computed curve can name one run now.
    EXPECT_FALSE(f_->Fit());
    boxes_.clear();
    Do([&] { f_->HoldCurves(); });
    Do([&] { f_->FitStraightLine(); });
    EXPECT_EQ(boxes_.size(), 2u);
    EXPECT_EQ(f_->HeldRunCount(), 0);
    // The files say whose curves they hold, also after a later bad input.
    Do([&] { Run("abc", "1e17", "1", "1"); });
    EXPECT_TRUE(f_->LastRun().laterFailure.capacitanceCurvesReplaced);
    const std::string csv = ChartCsv(*f_->ChartCV, f_->LastRun());
    EXPECT_TRUE(Contains(csv, "C-V と 1/C^2 の曲線は、その計算が中止される前に求めた掃引です"));
    EXPECT_TRUE(Contains(Page(*f_), "その計算が中止される前に求めた掃引です"));
    Run("1e15", "1e15", "1", "-10");
    EXPECT_FALSE(f_->LastRun().laterFailure.present);
}

TEST_F(TrustedResultsTest, HeaderlessFileWasReadAsPicofaradsWithoutAWord) {
    const fs::path bare = dir_ / "bare.csv", named = dir_ / "named.csv";
    std::ofstream(bare) << "-3,250\n0,500\n0.75,1000\n";
    std::ofstream(named) << "V,C [nF]\n-3,0.25\n0,0.5\n0.75,1\n";
    const auto label = [&] {
        for (const TChartNote& note : f_->ChartCV->Notes())
            if (!note.lines.empty() && note.lines[0].rfind("measured:", 0) == 0) return note.lines;
        return std::vector<std::string>();
    };
    Do([&] {
        f_->LoadMeasuredData(bare.string());
        f_->FitStraightLine();
    });
    EXPECT_EQ(label(), std::vector<std::string>{"measured: C in pF (assumed)"});
    EXPECT_EQ(FitBox(*f_).back(), "C in pF (assumed)");
    EXPECT_TRUE(Contains(Page(*f_), "pF (assumed) として読みました: ファイルに単位の記載がありません"));
    Do([&] { f_->LoadMeasuredData(named.string()); });
    EXPECT_EQ(label(), std::vector<std::string>{"measured: C in nF"});
    Do([&] { f_->ClearMeasuredData(); });
    EXPECT_TRUE(label().empty());
    EXPECT_TRUE(boxes_.empty());
}

}  // namespace
}  // namespace cvcalc
