// TCustomChart and TChart: the chart as a windowed control.  It draws into
// its own off-screen bitmap, which a repaint without a change only copies.
#pragma once

#include <memory>

#include "chart/CustomAxisPanel.h"
#include "framework/Bitmap.h"

namespace cvcalc {

class TChartPen;
class TCustomSeries;

class TCustomChart : public TCustomAxisPanel {
public:
    CVCALC_CLASS_INFO()
    explicit TCustomChart(TComponent* owner);
    ~TCustomChart() override;

    // The window's paint: a full draw when the chart is dirty, then one copy.
    void Paint(TCanvas& canvas) override;
    // Draws the chart into its bitmap at the client size when it is dirty;
    // tests, benchmarks and drivers call it without a window.
    void PaintToBitmap();
    // The off-screen bitmap of the last draw.
    const TBitmap& Bitmap() const noexcept { return bitmap_; }
    // How often a full draw happened.
    int FullDrawCount() const noexcept { return fullDraws_; }

private:
    void DrawAll(TCanvas& canvas, int width, int height);
    void DrawAxis(TCanvas& canvas, TChartAxis& axis, double step);
    void DrawSeries(TCanvas& canvas, TChartSeries& series);
    void RealisePen(TCanvas& canvas, const TChartPen& pen, TColor color);

    TBitmap bitmap_;
    int fullDraws_ = 0;
};

class TChart : public TCustomChart {
public:
    CVCALC_CLASS_INFO()
    using TCustomChart::TCustomChart;
};

}  // namespace cvcalc
