// Figures out of the calculator window: vector figures at the exact
// positions of the values, each axis title one text, everything the window
// shows over a chart in every export of it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "chart/ChartAxis.h"
#include "chart/ChartAxisTitle.h"
#include "chart/ChartSeries.h"
#include "chart/ChartValueList.h"
#include "chart/CustomSeries.h"
#include "framework/Label.h"
#include "platform/gui/Clipboard.h"
#include "platform/gui/OffscreenBitmap.h"
#include "results/ChartExport.h"
#include "results/RunReport.h"
#include "tests/calculator/CalculatorWindow.h"

namespace cvcalc {
namespace {

using FigureExportTest = CalculatorWindowTest;

using Points = std::vector<std::pair<double, double>>;

// The points of every <polyline> of an SVG, in document order.
std::vector<Points> SvgPolylines(const std::string& svg) {
    std::vector<Points> lines;
    for (std::size_t at = svg.find("<polyline"); at != std::string::npos; at = svg.find("<polyline", at + 1)) {
        const std::size_t open = svg.find(" points=\"", at) + 9, close = svg.find('"', open);
        Points points;
        const char* p = svg.c_str() + open;
        const char* end = svg.c_str() + close;
        while (p < end) {
            char* next = nullptr;
            const double x = std::strtod(p, &next);
            if (next == p || *next != ',') break;
            const double y = std::strtod(next + 1, &next);
            points.emplace_back(x, y);
            p = next;
            while (p < end && *p == ' ') ++p;
        }
        lines.push_back(std::move(points));
    }
    return lines;
}

// The texts of every <text> of an SVG.
std::vector<std::string> SvgTexts(const std::string& svg) {
    std::vector<std::string> texts;
    for (std::size_t at = svg.find("<text"); at != std::string::npos; at = svg.find("<text", at + 1)) {
        const std::size_t open = svg.find('>', at) + 1;
        texts.push_back(svg.substr(open, svg.find("</text>", open) - open));
    }
    return texts;
}

// The positions a line series' visible points have at the last layout,
// consecutive repeats left out, as its line is drawn.
Points ExactPositions(const TCustomChart& chart, const TChartSeries& series) {
    const TChartAxis& h = *chart.BottomAxis();
    const TChartAxis& v = *chart.LeftAxis();
    Points points;
    for (int i = series.FirstValueIndex(); i <= series.LastValueIndex(); ++i) {
        const std::pair<double, double> p{h.ValueToPosition(series.XValues()->Value(i)),
                                          v.ValueToPosition(series.YValues()->Value(i))};
        if (points.empty() || points.back() != p) points.push_back(p);
    }
    return points;
}

TEST_F(FigureExportTest, SvgLinesWereSnappedToWholePixelsInsteadOfLyingAtTheValues) {
    // A zoom leaves points left of the plot, so the line also comes in
    // from the edge.
    Run("3.7e14", "2e17", "0.25", "0.4");
    const TChartRect& zoomPlot = f_->ChartCV->PlotRect();
    InjectDrag(f_->ChartCV->Handle(), zoomPlot.left + 60, zoomPlot.top + 20, zoomPlot.right - 30, zoomPlot.bottom - 40);
    Settle();
    ASSERT_TRUE(f_->ChartCV->Zoomed());
    for (TChart* chart : f_->ReportCharts()) {
        const std::string svg = ChartSvg(*chart);
        const std::vector<Points> lines = SvgPolylines(svg);
        const TChartRect& plot = chart->PlotRect();
        const double tolerance = 1e-6 * std::max(plot.right - plot.left, plot.bottom - plot.top);
        int checked = 0;
        for (int s = 0; s < chart->NumSeries(); ++s) {
            const auto* series = dynamic_cast<const TCustomSeries*>(chart->SeriesAt(s));
            // Dashed lines are a path per segment and markers split a line;
            // the solid curves are what a figure is made of.
            if (series == nullptr || !series->Active() || !series->DrawLine() || series->FirstValueIndex() < 0 ||
                series->Pointer()->Visible() || !series->Pen()->Visible() || series->Pen()->Style() != psSolid)
                continue;
            const Points expected = ExactPositions(*chart, *series);
            if (expected.size() < 2) continue;
            // The series' line is the polyline that ends at its last point
            // and holds its points in order (one more, where it comes in
            // from the plot's edge).
            bool found = false;
            for (const Points& line : lines) {
                if (line.size() != expected.size() && line.size() != expected.size() + 1) continue;
                const std::size_t skip = line.size() - expected.size();
                bool same = true;
                for (std::size_t i = 0; i < expected.size() && same; ++i)
                    same = std::abs(line[i + skip].first - expected[i].first) <= tolerance &&
                           std::abs(line[i + skip].second - expected[i].second) <= tolerance;
                found = found || same;
            }
            EXPECT_TRUE(found) << chart->Name() << " " << series->Name();
            ++checked;
        }
        EXPECT_GT(checked, 0) << chart->Name();
        // Not whole pixels: the curves lie between them.
        std::size_t fractional = 0;
        for (const Points& line : lines)
            for (const auto& [x, y] : line) fractional += (x != std::floor(x)) + (y != std::floor(y));
        EXPECT_GT(fractional, 0u) << chart->Name();
    }
}

TEST_F(FigureExportTest, AxisTitlesCameOutOfTheSvgInPiecesOfOneScriptEach) {
    Run("1e15", "1e15", "1", "-10");
    for (TChart* chart : f_->ReportCharts()) {
        const std::vector<std::string> texts = SvgTexts(ChartSvg(*chart));
        for (const TChartAxis* axis : {chart->BottomAxis(), chart->LeftAxis()}) {
            const std::string& caption = axis->Title()->Caption();
            if (caption.empty()) continue;
            EXPECT_EQ(std::count(texts.begin(), texts.end(), caption), 1) << chart->Name() << " " << caption;
        }
    }
    const std::vector<std::string> texts = SvgTexts(ChartSvg(*f_->ChartCV));
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "容量 C　[pF]"), 1);
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "容量 "), 0);
}

TEST_F(FigureExportTest, TheBandChartsLabelsWereMissingFromEveryExport) {
    Run("4e16", "4e16", "2", "-1");
    TChart* chart = f_->ChartEnergyBand;
    const std::string about = RunAbout(f_->LastRun());

    // PNG: the window's own pixels over the chart's rectangle, labels and all.
    TOffscreenBitmap shown(chart->ClientWidth(), chart->ClientHeight());
    shown.PaintWindow(chart->Handle());
    const std::string png = ChartPng(*chart, about);
    EXPECT_EQ(png, shown.EncodePng(about));
    // The bitmap alone (what the PNG used to be) differs where the labels lie.
    chart->PaintToBitmap();
    EXPECT_NE(png, chart->Bitmap().Offscreen().EncodePng(about));

    // SVG, PDF, the clipboard and the report's figure hold EC, EF and EV.
    const std::string svg = ChartSvg(*chart, about);
    const std::string unzoomed = ChartSvg(*chart, about, ChartScales::WholeRun);
    f_->CopyChartImage(chart);
    const std::string clipboardSvg = ClipboardData("image/svg+xml");
    EXPECT_EQ(ClipboardData("image/png"), png);
    const auto figures = f_->ReportFigures();
    const std::string page = RunReportPage(f_->LastRun(), figures);
    const fs::path pdf = dir_ / "bands.pdf", report = dir_ / "report.pdf";
    f_->SaveChartFile(chart, pdf.string());
    f_->SaveRunReport(report.string());
    for (const fs::path& path : {pdf, report}) {
        const std::string command =
            "pdftotext -enc UTF-8 '" + path.string() + "' '" + path.string() + ".txt' 2>/dev/null";
        ASSERT_EQ(std::system(command.c_str()), 0);
    }
    for (const TLabel* label : {f_->Label21, f_->Label22, f_->Label23}) {
        const std::string text = ">" + label->Caption() + "<";
        EXPECT_NE(svg.find(text), std::string::npos) << label->Caption();
        EXPECT_NE(unzoomed.find(text), std::string::npos) << label->Caption();
        EXPECT_NE(clipboardSvg.find(text), std::string::npos) << label->Caption();
        EXPECT_NE(page.find(text), std::string::npos) << label->Caption();
        EXPECT_NE(ReadFile(pdf.string() + ".txt").find(label->Caption()), std::string::npos) << label->Caption();
        EXPECT_NE(ReadFile(report.string() + ".txt").find(label->Caption()), std::string::npos) << label->Caption();
    }
    EXPECT_TRUE(boxes_.empty());
}

}  // namespace
}  // namespace cvcalc
