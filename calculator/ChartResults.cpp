// The calculator's results out of the window: each chart's context menu and
// the operations behind it, which the scripted driver calls too.
#include <array>
#include <string>
#include <vector>

#include "calculator/Pnjunction.h"
#include "chart/CustomChart.h"
#include "help/Html.h"
#include "platform/core/FileWrite.h"
#include "platform/core/MessageTable.h"
#include "platform/gui/Clipboard.h"
#include "platform/gui/UserChoice.h"
#include "results/ChartExport.h"

namespace cvcalc {

namespace {

constexpr int UnknownFileTypeMessage = 65221;

// The menu, in its order.  Captions in the window's language, the English
// gloss as each item's tip.
enum MenuItem { CopyImage, SaveImage, SaveData, UndoZoom, RunReport, MenuItemCount };
const std::array<PopupMenuItem, MenuItemCount> MenuItems{{
    {"画像をコピー", "Copy image: the chart to the clipboard as PNG and SVG"},
    {"画像を保存…", "Save image…: the chart as PNG, SVG or PDF"},
    {"データを保存…", "Save data…: the chart's series as CSV"},
    {"ズームを元に戻す", "Undo zoom: the scales before the first zoom or pan"},
    {"計算レポート", "Run report: the worked solution of the last run in the help window"},
}};

}  // namespace

std::array<TChart*, 5> TFormPNJunction::ReportCharts() const {
    return {ChartEnergyBand, ChartChargeDensity, ChartVoltage, ChartCV, ChartC2V};
}

void TFormPNJunction::CopyChartImage(TChart* chart) { CopyFigureToClipboard(ChartPng(*chart), ChartSvg(*chart)); }

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
    PopupMenuRequest request;
    request.window = &chart->Handle();
    request.x = x;
    request.y = y;
    request.items.assign(MenuItems.begin(), MenuItems.end());
    switch (TrackPopupMenu(request)) {
    case CopyImage:
        CopyChartImage(chart);
        break;
    case SaveImage: {
        FileDialogRequest dialog;
        dialog.owner = &Handle();
        dialog.caption = "画像を保存";
        dialog.filters = {{"PNG 画像", "png"}, {"SVG 画像", "svg"}, {"PDF 文書", "pdf"}};
        dialog.suggestedName = chart->Name() + ".png";
        if (const auto path = AskFileName(dialog)) SaveChartFile(chart, *path);
        break;
    }
    case SaveData: {
        FileDialogRequest dialog;
        dialog.owner = &Handle();
        dialog.caption = "データを保存";
        dialog.filters = {{"CSV ファイル", "csv"}};
        dialog.suggestedName = chart->Name() + ".csv";
        if (const auto path = AskFileName(dialog)) SaveChartData(chart, *path);
        break;
    }
    case UndoZoom:
        UndoChartZoom(chart);
        break;
    case RunReport:
        FormHTML->ShowHomePage();
        break;
    default:
        break;
    }
}

}  // namespace cvcalc
