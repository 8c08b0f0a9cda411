// What the chart's parts share when they draw themselves: a chart pen or
// font put on the canvas, and the canvas answering as the axes' text
// measurer.
#pragma once

#include <string>

#include "chart/AxisTextMetrics.h"
#include "chart/ChartGraphicsTypes.h"

namespace cvcalc {

class TCanvas;
class TChartFont;
class TChartPen;

// Puts `pen` on the canvas in `color` (grey for clAutoColor): a hidden pen
// clears, small dots set every other pixel, widths below 2 are cosmetic.
void RealisePen(TCanvas& canvas, const TChartPen& pen, TColor color);
void UseFont(TCanvas& canvas, const TChartFont& font);

// The chart's canvas measures the axis texts with the axis fonts.
class TCanvasTextMetrics : public TAxisTextMetrics {
public:
    explicit TCanvasTextMetrics(TCanvas& canvas) : canvas_(canvas) {}
    int TextWidth(const TChartFont& font, const std::string& text) const override;
    int TextHeight(const TChartFont& font, const std::string& text) const override;

private:
    TCanvas& canvas_;
};

}  // namespace cvcalc
