// Results out of the calculator window: the charts' context menu, the
// operations behind its items, the files they write and what a failed save
// leaves (nothing, and one box).
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "app/ProgramWindows.h"
#include "calculator/Pnjunction.h"
#include "chart/ChartAxis.h"
#include "chart/ChartSeries.h"
#include "chart/ChartValueList.h"
#include "chart/CustomChart.h"
#include "framework/ApplicationErrors.h"
#include "framework/Bitmap.h"
#include "framework/Button.h"
#include "framework/Edit.h"
#include "help/Html.h"
#include "platform/gui/Clipboard.h"
#include "platform/gui/ComponentRegistry.h"
#include "platform/gui/InputInjection.h"
#include "platform/gui/MessageBox.h"
#include "platform/gui/MessageLoop.h"
#include "platform/gui/OffscreenBitmap.h"
#include "platform/gui/UserChoice.h"
#include "platform/gui/VectorDocument.h"
#include "results/ChartExport.h"
#include "shell/app/Application.h"
#include "tests/calculator/CalculatorWindow.h"

namespace cvcalc {
namespace {

using ChartResultsTest = CalculatorWindowTest;

TEST_F(ChartResultsTest, AStillRightClickOpensTheMenuOfEveryChartAndADragPansWithoutIt) {
    Run("1e15", "1e15", "1", "-10");
    for (TChart* chart : f_->ReportCharts()) {
        menus_.clear();
        const TChartRect& plot = chart->PlotRect();
        const int x = (plot.left + plot.right) / 2, y = (plot.top + plot.bottom) / 2;
        // A hand that trembles by a pixel or two still clicks.
        InjectMouseDown(chart->Handle(), x, y, MouseButton::Right);
        InjectMouseMove(chart->Handle(), x + 2, y - 1);
        InjectMouseUp(chart->Handle(), x + 2, y - 1, MouseButton::Right);
        ASSERT_EQ(menus_.size(), 1u) << chart->Name();
        EXPECT_EQ(menus_[0].window, &chart->Handle());
        EXPECT_EQ(menus_[0].x, x + 2);
        EXPECT_EQ(menus_[0].y, y - 1);
        std::vector<std::string> captions;
        for (const PopupMenuItem& item : menus_[0].items) captions.push_back(item.caption);
        captions.resize(7);
        EXPECT_EQ(captions, (std::vector<std::string>{"画像をコピー", "画像を保存…", "データを保存…",
                                                      "ズームを元に戻す", "計算レポート", "曲線を保持", "保持を消去"}));
        EXPECT_EQ(menus_[0].items[1].tip.rfind("Save image…", 0), 0u);

        // A drag pans as it always has, and no menu follows.
        menus_.clear();
        const double min = chart->BottomAxis()->WorkingMinimum(), max = chart->BottomAxis()->WorkingMaximum();
        InjectDrag(chart->Handle(), x, y, x - 40, y, MouseButton::Right);
        Settle();
        EXPECT_TRUE(menus_.empty()) << chart->Name();
        EXPECT_GT(chart->BottomAxis()->WorkingMinimum(), min) << chart->Name();
        EXPECT_GT(chart->BottomAxis()->WorkingMaximum(), max) << chart->Name();
        // Back to where it was, also through a drag and back.
        InjectDrag(chart->Handle(), x - 40, y, x + 3, y, MouseButton::Right);
        EXPECT_TRUE(menus_.empty()) << chart->Name();
    }
    // Before any run the charts are empty and the menu still opens.
    f_->ButtonReset->Click();
    menus_.clear();
    Choose(f_->ChartCV, -1);
    EXPECT_EQ(menus_.size(), 1u);
}

TEST_F(ChartResultsTest, MenuItemsDoWhatTheOperationsTheDriverCallsDo) {
    Run("3e15", "2e17", "2.5", "-4");
    TChart* chart = f_->ChartC2V;

    // Save image: a PNG by its extension, the bytes of the chart's bitmap.
    Choose(chart, 1, (dir_ / "menu.png").string());
    ASSERT_EQ(dialogs_.size(), 1u);
    EXPECT_TRUE(dialogs_[0].save);
    EXPECT_EQ(dialogs_[0].suggestedName, "ChartC2V.png");
    // PNG, SVG and PDF, then PNG at two and four times the size.
    ASSERT_EQ(dialogs_[0].filters.size(), 5u);
    EXPECT_EQ(dialogs_[0].filters[1].extension, "svg");
    f_->SaveChartFile(chart, (dir_ / "direct.png").string());
    EXPECT_EQ(ReadFile(dir_ / "menu.png"), ReadFile(dir_ / "direct.png"));
    EXPECT_EQ(ReadFile(dir_ / "menu.png").substr(1, 3), "PNG");

    // Save image as SVG, and Save data whatever the extension says.
    Choose(chart, 1, (dir_ / "menu.svg").string());
    f_->SaveChartFile(chart, (dir_ / "direct.svg").string());
    EXPECT_EQ(ReadFile(dir_ / "menu.svg"), ReadFile(dir_ / "direct.svg"));
    Choose(chart, 2, (dir_ / "menu-data.txt").string());
    f_->SaveChartFile(chart, (dir_ / "direct.csv").string());
    EXPECT_EQ(ReadFile(dir_ / "menu-data.txt"), ReadFile(dir_ / "direct.csv"));
    EXPECT_EQ(dialogs_.back().filters.at(0).extension, "csv");

    // Copy image: PNG and SVG on the clipboard, the same bytes.
    Choose(chart, 0);
    EXPECT_EQ(ClipboardData("image/png"), ReadFile(dir_ / "menu.png"));
    EXPECT_EQ(ClipboardData("image/svg+xml"), ReadFile(dir_ / "menu.svg"));

    // Undo zoom: as the undo drag, back to the automatic scales.
    const double min = chart->LeftAxis()->Minimum(), max = chart->LeftAxis()->Maximum();
    const TChartRect& plot = chart->PlotRect();
    InjectDrag(chart->Handle(), plot.left + 20, plot.top + 20, plot.left + 120, plot.top + 90);
    Settle();
    ASSERT_TRUE(chart->Zoomed());
    ASSERT_NE(chart->LeftAxis()->Minimum(), min);
    Choose(chart, 3);
    EXPECT_FALSE(chart->Zoomed());
    chart->PaintToBitmap();
    EXPECT_EQ(chart->LeftAxis()->Minimum(), min);
    EXPECT_EQ(chart->LeftAxis()->Maximum(), max);

    // Run report: the help window comes up with the report page.
    Choose(chart, 4);
    EXPECT_TRUE(FormHTML->Visible());

    // No item failed: no box.
    EXPECT_TRUE(boxes_.empty());
}

// The columns a data file gives each chart, in the report's order.
struct ChartColumns {
    const char* chart;
    const char* header;
};
const ChartColumns Columns[] = {
    {"ChartEnergyBand", "series,x (um),E (eV)"},     {"ChartChargeDensity", "series,x (um),charge density (cm^-3)"},
    {"ChartVoltage", "series,x (um),potential (V)"}, {"ChartCV", "series,V (V),C (pF)"},
    {"ChartC2V", "series,V (V),1/C^2 (nF^-2)"},
};

// A data file cut into its comment lines, its header line and its rows.
struct DataFile {
    std::vector<std::string> comments;
    std::string header;
    std::vector<std::string> rows;
};

DataFile ReadDataFile(const std::string& csv) {
    DataFile file;
    std::istringstream lines(csv);
    std::string line;
    while (std::getline(lines, line) && line.rfind("#", 0) == 0) file.comments.push_back(line);
    file.header = line;
    while (std::getline(lines, line)) file.rows.push_back(line);
    return file;
}

// The shortest text that reads back to `value`.
std::string Shortest(double value) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

TEST_F(ChartResultsTest, DataFilesHoldTheInputsAsUsedAndEveryPointToTheLastBit) {
    // Out-of-range inputs: the file gives what the run used.
    Run("5e13", "7.5e18", "1000", "3");
    for (TChart* chart : f_->ReportCharts()) {
        const DataFile file = ReadDataFile(f_->ChartData(chart));
        const auto& comments = file.comments;
        ASSERT_GE(comments.size(), 9u);
        EXPECT_EQ(comments[0], "# cvcalc 1.0");
        EXPECT_EQ(comments[1], "# ドナー密度 (cm^-3): 1e+14");
        EXPECT_EQ(comments[2], "# アクセプタ密度 (cm^-3): 1e+18");
        EXPECT_EQ(comments[3], "# 接合面積 (mm^2): 100");
        EXPECT_EQ(comments[4], "# 印加電圧 (V): " + DataNumber(f_->Inputs().Bias));
        EXPECT_EQ(comments[5], "# 拡散電位 Vbi (V): " + DataNumber(f_->Result().DiffusionPotential));
        EXPECT_EQ(comments[6].rfind("# グラフ: " + chart->Name(), 0), 0u);
        // The window's own axis titles stay in a comment.
        EXPECT_EQ(comments[7], "# ウィンドウの軸タイトル: x " + chart->BottomAxis()->Title()->Caption() + "; y " +
                                   chart->LeftAxis()->Title()->Caption());
        EXPECT_EQ(comments[8].rfind("# 列: 縦長の形式で 1 点 1 行", 0), 0u);
        // Every row reads back to the series' own doubles: the rows of
        // each series together, under one name, in the chart's order.
        std::size_t row = 0;
        for (int i = 0; i < chart->NumSeries(); ++i) {
            const TChartSeries& s = *chart->SeriesAt(i);
            const std::size_t first = row;
            for (int p = 0; p < s.PointCount(); ++p, ++row) {
                ASSERT_LT(row, file.rows.size()) << s.Name();
                const std::string& line = file.rows[row];
                const auto a = line.find(','), b = line.find(',', a + 1);
                ASSERT_NE(b, std::string::npos) << line;
                EXPECT_EQ(line.substr(0, a), file.rows[first].substr(0, file.rows[first].find(','))) << line;
                double x = 0, y = 0;
                std::from_chars(line.data() + a + 1, line.data() + b, x);
                std::from_chars(line.data() + b + 1, line.data() + line.size(), y);
                EXPECT_EQ(x, s.XValues()->Value(p)) << line;
                EXPECT_EQ(y, s.YValues()->Value(p)) << line;
            }
        }
        EXPECT_EQ(row, file.rows.size()) << chart->Name();
    }
    // After Reset: the header line and no rows.
    f_->ButtonReset->Click();
    const std::string empty = f_->ChartData(f_->ChartCV);
    EXPECT_NE(empty.find("# 計算はまだ行われていません\n"), std::string::npos);
    EXPECT_EQ(empty.substr(empty.size() - std::string("series,V (V),C (pF)\n").size()), "series,V (V),C (pF)\n");
}

TEST_F(ChartResultsTest, DataFilesNamedColumnsAndSeriesInJapaneseOrAsSeriesN) {
    // A held run, the current one, measured points and a line fitted to them.
    Run("1e15", "1e18", "1", "-3");
    f_->HoldCurves();
    Run("2e16", "1e18", "1", "-3");
    const fs::path measured = dir_ / "diode.csv";
    std::ofstream(measured) << "V,C (nF)\n-3,0.25\n0,0.5\n0.75,1\n";
    f_->LoadMeasuredData(measured.string());
    f_->FitStraightLine();
    Settle();
    const std::string held = "held 1 (Nd 1E15 Na 1E18 A 1 V -3) ";
    const std::vector<std::vector<std::string>> expected = {
        {"EC", "EV", "EF n", "EF p", held + "EC", held + "EV", held + "EF n", held + "EF p"},
        {"donor charge", "acceptor charge", held + "donor charge", held + "acceptor charge"},
        {"potential", held + "potential"},
        {"C", "bias marker", held + "C", held + "bias marker", "measured"},
        {"1/C2", "bias marker", held + "1/C2", held + "bias marker", "measured", "fit", "fit points"},
    };
    for (std::size_t c = 0; c < 5; ++c) {
        TChart* chart = f_->ReportCharts()[c];
        ASSERT_EQ(chart->Name(), Columns[c].chart);
        const DataFile file = ReadDataFile(f_->ChartData(chart));
        EXPECT_EQ(file.header, Columns[c].header);
        // Each series' rows together, in the chart's order.
        std::vector<std::string> names;
        for (const std::string& row : file.rows) {
            const std::string name = row.substr(0, row.find(','));
            if (names.empty() || names.back() != name) names.push_back(name);
        }
        EXPECT_EQ(names, expected[c]) << chart->Name();
        // The header names the held run and the fit with its range and area.
        const auto has = [&](const std::string& line) {
            return std::find(file.comments.begin(), file.comments.end(), line) != file.comments.end();
        };
        EXPECT_TRUE(has("# 保持 1: Nd 1E15 Na 1E18 A 1 V -3")) << chart->Name();
        EXPECT_TRUE(has("# フィット: 1/C^2 = slope V + intercept, 測定点 (C の単位 nF) の最小二乗法"));
        EXPECT_TRUE(has("# フィットの範囲 (V): " + DataNumber(f_->LastRun().fit.vmin) + " 〜 " +
                        DataNumber(f_->LastRun().fit.vmax)));
        EXPECT_TRUE(has("# フィットの面積 (mm^2): 1"));
        EXPECT_TRUE(has("# フィットの N_eff (cm^-3): " + DataNumber(f_->Fit()->Neff)));
        EXPECT_TRUE(has("# フィットの点数: 3"));
    }
    // Every series the window makes has a name of its own in the file.
    for (const TRunSeries& row : RunSeries) {
        const std::string data = f_->ChartData(f_->*row.Chart);
        EXPECT_EQ(data.find(std::string("\n") + row.Name + ","), std::string::npos) << row.Name;
    }
}

TEST_F(ChartResultsTest, EveryCsvNumberIsTheShortestRoundTripText) {
    // Inputs whose doubles have long 17-digit texts: -9.9 V, 3.3 mm².
    Run("2.5e16", "3e17", "3.3", "-9.9");
    f_->HoldCurves();
    Run("7e15", "1e17", "0.7", "-1.3");
    f_->FitStraightLine();
    Settle();
    int checked = 0;
    const auto expectShortest = [&](std::string_view text, const std::string& line) {
        double value = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
        ASSERT_EQ(error, std::errc()) << line;
        ASSERT_EQ(end, text.data() + text.size()) << line;
        EXPECT_EQ(text, Shortest(value)) << line;
        ++checked;
    };
    for (TChart* chart : f_->ReportCharts()) {
        const DataFile file = ReadDataFile(f_->ChartData(chart));
        for (const std::string& line : file.rows) {
            const auto a = line.find(','), b = line.find(',', a + 1);
            expectShortest(std::string_view(line).substr(a + 1, b - a - 1), line);
            expectShortest(std::string_view(line).substr(b + 1), line);
        }
        // The header's numbers too: "# name (unit): number", "# フィットの範囲 (V): a 〜 b".
        for (const std::string& line : file.comments) {
            const auto colon = line.find("): ");
            if (line.rfind("# フィットの範囲 (V): ", 0) == 0) {
                const std::string_view range = std::string_view(line).substr(colon + 3);
                const auto to = range.find(" 〜 ");
                expectShortest(range.substr(0, to), line);
                expectShortest(range.substr(to + std::string_view(" 〜 ").size()), line);
            } else if (colon != std::string::npos && line.find("グラフ:") == std::string::npos) {
                expectShortest(std::string_view(line).substr(colon + 3), line);
            }
        }
        EXPECT_NE(std::find(file.comments.begin(), file.comments.end(), "# 印加電圧 (V): -1.3"), file.comments.end());
    }
    EXPECT_GT(checked, 10000);
    // The round trip holds where digits are many: the shortest text of a
    // double with 17 significant digits still reads back to it.
    for (const double value : {0.1 + 0.2, -9.9, 1e-300, 5e-324, 1.7976931348623157e308}) {
        const std::string text = DataNumber(value);
        double back = 0;
        std::from_chars(text.data(), text.data() + text.size(), back);
        EXPECT_EQ(back, value) << text;
    }
    EXPECT_EQ(DataNumber(-9.9), "-9.9");
}

TEST_F(ChartResultsTest, VectorFiguresParseAndLookLikeTheBitmapsButAlongEdges) {
    // The measure: the SVG drawn back at the chart's size may differ from
    // the bitmap (by more than 24 in a channel) only within two pixels of an
    // edge of the bitmap (a pixel whose 5 x 5 neighbourhood is not one
    // colour), and in fewer than a twentieth of the pixels.
    Run("1e16", "3e14", "10", "-2");
    for (TChart* chart : f_->ReportCharts()) {
        // What the window shows over the chart: its bitmap and the graphic
        // controls on it (the band chart's labels), as every figure holds.
        TOffscreenBitmap bitmap(chart->ClientWidth(), chart->ClientHeight());
        bitmap.PaintWindow(chart->Handle());
        TOffscreenBitmap back(bitmap.Width(), bitmap.Height());
        ASSERT_TRUE(RenderSvg(ChartSvg(*chart), back)) << chart->Name();
        const int w = bitmap.Width(), h = bitmap.Height();
        auto edge = [&](int x, int y) {
            for (int dy = -2; dy <= 2; ++dy)
                for (int dx = -2; dx <= 2; ++dx)
                    if (bitmap.Pixel(x + dx, y + dy) != InvalidColor &&
                        bitmap.Pixel(x + dx, y + dy) != bitmap.Pixel(x, y))
                        return true;
            return false;
        };
        int differing = 0, offEdge = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const RgbColor a = bitmap.Pixel(x, y), b = back.Pixel(x, y);
                const int d =
                    std::max({std::abs(int(RedOf(a)) - int(RedOf(b))), std::abs(int(GreenOf(a)) - int(GreenOf(b))),
                              std::abs(int(BlueOf(a)) - int(BlueOf(b)))});
                if (d <= 24) continue;
                ++differing;
                if (!edge(x, y)) ++offEdge;
            }
        EXPECT_EQ(offEdge, 0) << chart->Name();
        EXPECT_LT(differing, w * h / 20) << chart->Name();
        // Texts stay text.
        const std::string svg = ChartSvg(*chart);
        EXPECT_NE(svg.find(">" + chart->BottomAxis()->LastLabels().front().text + "<"), std::string::npos)
            << chart->Name();
    }
    TOffscreenBitmap small(4, 4);
    EXPECT_FALSE(RenderSvg("<svg", small));

    // The PDF's texts are text: the axis titles come back out of it.
    const fs::path pdf = dir_ / "cv.pdf";
    f_->SaveChartFile(f_->ChartCV, pdf.string());
    const std::string command = "pdftotext -enc UTF-8 '" + pdf.string() + "' '" + (dir_ / "cv.txt").string() + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);
    const std::string text = ReadFile(dir_ / "cv.txt");
    EXPECT_NE(text.find("容量 C"), std::string::npos) << text;
    EXPECT_NE(text.find(f_->ChartCV->LeftAxis()->LastLabels().front().text), std::string::npos) << text;
}

TEST_F(ChartResultsTest, AFailedSaveLeavesNoFileAndShowsOneBoxNamingThePath) {
    Run("1e15", "1e15", "1", "-10");
    TChart* chart = f_->ChartCV;
    struct Case {
        std::string path;
        std::string box;
    };
    const std::string missing = (dir_ / "no-such-folder" / "cv.png").string();
    const std::string underFile = (dir_ / "plain" / "cv.svg").string();
    std::ofstream(dir_ / "plain") << "a file, not a folder";
    const std::string unknown = (dir_ / "cv.bmp").string();
    const Case cases[] = {
        {missing, SaveFailure(missing, "No such file or directory")},
        {underFile, SaveFailure(underFile, "Not a directory")},
        {unknown, SaveFailure(unknown, "対応していないファイル形式です")},
    };
    for (const Case& c : cases) {
        boxes_.clear();
        Choose(chart, 1, c.path);
        ASSERT_EQ(boxes_.size(), 1u) << c.path;
        EXPECT_EQ(boxes_[0].text, c.box);
        EXPECT_FALSE(fs::exists(c.path));
    }
    EXPECT_EQ(FilesInDir().size(), 1u);  // "plain" only

    // A disk that fills up halfway: the old file stays as it was and no
    // temporary file is left beside it.
    const fs::path target = dir_ / "cv.csv";
    std::ofstream(target) << "old";
    boxes_.clear();
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    const auto oldHandler = signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 1000;
    setrlimit(RLIMIT_FSIZE, &small);
    Choose(chart, 2, target.string());
    setrlimit(RLIMIT_FSIZE, &saved);
    signal(SIGXFSZ, oldHandler);
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].text, SaveFailure(target.string(), "File too large"));
    EXPECT_EQ(ReadFile(target), "old");
    EXPECT_EQ(FilesInDir().size(), 2u);

    // A cancelled dialog: nothing written, nothing shown.
    boxes_.clear();
    Choose(chart, 1, std::nullopt);
    EXPECT_TRUE(boxes_.empty());
    EXPECT_EQ(FilesInDir().size(), 2u);
}

}  // namespace
}  // namespace cvcalc
