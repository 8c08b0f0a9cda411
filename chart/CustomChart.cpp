// The chart control: a full draw into the off-screen bitmap when something
// changed, one copy of that bitmap otherwise.
#include "chart/CustomChart.h"

#include <algorithm>
#include <cstdlib>

#include "chart/AxisTextMetrics.h"
#include "chart/ChartAxis.h"
#include "chart/ChartAxisTitle.h"
#include "chart/CustomSeries.h"
#include "chart/SeriesPointer.h"
#include "framework/Canvas.h"

namespace cvcalc {

namespace {

void UseFont(TCanvas& canvas, const TChartFont& font) {
    TFont& f = canvas.Font();
    f.SetName(font.Name());
    f.SetHeight(font.Height());
    f.SetColor(font.Color());
    f.SetStyle(font.Style());
}

// The chart's canvas measures the axis texts with the axis fonts.
class TCanvasTextMetrics : public TAxisTextMetrics {
public:
    explicit TCanvasTextMetrics(TCanvas& canvas) : canvas_(canvas) {}
    int TextWidth(const TChartFont& font, const std::string& text) const override {
        UseFont(canvas_, font);
        return canvas_.TextWidth(text);
    }
    int TextHeight(const TChartFont& font, const std::string& text) const override {
        UseFont(canvas_, font);
        return canvas_.TextHeight(text.empty() ? std::string("0") : text);
    }

private:
    TCanvas& canvas_;
};

}  // namespace

TCustomChart::TCustomChart(TComponent* owner) : TCustomAxisPanel(owner) {
    width_ = 400;
    height_ = 250;
}

TCustomChart::~TCustomChart() = default;

void TCustomChart::Paint(TCanvas& canvas) {
    PaintToBitmap();
    canvas.Draw(0, 0, bitmap_);
}

void TCustomChart::PaintToBitmap() {
    if (!Dirty() && bitmap_.Width() == ClientWidth() && bitmap_.Height() == ClientHeight()) return;
    const int w = std::max(ClientWidth(), 0), h = std::max(ClientHeight(), 0);
    bitmap_.SetSize(w, h);
    ++fullDraws_;
    // Changes made while drawing (automatic ranges) must not ask for
    // another paint.
    const bool autoRepaint = AutoRepaint();
    SetAutoRepaint(false);
    try {
        DrawAll(bitmap_.Canvas(), w, h);
    } catch (...) {
        SetAutoRepaint(autoRepaint);
        SetDirty(false);
        throw;
    }
    SetAutoRepaint(autoRepaint);
    SetDirty(false);
}

void TCustomChart::RealisePen(TCanvas& canvas, const TChartPen& pen, TColor color) {
    TPen& p = canvas.Pen();
    p.SetMode(pmCopy);
    if (!pen.Visible()) {
        p.SetStyle(psClear);
        return;
    }
    p.SetColor(color == clAutoColor ? TColor(0x808080) : color);
    if (pen.SmallDots()) {
        p.SetWidth(1);
        p.SetStyle(psDot);
        return;
    }
    p.SetWidth(std::max(pen.Width(), 1));
    p.SetStyle(pen.Style());
    p.SetEnd(pen.EndStyle() == esSquare ? peSquare : (pen.EndStyle() == esFlat ? peFlat : peRound));
}

void TCustomChart::DrawAll(TCanvas& canvas, int width, int height) {
    // Panel face and its raised bevel.
    canvas.Pen().SetStyle(psClear);
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(Color());
    canvas.FillRect(TRect{0, 0, width, height});
    if (FrameWidth() > 0) {
        TRect frame{0, 0, width, height};
        canvas.Frame3D(frame, clBtnHighlight, clBtnShadow, FrameWidth());
    }

    TCanvasTextMetrics metrics(canvas);
    const TChartRect plot = LayoutAxes(metrics, PlotRectFromMargins(width, height));

    // The back wall.
    if (!BackWall()->Transparent()) {
        canvas.Brush().SetStyle(bsSolid);
        canvas.Brush().SetColor(BackWall()->Color());
        canvas.Pen().SetStyle(psSolid);
        canvas.Pen().SetWidth(1);
        canvas.Pen().SetColor(clBlack);
        canvas.Rectangle(plot.left, plot.top, plot.right + 1, plot.bottom + 1);
    }

    // Grid, ticks, labels and titles of the four standard axes.
    if (AxisVisible())
        for (int index : {AxisBottom, AxisTop, AxisLeft, AxisRight}) {
            TChartAxis& axis = *Axis(index);
            if (axis.VisibleInPaint()) DrawAxis(canvas, axis, axis.CalcLabelStep(metrics));
        }

    // The series in list order, clipped to the plotting area with its
    // bottom edge included.
    canvas.ClipRect(TRect{plot.left, plot.top, plot.right + 1, plot.bottom + 1});
    for (int i = 0; i < NumSeries(); ++i) {
        TChartSeries& s = *SeriesAt(i);
        if (s.Active()) DrawSeries(canvas, s);
    }
    canvas.RestoreClip();
    canvas.Pen().SetMode(pmCopy);
}

void TCustomChart::DrawAxis(TCanvas& canvas, TChartAxis& axis, double step) {
    const TChartRect& plot = PlotRect();
    const std::vector<TAxisLabel> labels = axis.LabelValues(step);
    const bool horizontal = axis.Horizontal();
    const int pos =
        horizontal ? (axis.OtherSide() ? plot.top : plot.bottom) : (axis.OtherSide() ? plot.right : plot.left);
    const int outward = axis.OtherSide() ? (horizontal ? -1 : 1) : (horizontal ? 1 : -1);
    canvas.Brush().SetStyle(bsClear);
    // Grid lines across the plotting area.
    if (axis.Grid()->Visible()) {
        RealisePen(canvas, *axis.Grid(), axis.Grid()->Color());
        for (const TAxisLabel& l : labels) {
            if (horizontal) {
                canvas.MoveTo(l.pixel, plot.top);
                canvas.LineTo(l.pixel, plot.bottom);
            } else {
                canvas.MoveTo(plot.left, l.pixel);
                canvas.LineTo(plot.right, l.pixel);
            }
        }
    }
    // The axis line.
    if (axis.AxisPen()->Visible()) {
        RealisePen(canvas, *axis.AxisPen(), axis.AxisPen()->Color());
        if (horizontal) {
            canvas.MoveTo(plot.left, pos);
            canvas.LineTo(plot.right, pos);
        } else {
            canvas.MoveTo(pos, plot.top);
            canvas.LineTo(pos, plot.bottom);
        }
    }
    // Outer and inner ticks.
    const int axisOffset = axis.AxisPen()->Visible() ? axis.AxisPen()->Width() / 2 + 1 : 0;
    auto ticks = [&](const TChartPen& pen, int from, int to) {
        if (!pen.Visible() || from == to) return;
        RealisePen(canvas, pen, pen.Color());
        for (const TAxisLabel& l : labels) {
            if (horizontal) {
                canvas.MoveTo(l.pixel, pos + from * outward);
                canvas.LineTo(l.pixel, pos + to * outward);
            } else {
                canvas.MoveTo(pos + from * outward, l.pixel);
                canvas.LineTo(pos + to * outward, l.pixel);
            }
        }
    };
    ticks(*axis.Ticks(), axisOffset, axisOffset + axis.TickLength());
    ticks(*axis.TicksInner(), 0, -axis.TickInnerLength());
    // Labels outside the ticks.
    if (axis.Labels()) {
        UseFont(canvas, *axis.LabelsFont());
        const int gap = axisOffset + axis.TickLength() + 1;
        for (const TAxisLabel& l : labels) {
            const int tw = canvas.TextWidth(l.text), th = canvas.TextHeight(l.text);
            if (horizontal)
                canvas.TextOut(l.pixel - tw / 2, outward > 0 ? pos + gap : pos - gap - th, l.text);
            else
                canvas.TextOut(outward < 0 ? pos - gap - tw : pos + gap, l.pixel - th / 2, l.text);
        }
    }
    // The title beyond the labels; the left title reads upwards.
    const std::string& caption = axis.Title()->Caption();
    if (!caption.empty()) {
        UseFont(canvas, *axis.Title()->Font());
        const int tw = canvas.TextWidth(caption), th = canvas.TextHeight(caption);
        if (horizontal) {
            const int x = (plot.left + plot.right - tw) / 2;
            canvas.TextOut(x, outward > 0 ? Height() - FrameWidth() - th - 2 : FrameWidth() + 2, caption);
        } else {
            canvas.Font().SetOrientation(outward < 0 ? 900 : 2700);
            const int y = outward < 0 ? (plot.top + plot.bottom + tw) / 2 : (plot.top + plot.bottom - tw) / 2;
            canvas.TextOut(outward < 0 ? FrameWidth() + 2 : Width() - FrameWidth() - th - 2, y, caption);
            canvas.Font().SetOrientation(0);
        }
    }
}

void TCustomChart::DrawSeries(TCanvas& canvas, TChartSeries& series) {
    const int n = series.PointCount();
    if (n == 0) return;
    TChartAxis& ha = series.HorizAxis() == aTopAxis ? *TopAxis() : *BottomAxis();
    TChartAxis& va = series.VertAxis() == aRightAxis ? *RightAxis() : *LeftAxis();
    const auto& xs = *series.XValues();
    const auto& ys = *series.YValues();
    // The visible points: from the first not left of the area to the first
    // beyond its right edge.
    const double xmin = ha.Minimum(), xmax = ha.Maximum();
    int first = 0;
    while (first < n && xs.Value(first) < xmin) ++first;
    if (first == n) {
        series.SetVisibleRange(-1, -1);
        return;
    }
    int last = first;
    while (last < n - 1 && xs.Value(last) <= xmax) ++last;
    if (first > 0) --first;  // the line enters from the point before
    series.SetVisibleRange(first, last);

    auto* custom = dynamic_cast<TCustomSeries*>(&series);
    const bool drawLine = custom && custom->DrawLine();
    TSeriesPointer* pointer = custom ? custom->Pointer() : nullptr;
    const bool markers = pointer && pointer->Visible();

    auto marker = [&](int x, int y, TColor c) {
        const int hs = pointer->HorizSize(), vs = pointer->VertSize();
        const TChartPen& pen = *pointer->Pen();
        if (pen.Visible())
            RealisePen(canvas, pen, pen.Color() == clAutoColor ? c : pen.Color());
        else
            canvas.Pen().SetStyle(psClear);
        const TChartBrush& b = *pointer->Brush();
        canvas.Brush().SetStyle(bsSolid);
        canvas.Brush().SetColor(b.Color() == clAutoColor ? (b.Style() == bsSolid ? c : clBlack) : b.Color());
        if (pointer->Style() == psCircle)
            canvas.Ellipse(x - hs, y - vs, x + hs, y + vs);
        else
            canvas.Rectangle(x - hs, y - vs, x + hs + 1, y + vs + 1);
    };
    const TChartPen& linePen = *series.Pen();
    const TColor lineColor = series.SeriesColor();
    // The line's pen stays on the canvas from segment to segment unless a
    // marker has put its own in between.
    bool linePenSet = false;
    int px = ha.ValueToPixel(xs.Value(first)), py = va.ValueToPixel(ys.Value(first));
    TColor pc = series.PointColor(first);
    if (first == last && markers) marker(px, py, pc);
    for (int i = first + 1; i <= last; ++i) {
        const int x = ha.ValueToPixel(xs.Value(i)), y = va.ValueToPixel(ys.Value(i));
        const TColor c = series.PointColor(i);
        if (drawLine && (x != px || y != py)) {
            if (!linePenSet) {
                canvas.Brush().SetStyle(bsClear);
                RealisePen(canvas, linePen, lineColor);
                linePenSet = true;
            }
            canvas.MoveTo(px, py);
            canvas.LineTo(x, y);
        }
        if (markers) {
            marker(px, py, pc);
            if (i == last) marker(x, y, c);
            linePenSet = false;
        }
        px = x;
        py = y;
        pc = c;
    }
}

void TCustomChart::WndProc(Message& message) {
    // The window system's paint of the frame goes through Paint; the mouse
    // reaches the hooks below.
    TCustomAxisPanel::WndProc(message);
}

bool TCustomChart::AnySeriesActive() const {
    for (int i = 0; i < NumSeries(); ++i)
        if (SeriesAt(i)->Active()) return true;
    return false;
}

bool TCustomChart::InPlot(int x, int y) const {
    const TChartRect& r = PlotRect();
    return x >= r.left && x <= r.right && y >= r.top && y <= r.bottom;
}

bool TCustomChart::HitsAxis(int x, int y) const {
    const TChartRect& r = PlotRect();
    for (int index : {AxisBottom, AxisTop, AxisLeft, AxisRight}) {
        const TChartAxis& a = *Axis(index);
        if (!a.Visible()) continue;
        const int room = 3 + a.TickLength() + 20;
        if (a.Horizontal()) {
            const int pos = a.OtherSide() ? r.top : r.bottom;
            const int lo = a.OtherSide() ? pos - room : pos - 3, hi = a.OtherSide() ? pos + 3 : pos + room;
            if (x >= r.left && x <= r.right && y >= lo && y <= hi) return true;
        } else {
            const int pos = a.OtherSide() ? r.right : r.left;
            const int lo = a.OtherSide() ? pos - 3 : pos - room, hi = a.OtherSide() ? pos + room : pos + 3;
            if (y >= r.top && y <= r.bottom && x >= lo && x <= hi) return true;
        }
    }
    return false;
}

void TCustomChart::MouseDown(MouseButton button, ShiftState, int x, int y) {
    if (zooming_ || panning_) return;
    if (!AnySeriesActive()) return;
    if (!HitsAxis(x, y) && !InPlot(x, y)) return;
    if (zoomAllow_ && button == MouseButton::Left) {
        zx0_ = zx1_ = x;
        zy0_ = zy1_ = y;
        zooming_ = true;
    } else if (allowPanning_ && button == MouseButton::Right) {
        panX_ = x;
        panY_ = y;
        panning_ = true;
    }
}

void TCustomChart::MouseMove(ShiftState, int x, int y) {
    if (zooming_) {
        zx1_ = x;
        zy1_ = y;
        return;
    }
    if (!panning_) return;
    if (!InPlot(x, y)) {
        panning_ = false;
        return;
    }
    if (x == panX_ && y == panY_) return;
    if (restored_) SaveScales();
    bool moved = false;
    for (int index = 0; index < AxisDepth; ++index) {
        TChartAxis& a = *Axis(index);
        const int from = a.Horizontal() ? panX_ : panY_, to = a.Horizontal() ? x : y;
        if (from == to) continue;
        const double d = a.PixelToValue(from) - a.PixelToValue(to);
        a.SetMinMax(a.Minimum() + d, a.Maximum() + d);
        moved = true;
    }
    panX_ = x;
    panY_ = y;
    if (moved) ChartInvalidate();
}

void TCustomChart::MouseUp(MouseButton button, ShiftState, int x, int y) {
    panning_ = false;
    if (!zooming_ || button != MouseButton::Left) return;
    zooming_ = false;
    zx1_ = x;
    zy1_ = y;
    const int dx = zx1_ - zx0_, dy = zy1_ - zy0_;
    if (std::abs(dx) <= zoomMinimumPixels_ || std::abs(dy) <= zoomMinimumPixels_) return;
    if (zx0_ < zx1_)
        ZoomIn();
    else
        UndoZoom();
    ChartInvalidate();
}

void TCustomChart::MouseWheel(int delta, ShiftState, int, int) {
    if (delta == 0) return;
    for (int index = 0; index < AxisDepth; ++index) {
        TChartAxis& a = *Axis(index);
        if (a.Horizontal()) continue;
        const double step = (a.Maximum() - a.Minimum()) * 3 * 0.01;
        a.Scroll(delta < 0 ? step : -step, false);
    }
    ChartInvalidate();
}

void TCustomChart::CancelMode() {
    zooming_ = false;
    panning_ = false;
}

void TCustomChart::SaveScales() {
    saved_.clear();
    for (int index = 0; index < AxisDepth; ++index) {
        const TChartAxis& a = *Axis(index);
        saved_.push_back({a.Automatic(), a.AutomaticMinimum(), a.AutomaticMaximum(), a.Minimum(), a.Maximum()});
    }
    restored_ = false;
}

void TCustomChart::ZoomIn() {
    const int x0 = std::min(zx0_, zx1_), x1 = std::max(zx0_, zx1_);
    const int y0 = std::min(zy0_, zy1_), y1 = std::max(zy0_, zy1_);
    if (restored_) SaveScales();
    // Each axis maps with the pixels of the last paint; read all four ends
    // before any axis changes.
    const double b0 = BottomAxis()->PixelToValue(x0), b1 = BottomAxis()->PixelToValue(x1);
    const double t0 = TopAxis()->PixelToValue(x0), t1 = TopAxis()->PixelToValue(x1);
    const double l0 = LeftAxis()->PixelToValue(y1), l1 = LeftAxis()->PixelToValue(y0);
    const double r0 = RightAxis()->PixelToValue(y1), r1 = RightAxis()->PixelToValue(y0);
    BottomAxis()->SetMinMax(b0, b1);
    TopAxis()->SetMinMax(t0, t1);
    LeftAxis()->SetMinMax(l0, l1);
    RightAxis()->SetMinMax(r0, r1);
    zoomed_ = true;
}

void TCustomChart::UndoZoom() {
    if (!restored_) {
        for (int index = 0; index < AxisDepth && index < static_cast<int>(saved_.size()); ++index) {
            TChartAxis& a = *Axis(index);
            const TSavedScale& s = saved_[static_cast<std::size_t>(index)];
            a.SetMinMax(s.minimum, s.maximum);
            a.SetAutomatic(s.automatic);
            a.SetAutomaticMinimum(s.automaticMinimum);
            a.SetAutomaticMaximum(s.automaticMaximum);
        }
        saved_.clear();
        restored_ = true;
    }
    zoomed_ = false;
}

const TClassInfo& TCustomChart::StaticClassInfo() {
    static const TClassInfo info = TClassBuilder<TCustomChart>("TCustomChart", TCustomAxisPanel::StaticClassInfo());
    return info;
}

const TClassInfo& TChart::StaticClassInfo() {
    static const TClassInfo info = TClassBuilder<TChart>("TChart", TCustomChart::StaticClassInfo());
    return info;
}

}  // namespace cvcalc
