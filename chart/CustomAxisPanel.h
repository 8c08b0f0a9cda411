// TCustomAxisPanel: the window-free heart of a chart — its ordered series,
// its six axes, the automatic series colours and the invalidation rule that
// every change marks the chart stale once and painting happens later.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "chart/ChartElement.h"
#include "chart/ChartGraphicsTypes.h"
#include "chart/ChartWall.h"
#include "framework/CustomControl.h"
#include "shell/core/ChangeField.h"

namespace cvcalc {

class TChartSeries;
class TChartAxis;
class TAxisTextMetrics;

enum TMarginUnits { muMarginPercent, muMarginPixels };

class TCustomAxisPanel : public TCustomControl {
public:
    CVCALC_CLASS_INFO()

    explicit TCustomAxisPanel(TComponent* owner);
    // Detaches and frees every series still attached, in list order.
    ~TCustomAxisPanel() override;

    // The series in the order of attachment; SeriesAt raises for an index
    // outside 0..NumSeries-1.
    TChartSeries* SeriesAt(int index) const;
    int NumSeries() const noexcept { return static_cast<int>(series_.size()); }
    // Appends (once) and gives a series without a stored colour the first
    // free palette colour.  Called by TChartSeries::SetParentChart.
    void AddSeries(TChartSeries* series);
    void RemoveSeries(TChartSeries* series);

    // The six axes in list order: bottom, top, left, right, depth, depth top.
    enum { AxisBottom, AxisTop, AxisLeft, AxisRight, AxisDepth, AxisDepthTop, AxisCount };
    TChartAxis* Axis(int index) const { return axes_.at(static_cast<std::size_t>(index)).get(); }
    TChartAxis* BottomAxis() const { return Axis(AxisBottom); }
    TChartAxis* TopAxis() const { return Axis(AxisTop); }
    TChartAxis* LeftAxis() const { return Axis(AxisLeft); }
    TChartAxis* RightAxis() const { return Axis(AxisRight); }
    TChartAxis* DepthAxis() const { return Axis(AxisDepth); }
    TChartAxis* DepthTopAxis() const { return Axis(AxisDepthTop); }

    // The first palette colour that no other series uses and (with
    // checkBackground) that differs from the panel and back-wall colours;
    // the last palette entry when none qualifies.
    TColor NextFreeColor(bool checkBackground, const TChartSeries* exceptSeries) const;

    // Marks the drawing stale and asks for one later repaint, unless the
    // chart is painting itself right now.
    void ChartInvalidate() {
        if (drawing_.MarkWithoutRequest()) return;
        ++drawing_.invalidateCount;
        RequestRepaint();
    }
    bool AutoRepaint() const noexcept { return drawing_.autoRepaint; }
    void SetAutoRepaint(bool value) noexcept { drawing_.autoRepaint = value; }
    bool Dirty() const noexcept { return drawing_.dirty; }
    void SetDirty(bool value) noexcept {
        drawing_.dirty = value;
        drawing_.requestPending = false;
    }
    TChartDrawingState& Drawing() noexcept { return drawing_; }
    // How often the chart asked for a repaint; tests and the window read it.
    int InvalidateCount() const noexcept { return drawing_.invalidateCount; }
    // The window's repaint request; the control installs it.
    void SetRepaintRequest(std::function<void()> request) { repaintRequest_ = std::move(request); }

    TColor BackWallColor() const;
    void SetBackWallColor(TColor value);
    TChartBackWall* BackWall() const noexcept { return backWall_.get(); }
    TChartTitle* Title() const noexcept { return title_.get(); }
    TChartTitle* Foot() const noexcept { return foot_.get(); }
    TChartLegend* Legend() const noexcept { return legend_.get(); }
    bool View3D() const noexcept { return view3D_; }
    void SetView3D(bool value) { Change(view3D_, value); }
    bool AxisVisible() const noexcept { return axisVisible_; }
    void SetAxisVisible(bool value);
    bool Destroying() const noexcept { return ComponentState().Contains(csDestroying); }

    // The margins round the plotting area, in percent of the chart's size
    // or in pixels.
    int MarginLeft() const noexcept { return marginLeft_; }
    void SetMarginLeft(int value) { Change(marginLeft_, ClampMargin(value)); }
    int MarginTop() const noexcept { return marginTop_; }
    void SetMarginTop(int value) { Change(marginTop_, ClampMargin(value)); }
    int MarginRight() const noexcept { return marginRight_; }
    void SetMarginRight(int value) { Change(marginRight_, ClampMargin(value)); }
    int MarginBottom() const noexcept { return marginBottom_; }
    void SetMarginBottom(int value) { Change(marginBottom_, ClampMargin(value)); }
    TMarginUnits MarginUnits() const noexcept { return marginUnits_; }
    void SetMarginUnits(TMarginUnits value) { Change(marginUnits_, value); }
    // The width of the panel's frame (border, bevels, border pen); the
    // window's panel sets it, one raised bevel of width 1 by default.
    int FrameWidth() const noexcept { return frameWidth_; }
    void SetFrameWidth(int value) { Change(frameWidth_, value < 0 ? 0 : value); }

    // The plotting area before the axes take their room, for a chart of
    // `width` by `height` pixels.
    TChartRect PlotRectFromMargins(int width, int height) const;
    // The axis layout of a paint: the working range of every axis, the room
    // of each visible standard axis taken from `plot` (bottom, top, left,
    // right), the axes placed along the rest, then the marker margins.
    // Returns the plotting area that is left.
    TChartRect LayoutAxes(const TAxisTextMetrics& metrics, TChartRect plot);
    const TChartRect& PlotRect() const noexcept { return plotRect_; }

    // A series' colour changed; the legend would follow it.
    void SeriesColorChanged(TChartSeries*) { ChartInvalidate(); }

protected:
    // The panel colour is the control's colour; a change repaints the chart.
    void ColorChanged() override;

    template <typename T>
    void Change(T& field, T value) {
        ChangeField(field, std::move(value), [this] { ChartInvalidate(); });
    }

private:
    static int ClampMargin(int v) { return v < 0 ? 0 : (v > 10000 ? 10000 : v); }
    // One window request per stale drawing.
    void RequestRepaint();

    std::vector<TChartSeries*> series_;
    std::vector<std::unique_ptr<TChartAxis>> axes_;
    std::function<void()> repaintRequest_;
    TChartDrawingState drawing_;
    std::unique_ptr<TChartBackWall> backWall_;
    std::unique_ptr<TChartTitle> title_;
    std::unique_ptr<TChartTitle> foot_;
    std::unique_ptr<TChartLegend> legend_;
    bool view3D_ = true;
    bool axisVisible_ = true;
    int marginLeft_ = 3;
    int marginTop_ = 4;
    int marginRight_ = 3;
    int marginBottom_ = 4;
    TMarginUnits marginUnits_ = muMarginPercent;
    int frameWidth_ = 1;
    TChartRect plotRect_;
};

}  // namespace cvcalc
