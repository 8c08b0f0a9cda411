// The worked-solution report of the last run: every quantity with its
// formula, the numbers put in step by step and the result as the window
// writes numbers; the material constants; the five charts.  As a page for
// the help window's browser (charts inline as SVG), as PDF (charts as
// vector figures) and on paper.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "platform/core/Translate.h"
#include "results/RunRecord.h"

namespace cvcalc {

class TCustomChart;
class TNativeWindow;

// The page's name under the bundled site, its address, and its title.
inline constexpr std::string_view RunReportPageName = "report.html";
std::string RunReportTitle();

// The page's two actions (the <name> of "cvcalc-lab://kestrel/action/<name>").
inline constexpr std::string_view SaveReportPdfAction = "save-report-pdf";
inline constexpr std::string_view PrintReportAction = "print-report";

// A page action as the page's link names it, "save-report-pdf/3": the
// action and the results' version (RunRecord::resultsVersion) of the page
// it was on; no version when the link carries none that reads.
struct ReportAction {
    std::string_view name;
    std::optional<unsigned> version;
};
ReportAction ParseReportAction(std::string_view action);

// The charts in the order the report shows them, and their captions.
inline constexpr std::size_t ReportChartCount = 5;
inline constexpr const char* ReportChartNames[ReportChartCount] = {"ChartEnergyBand", "ChartChargeDensity",
                                                                   "ChartVoltage", "ChartCV", "ChartC2V"};
inline constexpr const char* ReportChartCaptions[ReportChartCount] = {
    TrNoop("Charts", "エネルギーバンド図"), TrNoop("Charts", "空間電荷密度"), TrNoop("Charts", "電位分布"),
    TrNoop("Charts", "C–V特性"), TrNoop("Charts", "1/C²–V特性")};
// The caption of the i-th chart in the interface language; the screen
// reader's name of the chart too.
std::string ChartCaption(std::size_t i);

// The page for the browser.  `chartSvgs` are SVG documents of the charts
// in ReportChartNames' order (an XML declaration or document type is left
// out when they are inlined); the page shows as many as it is given.
// Before a complete run the page says that there is no run yet.
std::string RunReportHtml(const RunRecord& run, std::span<const std::string> chartSvgs);

// The same page with the charts' SVG drawn from `charts` (ChartSvg).
std::string RunReportPage(const RunRecord& run, std::span<TCustomChart* const> charts);

// The report as PDF: A4, one or two pages, the charts as vector figures
// drawn by their own painting code.
std::string RunReportPdf(const RunRecord& run, std::span<TCustomChart* const> charts);

// The report through the platform's print dialog; false when cancelled.
bool PrintRunReport(const TNativeWindow* owner, const RunRecord& run, std::span<TCustomChart* const> charts);

// `text` for an HTML page: valid UTF-8 (a byte that does not belong to a
// character, and a control character other than tab and line breaks,
// becomes U+FFFD) with &, <, >, " and ' as character references.
std::string HtmlText(std::string_view text);

}  // namespace cvcalc
