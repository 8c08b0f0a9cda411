// The chart's mouse: a drag with the zoom button zooms in (or back out),
// a drag with the scroll button pans the axes, the wheel scrolls the
// vertical axes.  Every mapping uses the pixels of the last paint.
#include <algorithm>
#include <cstdlib>

#include "chart/ChartAxis.h"
#include "chart/CustomChart.h"

namespace cvcalc {

bool TCustomChart::InPlot(int x, int y) const {
    const TChartRect& r = PlotRect();
    return x >= r.left && x <= r.right && y >= r.top && y <= r.bottom;
}

bool TCustomChart::HitsAxis(int x, int y) const {
    for (int index : {AxisBottom, AxisTop, AxisLeft, AxisRight}) {
        const TChartAxis& a = *Axis(index);
        const TChartAxis::THitBand& band = a.HitBand();
        if (!a.Visible() || band.lo > band.hi) continue;
        const int along = a.Horizontal() ? x : y, across = a.Horizontal() ? y : x;
        const int from = std::min(a.StartPos(), a.EndPos()), to = std::max(a.StartPos(), a.EndPos());
        if (along >= from && along <= to && across >= band.lo && across <= band.hi) return true;
    }
    return false;
}

namespace {
bool SameButton(MouseButton button, TMouseButton setting) {
    switch (setting) {
    case mbLeft:
        return button == MouseButton::Left;
    case mbRight:
        return button == MouseButton::Right;
    case mbMiddle:
        return button == MouseButton::Middle;
    }
    return false;
}

bool wheelScrolling = true;
}  // namespace

bool ChartWheelScrolling() noexcept { return wheelScrolling; }
void SetChartWheelScrolling(bool on) noexcept { wheelScrolling = on; }

void TCustomChart::ToggleZoomRectangle() {
    if (bitmap_.Width() == 0 || bitmap_.Height() == 0) return;
    zoom_->Draw(bitmap_.Canvas(), ZoomBackground());
    if (!Destroying()) Invalidate();
}

void TCustomChart::MouseDown(MouseButton button, ShiftState shift, int x, int y) {
    onUserInput_(this);
    if (button == MouseButton::Right) {
        contextPress_ = true;
        contextX_ = x;
        contextY_ = y;
    }
    TChartZoom& z = *zoom_;
    if (z.active_ || panning_) return;
    if (!AnySeriesActive()) return;
    if (!HitsAxis(x, y) && !InPlot(x, y)) return;
    const TChartRect& plot = PlotRect();
    if (z.Allow() && SameButton(button, z.MouseButton()) && (shift & z.KeyShift().Bits()) == z.KeyShift().Bits()) {
        z.X0 = z.Direction() == tzdVertical ? plot.left : x;
        z.Y0 = z.Direction() == tzdHorizontal ? plot.top : y;
        z.X1 = z.Direction() == tzdVertical ? plot.right : z.X0;
        z.Y1 = z.Direction() == tzdHorizontal ? plot.bottom : z.Y0;
        z.active_ = true;
        ToggleZoomRectangle();
    } else if (allowPanning_ != pmNone && SameButton(button, scrollMouseButton_)) {
        panX_ = x;
        panY_ = y;
        panning_ = true;
    }
}

void TCustomChart::MouseMove(ShiftState, int x, int y) {
    if (contextPress_ && (std::abs(x - contextX_) > ContextClickSlop || std::abs(y - contextY_) > ContextClickSlop))
        contextPress_ = false;
    TChartZoom& z = *zoom_;
    if (z.active_) {
        const int cx = z.Direction() == tzdVertical ? PlotRect().right : x;
        const int cy = z.Direction() == tzdHorizontal ? PlotRect().bottom : y;
        if (cx == z.X1 && cy == z.Y1) return;
        ToggleZoomRectangle();  // erases the old one
        z.X1 = cx;
        z.Y1 = cy;
        ToggleZoomRectangle();
        return;
    }
    if (!panning_) return;
    if (!InPlot(x, y)) {
        panning_ = false;
        return;
    }
    if (x == panX_ && y == panY_) return;
    const bool moved = PanAxes(panX_, panY_, x, y);
    panX_ = x;
    panY_ = y;
    if (moved) {
        onScroll_(this);
        ChartInvalidate();
    }
}

bool TCustomChart::PanAxes(int fromX, int fromY, int toX, int toY) {
    if (restored_) SaveScales();
    const bool horizontal = allowPanning_ == pmHorizontal || allowPanning_ == pmBoth;
    const bool vertical = allowPanning_ == pmVertical || allowPanning_ == pmBoth;
    bool moved = false;
    for (int index = 0; index < AxisDepth; ++index) {
        TChartAxis& a = *Axis(index);
        if (a.Horizontal() ? !horizontal : !vertical) continue;
        const int from = a.Horizontal() ? fromX : fromY, to = a.Horizontal() ? toX : toY;
        if (from == to) continue;
        const TAxisEnds panned = AxisPannedEnds(a.Scale(), {a.Minimum(), a.Maximum()}, from, to);
        double minimum = panned.minimum, maximum = panned.maximum;
        bool allow = true;
        if (onAllowScroll_) onAllowScroll_(&a, minimum, maximum, allow);
        if (!allow) continue;
        a.SetMinMax(minimum, maximum);
        moved = true;
    }
    return moved;
}

void TCustomChart::MouseUp(MouseButton button, ShiftState, int x, int y) {
    panning_ = false;
    TChartZoom& z = *zoom_;
    if (button == MouseButton::Right && contextPress_) {
        contextPress_ = false;
        // A zoom drawn with the right button is the zoom's, not a click.
        if (!z.active_ && std::abs(x - contextX_) <= ContextClickSlop && std::abs(y - contextY_) <= ContextClickSlop)
            onContextPopup_(this, x, y);
    }
    if (!z.active_ || !SameButton(button, z.MouseButton())) return;
    ToggleZoomRectangle();  // erased
    z.active_ = false;
    if (z.Direction() != tzdVertical) z.X1 = x;
    if (z.Direction() != tzdHorizontal) z.Y1 = y;
    if (z.Direction() != tzdVertical && std::abs(z.X1 - z.X0) <= z.MinimumPixels()) return;
    if (z.Direction() != tzdHorizontal && std::abs(z.Y1 - z.Y0) <= z.MinimumPixels()) return;
    const bool zoomIn = z.UpLeftZooms() || (z.Direction() == tzdVertical ? z.Y0 < z.Y1 : z.X0 < z.X1);
    if (zoomIn)
        ZoomIn();
    else
        UndoZoom();
    ChartInvalidate();
}

void TCustomChart::MouseWheel(int delta, ShiftState, int, int) {
    if (delta == 0 || !wheelScrolling) return;
    onUserInput_(this);
    // Like the first pan: the scales before it are kept, so that dragging
    // back brings them (and the automatic ends) back.  A notch over an
    // empty chart would otherwise fix its range at nothing for good.
    if (restored_) SaveScales();
    for (int index = 0; index < AxisDepth; ++index) {
        TChartAxis& a = *Axis(index);
        if (a.Horizontal()) continue;
        const double fraction = delta < 0 ? 3 * 0.01 : -3 * 0.01;
        // A logarithmic axis moves by 3 % of its length in ratios.
        if (a.Scale().Logarithmic()) {
            const TAxisEnds shifted = AxisShiftedEnds(a.Scale(), {a.Minimum(), a.Maximum()}, fraction);
            a.SetMinMax(shifted.minimum, shifted.maximum);
            continue;
        }
        const double step = (a.Maximum() - a.Minimum()) * 3 * 0.01;
        a.Scroll(delta < 0 ? step : -step, false);
    }
    ChartInvalidate();
}

void TCustomChart::CancelMode() {
    contextPress_ = false;
    if (zoom_->active_) {
        ToggleZoomRectangle();
        zoom_->active_ = false;
    }
    panning_ = false;
}

void TCustomChart::SaveScales() {
    saved_ = CurrentScales();
    restored_ = false;
}

std::vector<TCustomChart::TSavedScale> TCustomChart::CurrentScales() const {
    std::vector<TSavedScale> scales;
    for (int index = 0; index < AxisDepth; ++index) {
        const TChartAxis& a = *Axis(index);
        scales.push_back({a.Automatic(), a.AutomaticMinimum(), a.AutomaticMaximum(), a.Minimum(), a.Maximum()});
    }
    return scales;
}

void TCustomChart::ApplyScales(const std::vector<TSavedScale>& scales) {
    for (int index = 0; index < AxisDepth && index < static_cast<int>(scales.size()); ++index) {
        TChartAxis& a = *Axis(index);
        const TSavedScale& s = scales[static_cast<std::size_t>(index)];
        a.SetMinMax(s.minimum, s.maximum);
        a.SetAutomatic(s.automatic);
        a.SetAutomaticMinimum(s.automaticMinimum);
        a.SetAutomaticMaximum(s.automaticMaximum);
    }
}

void TCustomChart::ZoomIn() {
    const TChartZoom& z = *zoom_;
    ZoomToPixels(z.X0, z.Y0, z.X1, z.Y1);
}

void TCustomChart::ZoomToPixels(int ax, int ay, int bx, int by) {
    const TChartZoom& z = *zoom_;
    const int x0 = std::min(ax, bx), x1 = std::max(ax, bx);
    const int y0 = std::min(ay, by), y1 = std::max(ay, by);
    if (restored_) SaveScales();
    // Each axis maps with the pixels of the last paint; read all the ends
    // before any axis changes.
    TChartAxis* axes[] = {BottomAxis(), TopAxis(), LeftAxis(), RightAxis()};
    double from[4][2], to[4][2];
    for (int k = 0; k < 4; ++k) {
        TChartAxis& a = *axes[k];
        from[k][0] = a.Minimum();
        from[k][1] = a.Maximum();
        to[k][0] = a.Horizontal() ? a.PixelToValue(x0) : a.PixelToValue(y1);
        to[k][1] = a.Horizontal() ? a.PixelToValue(x1) : a.PixelToValue(y0);
    }
    if (z.Animated()) {
        // The ends move a fixed fraction of the way per step, each step
        // painted before the next.
        const int steps = z.AnimatedSteps();
        for (int step = 1; step < steps; ++step) {
            const double f = static_cast<double>(step) / steps;
            for (int k = 0; k < 4; ++k)
                axes[k]->SetMinMax(from[k][0] + (to[k][0] - from[k][0]) * f, from[k][1] + (to[k][1] - from[k][1]) * f);
            ChartInvalidate();
            PaintToBitmap();
            if (!Destroying()) Repaint();
        }
    }
    for (int k = 0; k < 4; ++k) axes[k]->SetMinMax(to[k][0], to[k][1]);
    zoomed_ = true;
    onZoom_(this);
}

void TCustomChart::UndoZoom() {
    if (!restored_) {
        ApplyScales(saved_);
        saved_.clear();
        restored_ = true;
    }
    onUndoZoom_(this);
    ChartInvalidate();
    zoomed_ = false;
}

}  // namespace cvcalc
