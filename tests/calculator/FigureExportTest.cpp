// Figures out of the calculator window: vector figures at the exact
// positions of the values, each axis title one text, everything the window
// shows over a chart in every export of it, PNGs at two and four times the
// size, and SVG and PDF as large on paper as the chart on the screen.
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
#include "framework/Canvas.h"
#include "framework/Label.h"
#include "platform/gui/Clipboard.h"
#include "platform/gui/OffscreenBitmap.h"
#include "platform/gui/ScaledImage.h"
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

// A big-endian 32-bit number of a PNG's chunk.
std::uint32_t PngNumber(const std::string& png, std::size_t at) {
    std::uint32_t n = 0;
    for (std::size_t i = 0; i < 4; ++i) n = (n << 8) | static_cast<unsigned char>(png.at(at + i));
    return n;
}

// A number after `key` in a file's text.
double NumberAfter(const std::string& text, const std::string& key) {
    const std::size_t at = text.find(key);
    if (at == std::string::npos) return -1;
    return std::strtod(text.c_str() + at + key.size(), nullptr);
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

TEST_F(FigureExportTest, LargerPngsAreTheLayoutDrawnFinerAndSayTheirSizeOnPaper) {
    Run("1e16", "3e14", "10", "-2");
    TChart* chart = f_->ChartCV;
    const int w = chart->ClientWidth(), h = chart->ClientHeight();
    struct Case {
        int scale;
        std::uint32_t dotsPerMetre;  // 96 dpi times the scale
    };
    for (const Case c : {Case{2, 7559}, Case{4, 15118}}) {
        const std::string png = ChartPng(*chart, {}, c.scale);
        ASSERT_EQ(png.substr(12, 4), "IHDR");
        EXPECT_EQ(PngNumber(png, 16), std::uint32_t(w * c.scale));
        EXPECT_EQ(PngNumber(png, 20), std::uint32_t(h * c.scale));
        const std::size_t phys = png.find("pHYs");
        ASSERT_NE(phys, std::string::npos);
        EXPECT_EQ(PngNumber(png, phys + 4), c.dotsPerMetre);
        EXPECT_EQ(PngNumber(png, phys + 8), c.dotsPerMetre);

        // Drawn finer, not enlarged: within the chart's pixels the device
        // pixels differ (texts and lines have their own edges), and the
        // layout is the chart's: the plot's frame lies where the bitmap has
        // it, times the scale.
        TScaledImage image(w, h, c.scale);
        TCanvas canvas;
        canvas.Attach(&image.Surface());
        chart->DrawOnto(canvas);
        canvas.Attach(nullptr);
        image.FinishDrawing();
        int finer = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const RgbColor first = image.Pixel(x * c.scale, y * c.scale);
                for (int k = 1; k < c.scale * c.scale; ++k)
                    if (image.Pixel(x * c.scale + k % c.scale, y * c.scale + k / c.scale) != first) {
                        ++finer;
                        break;
                    }
            }
        EXPECT_GT(finer, 100) << c.scale;
        const TChartRect& plot = chart->PlotRect();
        chart->PaintToBitmap();
        const RgbColor frame = chart->Bitmap().Offscreen().Pixel(plot.left, (plot.top + plot.bottom) / 2);
        EXPECT_EQ(image.Pixel(plot.left * c.scale + c.scale / 2, (plot.top + plot.bottom) / 2 * c.scale), frame)
            << c.scale;
    }

    // The menu: the list's PNG (2×) and (4×) save the larger pictures; its
    // plain PNG stays the window's pixels.
    SetFileTypeResponder([](const FileDialogRequest&) { return std::size_t(4); });
    Choose(chart, 1, (dir_ / "four.png").string());
    SetFileTypeResponder({});
    ASSERT_EQ(dialogs_.size(), 1u);
    ASSERT_EQ(dialogs_[0].filters.size(), 5u);
    EXPECT_EQ(dialogs_[0].filters[0].label, "PNG 画像");
    EXPECT_EQ(dialogs_[0].filters[3].label, "PNG 画像 (2×)");
    EXPECT_EQ(dialogs_[0].filters[4].label, "PNG 画像 (4×)");
    const std::string four = ReadFile(dir_ / "four.png");
    ASSERT_GT(four.size(), 24u);
    EXPECT_EQ(PngNumber(four, 16), std::uint32_t(w * 4));
    // A typed .svg with the 4× type chosen is an SVG all the same.
    SetFileTypeResponder([](const FileDialogRequest&) { return std::size_t(4); });
    Choose(chart, 1, (dir_ / "typed.svg").string());
    SetFileTypeResponder({});
    EXPECT_NE(ReadFile(dir_ / "typed.svg").find("<svg"), std::string::npos);
    Choose(chart, 1, (dir_ / "one.png").string());
    EXPECT_EQ(ReadFile(dir_ / "one.png"), ChartPng(*chart, RunAbout(f_->LastRun())));
    EXPECT_TRUE(boxes_.empty());
}

TEST_F(FigureExportTest, SvgAndPdfCarryTheChartsSizeOnPaper) {
    Run("1e15", "1e15", "1", "-10");
    for (TChart* chart : f_->ReportCharts()) {
        const double w = chart->ClientWidth(), h = chart->ClientHeight();
        // SVG: millimetres at 96 pixels to the inch, and a view box in pixels.
        const std::string svg = ChartSvg(*chart);
        const std::string head = svg.substr(svg.find("<svg"), svg.find('>', svg.find("<svg")) - svg.find("<svg"));
        EXPECT_NEAR(NumberAfter(head, "width=\""), w * 25.4 / 96, 1e-3) << head;
        EXPECT_NEAR(NumberAfter(head, "height=\""), h * 25.4 / 96, 1e-3) << head;
        EXPECT_NE(head.find("mm\""), std::string::npos) << head;
        EXPECT_NE(head.find("viewBox=\"0 0 " + std::to_string(int(w)) + " " + std::to_string(int(h)) + "\""),
                  std::string::npos)
            << head;
        // PDF: a page of the chart's size in points, which Qt's writer
        // rounds to whole points.
        const fs::path pdf = dir_ / (chart->Name() + ".pdf");
        f_->SaveChartFile(chart, pdf.string());
        const std::string bytes = ReadFile(pdf);
        const std::size_t box = bytes.find("/MediaBox");
        ASSERT_NE(box, std::string::npos) << chart->Name();
        const char* p = bytes.c_str() + bytes.find('[', box) + 1;
        char* next = nullptr;
        double corners[4] = {};
        for (double& corner : corners) {
            corner = std::strtod(p, &next);
            p = next;
        }
        EXPECT_EQ(corners[0], 0);
        EXPECT_EQ(corners[1], 0);
        EXPECT_NEAR(corners[2], w * 0.75, 0.5) << chart->Name();
        EXPECT_NEAR(corners[3], h * 0.75, 0.5) << chart->Name();
    }
}

}  // namespace
}  // namespace cvcalc
