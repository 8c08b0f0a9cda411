// Charts as PNG, SVG, PDF and CSV.
#include "results/ChartExport.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <utility>

#include "chart/ChartAxis.h"
#include "chart/ChartAxisTitle.h"
#include "chart/ChartSeries.h"
#include "chart/ChartValueList.h"
#include "chart/ChartWall.h"
#include "chart/CustomChart.h"
#include "framework/Bitmap.h"
#include "framework/Canvas.h"
#include "platform/core/AsciiCase.h"
#include "platform/core/Translate.h"
#include "platform/gui/OffscreenBitmap.h"
#include "platform/gui/ScaledImage.h"
#include "platform/gui/VectorDocument.h"
#include "shell/core/StringList.h"

namespace cvcalc {

namespace {

// The chart's name, and its title's text unless that is only the class
// name a new chart starts with.
std::string FigureTitle(const TCustomChart& chart) {
    std::string title = chart.Name();
    const TStringList& text = *chart.Title()->Text();
    if (text.Count() == 1 && text.Strings(0) == chart.ClassName()) return title;
    for (int i = 0; i < text.Count(); ++i) title += (i == 0 ? " — " : " ") + text.Strings(i);
    return title;
}

// A CSV field: quoted when it holds a separator, a quote or a line break.
std::string Field(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

// A comment line holds one line of text.
std::string OneLine(std::string_view text) {
    std::string line(text);
    for (char& c : line)
        if (c == '\r' || c == '\n') c = ' ';
    return line;
}

std::string VectorFigure(TCustomChart& chart, VectorFormat format, std::string_view about, ChartScales scales) {
    TVectorDocument document(format, chart.ClientWidth(), chart.ClientHeight(), FigureTitle(chart), about);
    TCanvas canvas;
    canvas.Attach(&document.Surface());
    if (scales == ChartScales::WholeRun)
        chart.DrawUnzoomedOnto(canvas);
    else
        chart.DrawOnto(canvas);
    canvas.Attach(nullptr);
    return document.Finish();
}

// The lines that tell of a run after the recorded one that stopped at an
// input error.
std::string LaterFailureText(const RunRecord& run) {
    const FailedRunRecord& failed = run.laterFailure;
    const std::string pattern =
        run.complete ? Tr("Export", "後の計算が入力エラーで中止されました (%1; 入力 Nd %2 Na %3 A %4 V %5)")
                     : Tr("Export", "計算が入力エラーで中止されました (%1; 入力 Nd %2 Na %3 A %4 V %5)");
    std::string text = FillArgs(pattern, {OneLine(failed.message), OneLine(failed.typed[0]), OneLine(failed.typed[1]),
                                          OneLine(failed.typed[2]), OneLine(failed.typed[3])});
    if (failed.capacitanceCurvesReplaced)
        text += Tr("Export", "; C-V と 1/C^2 の曲線は、その計算が中止される前に求めた掃引です");
    return text;
}

// A data number in the shortest text that reads back to it, appended
// where it goes: std::to_chars without a precision gives exactly that.
void AppendDataNumber(std::string& out, double value) {
    if (std::isnan(value)) {
        out += "nan";
    } else if (std::isinf(value)) {
        out += value < 0 ? "-inf" : "inf";
    } else {
        char buffer[32];
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
        out.append(buffer, std::size_t(result.ptr - buffer));
    }
}

// The k of a published name "Held<k><rest>", with the rest; nothing for
// any other name.
std::optional<std::pair<int, std::string_view>> HeldPrefix(std::string_view name) {
    constexpr std::string_view Prefix = "Held";
    if (name.substr(0, Prefix.size()) != Prefix) return std::nullopt;
    const char* first = name.data() + Prefix.size();
    const char* last = name.data() + name.size();
    int number = 0;
    const auto [end, error] = std::from_chars(first, last, number);
    if (error != std::errc() || end == first || *first == '-' || *first == '+') return std::nullopt;
    return std::pair{number, name.substr(std::size_t(end - name.data()))};
}

// A comment line that gives one number: "# <label>: <number>".
void AppendNumberComment(std::string& csv, std::string_view label, double value) {
    csv += "# ";
    csv += label;
    csv += ": ";
    AppendDataNumber(csv, value);
    csv += '\n';
}

// The fit's results and what they were made from, one comment line each.
void AppendFit(std::string& csv, const FitRecord& fit) {
    csv += "# ";
    csv += fit.onMeasured
               ? FillArgs(Tr("Export", "フィット: 1/C^2 = slope V + intercept, 測定点 (C の単位 %1) の最小二乗法"),
                          {OneLine(fit.measuredUnit)})
               : Tr("Export", "フィット: 1/C^2 = slope V + intercept, 計算した曲線の最小二乗法");
    csv += '\n';
    csv += "# " + Tr("Export", "フィットの範囲 (V)") + ": ";
    AppendDataNumber(csv, fit.vmin);
    csv += ' ';
    csv += Tr("Export", "〜");
    csv += ' ';
    AppendDataNumber(csv, fit.vmax);
    csv += '\n';
    AppendNumberComment(csv, Tr("Export", "フィットの面積 (mm^2)"), fit.areaSquareMillimetres);
    AppendNumberComment(csv, Tr("Export", "フィットの傾き (F^-2/V)"), fit.Slope);
    AppendNumberComment(csv, Tr("Export", "フィットの切片 (F^-2)"), fit.Intercept);
    AppendNumberComment(csv, Tr("Export", "フィットの V0 (V)"), fit.V0);
    AppendNumberComment(csv, Tr("Export", "フィットの N_eff (cm^-3)"), fit.Neff);
    AppendNumberComment(csv, Tr("Export", "フィットの R^2"), fit.R2);
    csv += "# " + Tr("Export", "フィットの点数") + ": " + std::to_string(fit.Points) + "\n";
}

}  // namespace

std::string_view FileExtension(std::string_view path) {
    const auto dot = path.rfind('.');
    const auto slash = path.rfind('/');
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash)) return {};
    return path.substr(dot + 1);
}

std::optional<ReportFileFormat> ReportFileFormatOf(std::string_view path) {
    const std::string_view extension = FileExtension(path);
    if (SameTextAscii(extension, "html") || SameTextAscii(extension, "htm")) return ReportFileFormat::Html;
    if (SameTextAscii(extension, "pdf")) return ReportFileFormat::Pdf;
    return std::nullopt;
}

std::optional<ChartFileFormat> ChartFileFormatOf(std::string_view path) {
    const std::string_view extension = FileExtension(path);
    if (SameTextAscii(extension, "png")) return ChartFileFormat::Png;
    if (SameTextAscii(extension, "svg")) return ChartFileFormat::Svg;
    if (SameTextAscii(extension, "pdf")) return ChartFileFormat::Pdf;
    if (SameTextAscii(extension, "csv")) return ChartFileFormat::Csv;
    return std::nullopt;
}

std::string ChartPng(TCustomChart& chart, std::string_view about, int scale) {
    const int w = std::max(chart.ClientWidth(), 0), h = std::max(chart.ClientHeight(), 0);
    if (scale <= 1) {
        // The window's own paint: the chart's bitmap, its labels over it.
        TBitmap picture;
        picture.SetSize(w, h);
        chart.PaintTo(picture.Canvas(), 0, 0);
        return picture.Offscreen().EncodePng(about);
    }
    TScaledImage picture(w, h, scale);
    TCanvas canvas;
    canvas.Attach(&picture.Surface());
    chart.DrawOnto(canvas);
    canvas.Attach(nullptr);
    return picture.EncodePng(about);
}

std::string ChartSvg(TCustomChart& chart, std::string_view about, ChartScales scales) {
    return VectorFigure(chart, VectorFormat::Svg, about, scales);
}

std::string ChartPdf(TCustomChart& chart, std::string_view about, ChartScales scales) {
    return VectorFigure(chart, VectorFormat::Pdf, about, scales);
}

std::string RunAbout(const RunRecord& run) {
    std::string about = run.complete ? RunInputsLine(run) : Tr("Export", "計算なし");
    if (run.laterFailure.present) about += "; " + LaterFailureText(run);
    return about;
}

std::string DataNumber(double value) {
    std::string text;
    AppendDataNumber(text, value);
    return text;
}

int HeldRunNumber(std::string_view published) {
    const auto held = HeldPrefix(published);
    return held ? held->first : 0;
}

std::string CsvSeriesName(std::string_view published, const CsvNames& names) {
    const auto own = [&](std::string_view name) {
        std::string given = names.series ? names.series(name) : std::string();
        return given.empty() ? std::string(name) : given;
    };
    const auto held = HeldPrefix(published);
    if (!held) return own(published);
    std::string name = "held " + std::to_string(held->first);
    for (const HeldRunInputs& run : names.held)
        if (run.number == held->first) name += " (" + OneLine(run.inputs) + ")";
    return name + " " + own(held->second);
}

std::string ChartCsv(const TCustomChart& chart, const RunRecord& run, const CsvNames& names) {
    const std::string xTitle = chart.BottomAxis()->Title()->Caption();
    const std::string yTitle = chart.LeftAxis()->Title()->Caption();
    const std::string xColumn = names.x.empty() ? xTitle : names.x;
    const std::string yColumn = names.y.empty() ? yTitle : names.y;
    std::string csv;
    csv += "# " + std::string(ProgramName) + " " + ProgramVersion + "\n";
    if (run.complete) {
        AppendNumberComment(csv, Tr("Export", "ドナー密度 (cm^-3)"), run.used.DonorDensity);
        AppendNumberComment(csv, Tr("Export", "アクセプタ密度 (cm^-3)"), run.used.AcceptorDensity);
        AppendNumberComment(csv, Tr("Export", "接合面積 (mm^2)"), run.used.JunctionArea);
        AppendNumberComment(csv, Tr("Export", "印加電圧 (V)"), run.used.Bias);
        AppendNumberComment(csv, Tr("Export", "拡散電位 Vbi (V)"), run.DiffusionPotential);
    } else {
        csv += "# " +
               (run.laterFailure.present ? Tr("Export", "完了した計算はまだありません")
                                         : Tr("Export", "計算はまだ行われていません")) +
               "\n";
    }
    if (run.laterFailure.present)
        csv += "# " + LaterFailureText(run) + Tr("Export", "; 下の行はグラフに表示されているものです") + "\n";
    for (const HeldRunInputs& held : names.held)
        csv += "# " + FillArgs(Tr("Export", "保持 %1: %2"), {std::to_string(held.number), OneLine(held.inputs)}) + "\n";
    if (run.fit.present) AppendFit(csv, run.fit);
    csv += "# " + Tr("Export", "グラフ") + ": " + OneLine(FigureTitle(chart)) + "\n";
    csv +=
        "# " + FillArgs(Tr("Export", "ウィンドウの軸タイトル: x %1; y %2"), {OneLine(xTitle), OneLine(yTitle)}) + "\n";
    csv +=
        "# " + Tr("Export", "列: 縦長の形式で 1 点 1 行: 点が属する系列, x, y。系列の行は描かれた順に続きます") + "\n";
    csv += "series," + Field(xColumn) + "," + Field(yColumn) + "\n";
    // Room for every row at once: a name and two numbers of up to 24
    // characters each.
    std::size_t rows = 0;
    for (int i = 0; i < chart.NumSeries(); ++i) rows += std::size_t(chart.SeriesAt(i)->PointCount());
    csv.reserve(csv.size() + rows * 64);
    for (int i = 0; i < chart.NumSeries(); ++i) {
        const TChartSeries& s = *chart.SeriesAt(i);
        const std::string name = Field(CsvSeriesName(s.Name(), names));
        for (int p = 0; p < s.PointCount(); ++p) {
            csv += name;
            csv += ',';
            AppendDataNumber(csv, s.XValues()->Value(p));
            csv += ',';
            AppendDataNumber(csv, s.YValues()->Value(p));
            csv += '\n';
        }
    }
    return csv;
}

std::string ChartFile(TCustomChart& chart, const RunRecord& run, ChartFileFormat format, int scale,
                      const CsvNames& names) {
    switch (format) {
    case ChartFileFormat::Png:
        return ChartPng(chart, RunAbout(run), scale);
    case ChartFileFormat::Svg:
        return ChartSvg(chart, RunAbout(run));
    case ChartFileFormat::Pdf:
        return ChartPdf(chart, RunAbout(run));
    case ChartFileFormat::Csv:
        break;
    }
    return ChartCsv(chart, run, names);
}

}  // namespace cvcalc
