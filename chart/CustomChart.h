// TCustomChart and TChart: the chart as a windowed control.  It draws into
// its own off-screen bitmap, which a repaint without a change only copies.
#pragma once

#include <memory>
#include <vector>

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

    // Mouse zoom and panning settings (the chart's Zoom and AllowPanning).
    bool ZoomAllow() const noexcept { return zoomAllow_; }
    void SetZoomAllow(bool value) noexcept { zoomAllow_ = value; }
    int ZoomMinimumPixels() const noexcept { return zoomMinimumPixels_; }
    void SetZoomMinimumPixels(int value) noexcept { zoomMinimumPixels_ = value < 0 ? 0 : value; }
    bool AllowPanning() const noexcept { return allowPanning_; }
    void SetAllowPanning(bool value) noexcept { allowPanning_ = value; }
    bool Zoomed() const noexcept { return zoomed_; }
    bool Zooming() const noexcept { return zooming_; }
    bool Panning() const noexcept { return panning_; }
    // The zoom rectangle: start corner and moving corner, in client pixels.
    TChartRect ZoomRect() const noexcept { return {zx0_, zy0_, zx1_, zy1_}; }

    void WndProc(Message& message) override;

protected:
    void MouseDown(MouseButton button, ShiftState shift, int x, int y) override;
    void MouseUp(MouseButton button, ShiftState shift, int x, int y) override;
    void MouseMove(ShiftState shift, int x, int y) override;
    void MouseWheel(int delta, ShiftState shift, int x, int y) override;
    void CancelMode() override;

private:
    struct TSavedScale {
        bool automatic, automaticMinimum, automaticMaximum;
        double minimum, maximum;
    };
    bool InPlot(int x, int y) const;
    bool HitsAxis(int x, int y) const;
    bool AnySeriesActive() const;
    void SaveScales();
    void UndoZoom();
    void ZoomIn();

    bool zoomAllow_ = true;
    int zoomMinimumPixels_ = 16;
    bool allowPanning_ = true;
    bool zooming_ = false;
    bool panning_ = false;
    bool zoomed_ = false;
    int zx0_ = 0, zy0_ = 0, zx1_ = 0, zy1_ = 0;
    int panX_ = 0, panY_ = 0;
    bool restored_ = true;
    std::vector<TSavedScale> saved_;

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
