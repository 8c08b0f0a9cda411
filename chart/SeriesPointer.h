// TSeriesPointer: the marker a series draws at each point, and its drawing.
#pragma once

#include <memory>

#include "chart/ChartBrush.h"
#include "chart/ChartPen.h"
#include "shell/core/ChangeField.h"
#include "shell/core/Persistent.h"

namespace cvcalc {

class TCanvas;
class TChartSeries;

enum TSeriesPointerStyle {
    psRectangle,
    psCircle,
    psTriangle,
    psDownTriangle,
    psCross,
    psDiagCross,
    psStar,
    psDiamond,
    psSmallDot,
    psNothing,
    psLeftTriangle,
    psRightTriangle
};

class TSeriesPointer : public TPersistent {
public:
    CVCALC_CLASS_INFO()

    explicit TSeriesPointer(TChartSeries* series);
    ~TSeriesPointer() override;

    bool Visible() const noexcept { return visible_; }
    void SetVisible(bool value) { Change(visible_, value); }
    TSeriesPointerStyle Style() const noexcept { return style_; }
    void SetStyle(TSeriesPointerStyle value) { Change(style_, value); }
    // Half the marker's width and height in pixels; kept within 0..1000 so
    // that margins and marker boxes stay small integers.
    int HorizSize() const noexcept { return horizSize_; }
    void SetHorizSize(int value) { Change(horizSize_, ClampSize(value)); }
    int VertSize() const noexcept { return vertSize_; }
    void SetVertSize(int value) { Change(vertSize_, ClampSize(value)); }
    bool InflateMargins() const noexcept { return inflateMargins_; }
    void SetInflateMargins(bool value) { Change(inflateMargins_, value); }
    bool Dark3D() const noexcept { return dark3D_; }
    void SetDark3D(bool value) { Change(dark3D_, value); }
    bool Draw3D() const noexcept { return draw3D_; }
    void SetDraw3D(bool value) { Change(draw3D_, value); }
    int Transparency() const noexcept { return transparency_; }
    void SetTransparency(int value) { Change(transparency_, value); }
    TChartBrush* Brush() const noexcept { return brush_.get(); }
    TChartPen* Pen() const noexcept { return pen_.get(); }
    TChartSeries* Series() const noexcept { return series_; }

    // Draws the marker of the style's shape (chart/MarkerShapes.h) centred
    // on (x, y); an automatic pen, and an automatic solid brush, take the
    // point's `color`.  PointerDraw.cpp.
    void Draw(TCanvas& canvas, int x, int y, TColor color) const;
    // The same at a position between pixels, on a vector document.
    void Draw(TCanvas& canvas, double x, double y, TColor color) const;

private:
    // Both Draws: `Position` int or double (PointerDraw.cpp).
    template <typename Position>
    void DrawAt(TCanvas& canvas, Position x, Position y, TColor color) const;
    static int ClampSize(int v) { return v < 0 ? 0 : (v > 1000 ? 1000 : v); }
    void Repaint() const;
    template <typename T>
    void Change(T& field, T value) {
        ChangeField(field, std::move(value), [this] { Repaint(); });
    }

    TChartSeries* series_;
    bool visible_ = true;
    TSeriesPointerStyle style_ = psRectangle;
    int horizSize_ = 4;
    int vertSize_ = 4;
    bool inflateMargins_ = true;
    bool dark3D_ = true;
    bool draw3D_ = true;
    int transparency_ = 0;
    std::unique_ptr<TChartBrush> brush_;
    std::unique_ptr<TChartPen> pen_;
};

const TTypeInfo& TypeInfoTSeriesPointerStyle();

}  // namespace cvcalc
