// The report as PDF and on the printer, read back with poppler's tools: one
// or two A4 pages, the window's numbers as searchable text, fonts embedded,
// the charts as vector drawings (no pictures), and the document engine's
// paging, figures and failures.
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <optional>
#include <regex>
#include <string>
#include <vector>

#include "chart/ChartAxis.h"
#include "chart/ChartAxisTitle.h"
#include "framework/Canvas.h"
#include "platform/core/Exception.h"
#include "platform/gui/ReportDocument.h"
#include "platform/gui/Surface.h"
#include "tests/results/ReportRun.h"

namespace cvcalc {
namespace {

std::string TempPath(const std::string& name) {
    static int files = 0;
    return ::testing::TempDir() + "/report-" + std::to_string(getpid()) + "-" + std::to_string(++files) + "-" + name;
}

std::string WriteTemp(const std::string& bytes) {
    const std::string path = TempPath("doc.pdf");
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

// What a command prints on standard output.
std::string Output(const std::string& command) {
    std::string out;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        std::size_t n = 0;
        while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
        pclose(pipe);
    }
    return out;
}

int Pages(const std::string& pdf) {
    std::smatch m;
    const std::string info = Output("pdfinfo '" + pdf + "' 2>/dev/null");
    return std::regex_search(info, m, std::regex("Pages:\\s+([0-9]+)")) ? std::stoi(m[1]) : -1;
}

// `text` with ideographic spaces as spaces and runs of white space made one.
std::string Spaced(const std::string& text) {
    return std::regex_replace(std::regex_replace(text, std::regex("\xE3\x80\x80"), " "), std::regex("\\s+"), " ");
}

// The document's text, spaced.
std::string Text(const std::string& pdf) { return Spaced(Output("pdftotext -enc UTF-8 '" + pdf + "' - 2>/dev/null")); }

class ReportPdfTest : public ReportRunFixture {};

const ReportInputs Clamped = {{"5e13", "2.5e16", "0.01", "-20"}, {1e14, 2.5e16, 0.1, -10}};

TEST_F(ReportPdfTest, OneOrTwoA4PagesWithTheWindowsTextsAndVectorCharts) {
    const RunRecord run = Run(Clamped);
    const std::vector<TCustomChart*> charts = Charts();
    const std::string pdf = WriteTemp(RunReportPdf(run, charts));
    const int pages = Pages(pdf);
    EXPECT_GE(pages, 1);
    EXPECT_LE(pages, 2);
    EXPECT_NE(Output("pdfinfo '" + pdf + "'").find("(A4)"), std::string::npos);
    EXPECT_NE(Output("pdfinfo '" + pdf + "'").find("計算レポート"), std::string::npos);

    const std::string text = Text(pdf);
    // The Vbi label's exact text, and the inputs as used.
    EXPECT_NE(text.find(FormPNJunction->LabelDiffusionPotential->Caption()), std::string::npos);
    for (const std::string& used : run.usedText) EXPECT_NE(text.find(" " + used + " "), std::string::npos) << used;
    EXPECT_EQ(run.usedText[0], "1E14");
    EXPECT_EQ(run.usedText[2], "0.1");
    EXPECT_NE(text.find("C = " + FloatToGeneralText(run.BiasCapacitance) + " F"), std::string::npos);
    // The charts' own texts are text in the figures.
    for (TCustomChart* chart : charts) {
        const std::string title = Spaced(chart->BottomAxis()->Title()->Caption());
        if (!title.empty()) {
            EXPECT_NE(text.find(title), std::string::npos) << chart->Name();
        }
    }
    EXPECT_NE(text.find("エネルギーバンド図"), std::string::npos);
    EXPECT_NE(text.find("1/C²–V特性"), std::string::npos);
    EXPECT_NE(text.find("計算の過程"), std::string::npos);

    // Every font embedded; no picture anywhere (the charts are paths).
    const std::string fonts = Output("pdffonts '" + pdf + "'");
    int fontRows = 0;
    std::size_t line = fonts.find('\n', fonts.find('\n') + 1);  // after the two heading lines
    while (line != std::string::npos && line + 1 < fonts.size()) {
        const std::size_t next = fonts.find('\n', line + 1);
        const std::string row = fonts.substr(line + 1, next == std::string::npos ? next : next - line - 1);
        line = next;
        if (row.empty()) continue;
        ++fontRows;
        EXPECT_NE(row.find(" yes "), std::string::npos) << row;
    }
    EXPECT_GE(fontRows, 1) << fonts;
    const std::string images = Output("pdfimages -list '" + pdf + "'");
    EXPECT_EQ(std::count(images.begin(), images.end(), '\n'), 2) << images;
    std::remove(pdf.c_str());
}

TEST_F(ReportPdfTest, BeforeAnyRunTheDocumentSaysSo) {
    const std::string pdf = WriteTemp(RunReportPdf(RunRecord{}, Charts()));
    EXPECT_EQ(Pages(pdf), 1);
    const std::string text = Text(pdf);
    EXPECT_NE(text.find("まだ計算していません"), std::string::npos);
    EXPECT_EQ(text.find("エネルギーバンド図"), std::string::npos);
    std::remove(pdf.c_str());
}

TEST_F(ReportPdfTest, PrintingAsksTheDialogAndPrintsTheSameReport) {
    const RunRecord run = Run(Clamped);
    const std::vector<TCustomChart*> charts = Charts();
    const std::string target = TempPath("printed.pdf");
    std::vector<PrintRequest> requests;
    const struct {
        std::optional<std::string> answer;
        bool printed;
    } steps[] = {{std::nullopt, false}, {target, true}};
    for (const auto& step : steps) {
        SetPrintDialogResponder([&](const PrintRequest& r) {
            requests.push_back(r);
            return step.answer;
        });
        EXPECT_EQ(PrintRunReport(&FormPNJunction->Handle(), run, charts), step.printed);
        EXPECT_EQ(access(target.c_str(), F_OK) == 0, step.printed);
    }
    SetPrintDialogResponder({});
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].title, "計算レポート");
    EXPECT_EQ(requests[0].owner, &FormPNJunction->Handle());
    const int pages = Pages(target);
    EXPECT_GE(pages, 1);
    EXPECT_LE(pages, 2);
    EXPECT_NE(Text(target).find(run.diffusionPotentialText), std::string::npos);
    std::remove(target.c_str());

    // A printer that cannot print (here: into a folder that is not there).
    const std::string nowhere = TempPath("missing") + "/printed.pdf";
    SetPrintDialogResponder([&](const PrintRequest&) { return std::optional<std::string>(nowhere); });
    try {
        PrintRunReport(nullptr, run, charts);
        ADD_FAILURE() << "printed into " << nowhere;
    } catch (const EPrint& e) {
        EXPECT_EQ(e.Message(), "印刷できません: " + nowhere);
    }
    SetPrintDialogResponder({});
    EXPECT_NE(access(nowhere.c_str(), F_OK), 0);
}

TEST(ReportDocument, TextFlowsOverPagesAndFiguresFollowInRows) {
    std::string longText = "<h1>Long</h1>";
    for (int i = 0; i < 150; ++i) longText += "<p>Paragraph " + std::to_string(i) + " of the long text.</p>";
    // Each figure draws a rectangle and its own name, once.
    std::vector<int> draws(3, 0);
    std::vector<DocumentFigure> figures;
    for (int i = 0; i < 3; ++i)
        figures.push_back({200, 150, "Figure " + std::to_string(i), [&draws, i](TSurface& s) {
                               ++draws[i];
                               s.Rectangle(0, 0, 200, 150);
                               s.TextOut(10, 10, "drawn" + std::to_string(i));
                           }});
    const struct {
        std::string html;
        int figureCount;
        int pagesMin, pagesMax;
    } cases[] = {
        {"<p>Short.</p>", 0, 1, 1},
        {"<p>Short.</p>", 3, 1, 1},
        {longText, 0, 3, 4},
        {longText, 3, 3, 5},
    };
    for (const auto& c : cases) {
        std::fill(draws.begin(), draws.end(), 0);
        const std::string pdf = WriteTemp(RenderPdfDocument(
            c.html, std::span<const DocumentFigure>(figures.data(), std::size_t(c.figureCount)), "Title"));
        const int pages = Pages(pdf);
        EXPECT_GE(pages, c.pagesMin) << c.figureCount;
        EXPECT_LE(pages, c.pagesMax) << c.figureCount;
        const std::string text = Text(pdf);
        EXPECT_NE(text.find(c.html.size() > 100 ? "Paragraph 149 of the long text." : "Short."), std::string::npos);
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(draws[i], i < c.figureCount ? 1 : 0);
            const bool shown = text.find("drawn" + std::to_string(i)) != std::string::npos &&
                               text.find("Figure " + std::to_string(i)) != std::string::npos;
            EXPECT_EQ(shown, i < c.figureCount) << i;
        }
        std::remove(pdf.c_str());
    }
    // What a figure throws ends the document and travels on.
    const DocumentFigure broken{10, 10, "broken", [](TSurface&) { throw Exception("figure failed"); }};
    try {
        RenderPdfDocument("<p>x</p>", std::span<const DocumentFigure>(&broken, 1), "Title");
        ADD_FAILURE() << "no error";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "figure failed");
    }
}

}  // namespace
}  // namespace cvcalc
