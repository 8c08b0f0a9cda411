// The calculator's results out of the window: each chart's context menu and
// the operations behind it, which the scripted driver calls too.
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "calculator/Pnjunction.h"
#include "chart/CustomChart.h"
#include "help/Html.h"
#include "platform/core/FileWrite.h"
#include "platform/core/MessageTable.h"
#include "platform/core/Resources.h"
#include "platform/gui/Clipboard.h"
#include "platform/gui/UserChoice.h"
#include "platform/gui/WebBrowser.h"
#include "results/ChartExport.h"
#include "results/RunReport.h"

namespace cvcalc {

namespace {

constexpr int UnknownFileTypeMessage = 65221;
constexpr int ReportOutOfDateMessage = 65223;

// The menu's items: captions in the window's language, the English gloss
// as each item's tip.
const PopupMenuItem CopyImageItem{"画像をコピー", "Copy image: the chart to the clipboard as PNG and SVG"};
const PopupMenuItem SaveImageItem{"画像を保存…", "Save image…: the chart as PNG, SVG or PDF"};
const PopupMenuItem SaveDataItem{"データを保存…", "Save data…: the chart's series as CSV"};
const PopupMenuItem UndoZoomItem{"ズームを元に戻す", "Undo zoom: the scales before the first zoom or pan"};
const PopupMenuItem RunReportItem{"計算レポート", "Run report: the worked solution of the last run in the help window"};
const PopupMenuItem HoldItem{"曲線を保持", "Hold curves: keep this run's curves on all five charts"};
const PopupMenuItem ClearHoldsItem{"保持を消去", "Clear held curves: remove the curves kept from earlier runs"};
const PopupMenuItem LoadMeasuredItem{"測定データを読み込む…",
                                     "Load measured C–V…: a text file of voltage and capacitance rows"};
const PopupMenuItem ClearMeasuredItem{"測定データを消去", "Clear measured data: remove the loaded points"};
const PopupMenuItem FitItem{"直線フィット",
                            "Fit straight line: least squares through 1/C² in the visible voltage range"};

}  // namespace

void TFormPNJunction::ShowRunReport() { FormHTML->ShowRunReport(); }

void TFormPNJunction::ResultsChanged() {
    UpdateChartNotes();
    DescribeCharts();
    run_.resultsVersion = ++resultsVersion_;
    if (FormHTML != nullptr) FormHTML->RefreshRunReport();
}

void TFormPNJunction::ReportPageAction(std::string_view action) {
    const ReportAction link = ParseReportAction(action);
    if (link.name != SaveReportPdfAction && link.name != PrintReportAction) return;
    // The page is made anew after every change, but a click can come
    // before the new page: a PDF must never show other results than the
    // page it was asked from.
    if (link.version != resultsVersion_) {
        if (FormHTML != nullptr) FormHTML->RefreshRunReport();
        throw Exception(LoadMessage(ReportOutOfDateMessage));
    }
    if (link.name == SaveReportPdfAction) {
        FileDialogRequest dialog;
        dialog.owner = &Handle();
        dialog.caption = "計算レポートを保存";
        dialog.filters = {{"PDF 文書", "pdf"}};
        dialog.suggestedName = "report.pdf";
        if (const auto path = AskFileName(dialog)) SaveRunReport(*path);
    } else {
        PrintReport();
    }
}

std::array<TCustomChart*, 5> TFormPNJunction::ReportFigures() const {
    const auto c = ReportCharts();
    return {c[0], c[1], c[2], c[3], c[4]};
}

void TFormPNJunction::SaveRunReport(const std::string& path) {
    const auto figures = ReportFigures();
    const auto format = ReportFileFormatOf(path);
    if (format == ReportFileFormat::Pdf) {
        WriteFileReplacing(path, RunReportPdf(run_, figures));
    } else if (format == ReportFileFormat::Html) {
        // A page saved on its own carries the site's stylesheet inside.
        std::string page = RunReportPage(run_, figures);
        const std::string link = "<link rel=\"stylesheet\" href=\"style.css\">";
        if (const auto at = page.find(link); at != std::string::npos) {
            const auto css = FindResource(RT_HTML, "style.css");
            page.replace(at, link.size(),
                         "<style>\n" + (css ? std::string(css->begin(), css->end()) : std::string()) + "</style>");
        }
        WriteFileReplacing(path, page);
    } else {
        throw EFileWrite(LoadMessageFormatted(UnknownFileTypeMessage, {path}));
    }
}

void TFormPNJunction::PrintReport() { PrintRunReport(&Handle(), run_, ReportFigures()); }

std::array<TChart*, 5> TFormPNJunction::ReportCharts() const {
    return {ChartEnergyBand, ChartChargeDensity, ChartVoltage, ChartCV, ChartC2V};
}

void TFormPNJunction::CopyChartImage(TChart* chart) {
    const std::string about = RunAbout(run_);
    CopyFigureToClipboard(ChartPng(*chart, about), ChartSvg(*chart, about));
}

void TFormPNJunction::SaveChartFile(TChart* chart, const std::string& path) {
    const auto format = ChartFileFormatOf(path);
    if (!format) throw EFileWrite(LoadMessageFormatted(UnknownFileTypeMessage, {path}));
    WriteFileReplacing(path, ChartFile(*chart, run_, *format));
}

void TFormPNJunction::SaveChartData(TChart* chart, const std::string& path) {
    WriteFileReplacing(path, ChartCsv(*chart, run_));
}

void TFormPNJunction::UndoChartZoom(TChart* chart) {
    chart->UndoZoom();
    chart->ChartInvalidate();
}

void TFormPNJunction::ChartContextPopup(TObject* sender, int x, int y) {
    auto* chart = static_cast<TChart*>(sender);
    struct Entry {
        PopupMenuItem item;
        std::function<void()> action;
    };
    std::vector<Entry> entries{
        {CopyImageItem, [=, this] { CopyChartImage(chart); }},
        {SaveImageItem,
         [=, this] {
             FileDialogRequest dialog;
             dialog.owner = &Handle();
             dialog.caption = "画像を保存";
             dialog.filters = {{"PNG 画像", "png"}, {"SVG 画像", "svg"}, {"PDF 文書", "pdf"}};
             dialog.suggestedName = chart->Name() + ".png";
             if (const auto path = AskFileName(dialog)) SaveChartFile(chart, *path);
         }},
        {SaveDataItem,
         [=, this] {
             FileDialogRequest dialog;
             dialog.owner = &Handle();
             dialog.caption = "データを保存";
             dialog.filters = {{"CSV ファイル", "csv"}};
             dialog.suggestedName = chart->Name() + ".csv";
             if (const auto path = AskFileName(dialog)) SaveChartData(chart, *path);
         }},
        {UndoZoomItem, [=, this] { UndoChartZoom(chart); }},
        {RunReportItem, [this] { ShowRunReport(); }},
        {HoldItem, [this] { HoldCurves(); }},
        {ClearHoldsItem, [this] { ClearHeldCurves(); }},
    };
    entries[5].item.enabled = run_.complete && !run_.laterFailure.capacitanceCurvesReplaced;
    entries[6].item.enabled = HeldRunCount() > 0;
    if (chart == ChartCV || chart == ChartC2V) {
        entries.push_back({LoadMeasuredItem, [this] {
                               FileDialogRequest dialog;
                               dialog.owner = &Handle();
                               dialog.save = false;
                               dialog.caption = "測定データを読み込む";
                               dialog.filters = {{"CSV", "csv"}, {"テキスト", "txt"}, {"データ", "dat"}};
                               if (const auto path = AskFileName(dialog)) LoadMeasuredData(*path);
                           }});
        entries.push_back({ClearMeasuredItem, [this] { ClearMeasuredData(); }});
        entries.back().item.enabled = HasMeasuredData();
    }
    if (chart == ChartC2V) entries.push_back({FitItem, [this] { FitStraightLine(); }});

    PopupMenuRequest request;
    request.window = &chart->Handle();
    request.x = x;
    request.y = y;
    for (const Entry& entry : entries) request.items.push_back(entry.item);
    const int chosen = TrackPopupMenu(request);
    if (chosen >= 0 && std::size_t(chosen) < entries.size()) entries[std::size_t(chosen)].action();
}

}  // namespace cvcalc
