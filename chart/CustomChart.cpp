// The chart control: a full draw into the off-screen bitmap when something
// changed, one copy of that bitmap otherwise.
#include "chart/CustomChart.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <span>
#include <utility>

#include "chart/AxisTextMetrics.h"
#include "chart/ChartAxis.h"
#include "chart/ChartAxisTitle.h"
#include "chart/CustomSeries.h"
#include "chart/SeriesPointer.h"
#include "framework/Canvas.h"
#include "framework/Color.h"

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

TCustomChart::TCustomChart(TComponent* owner) : TCustomAxisPanel(owner), zoom_(std::make_unique<TChartZoom>()) {
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
        // A cosmetic pen that sets every other pixel.
        p.SetWidth(1);
        p.SetStyle(psAlternate);
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
    for (THitBand& band : hitBands_) band = THitBand{};

    // Lines, grid dots and texts leave what lies between them as it is.
    canvas.SetBackgroundMode(bmTransparent);

    // The back wall: its pen round the plotting area, filled unless it is
    // transparent.
    if (BackWall()->Visible() && AnySeriesActive()) {
        const TChartBrush& brush = *BackWall()->Brush();
        if (BackWall()->Transparent()) {
            canvas.Brush().SetStyle(bsClear);
        } else {
            canvas.Brush().SetStyle(brush.Style());
            canvas.Brush().SetColor(BackWall()->Color());
        }
        RealisePen(canvas, *BackWall()->Pen(), BackWall()->Pen()->Color());
        canvas.Rectangle(plot.left, plot.top, plot.right + 1, plot.bottom + 1);
    }

    // Labels, titles, axis lines, ticks and grids of the four standard axes.
    if (AxisVisible())
        for (int index : {AxisBottom, AxisTop, AxisLeft, AxisRight}) {
            TChartAxis& axis = *Axis(index);
            if (axis.VisibleInPaint()) DrawAxis(canvas, axis, axis.CalcLabelStep(metrics));
        }

    // The series in list order, clipped to the plotting area with its
    // bottom edge included; the wall's right column stays clear.
    canvas.ClipRect(TRect{plot.left, plot.top, plot.right, plot.bottom + 1});
    for (int i = 0; i < NumSeries(); ++i) {
        TChartSeries& s = *SeriesAt(i);
        if (s.Active()) DrawSeries(canvas, s);
    }
    canvas.RestoreClip();
    canvas.Pen().SetMode(pmCopy);

    // A zoom drag in progress keeps its rectangle over the new drawing.
    if (zoom_->Active()) DrawZoomRectangle(canvas);
}

void TCustomChart::DrawAxis(TCanvas& canvas, TChartAxis& axis, double step) {
    const TChartRect& plot = PlotRect();
    const std::vector<TAxisLabel> labels = axis.LabelValues(step);
    const std::vector<int>& ticks = axis.TickPixels();
    const bool horizontal = axis.Horizontal();
    const int pos =
        horizontal ? (axis.OtherSide() ? plot.top : plot.bottom) : (axis.OtherSide() ? plot.right : plot.left);
    const int outward = axis.OtherSide() ? (horizontal ? -1 : 1) : (horizontal ? 1 : -1);
    canvas.Brush().SetStyle(bsClear);
    // Labels first, in the label band: below the bottom axis each is centred
    // on its pixel with its top at the band's edge; beside the left axis it
    // ends at the edge, centred on its pixel.
    const int labelEdge = axis.LabelEdge();
    int labelDepth = 0;  // the labels' extent away from the axis
    if (axis.Labels()) {
        UseFont(canvas, *axis.LabelsFont());
        for (const TAxisLabel& l : labels) {
            const int tw = canvas.TextWidth(l.text), th = canvas.TextHeight(l.text);
            labelDepth = std::max(labelDepth, horizontal ? th : tw);
            if (horizontal)
                canvas.TextOut(l.pixel - tw / 2, outward > 0 ? labelEdge : labelEdge - th, l.text);
            else
                canvas.TextOut(outward < 0 ? labelEdge - tw : labelEdge, l.pixel - th / 2, l.text);
        }
    }
    // What a mouse-down on this axis must hit: from the labels' outer edge
    // to three pixels inside the axis line.
    const int edge = labelEdge + outward * labelDepth;
    THitBand& band = hitBands_[axis.Horizontal() ? (axis.OtherSide() ? 1 : 0) : (axis.OtherSide() ? 3 : 2)];
    band = outward > 0 ? THitBand{pos - 3, edge} : THitBand{edge, pos + 3};
    // The title in the band beyond the labels, centred on the axis: the
    // bottom title hangs from the band's inner edge, the left title reads
    // upwards with its plot side at that edge.
    const std::string& caption = axis.Title()->Caption();
    if (!caption.empty() && axis.Title()->Visible()) {
        UseFont(canvas, *axis.Title()->Font());
        const int tw = canvas.TextWidth(caption), th = canvas.TextHeight(caption);
        const int titleEdge = axis.TitleEdge(), centre = axis.CenterPos();
        if (horizontal) {
            canvas.TextOut(centre - tw / 2, outward > 0 ? titleEdge : titleEdge - th, caption);
        } else {
            // Turned a quarter anticlockwise the text lies right of its
            // starting point, turned clockwise left of it.
            canvas.Font().SetOrientation(outward < 0 ? 900 : 2700);
            if (outward < 0)
                canvas.TextOut(titleEdge - th, centre + tw / 2, caption);
            else
                canvas.TextOut(titleEdge + th, centre - tw / 2, caption);
            canvas.Font().SetOrientation(0);
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
    // Marks across the axis at the given pixels, from `from` to `to` pixels
    // outwards of the axis line (the last one left out, as LineTo does).
    auto marks = [&](const TChartPen& pen, const std::vector<int>& pixels, int from, int to) {
        if (!pen.Visible() || from == to || pixels.empty()) return;
        RealisePen(canvas, pen, pen.Color());
        for (const int p : pixels) {
            if (horizontal) {
                canvas.MoveTo(p, pos + from * outward);
                canvas.LineTo(p, pos + to * outward);
            } else {
                canvas.MoveTo(pos + from * outward, p);
                canvas.LineTo(pos + to * outward, p);
            }
        }
    };
    // Lines across the whole plotting area at the given pixels.
    auto across = [&](const TChartPen& pen, const std::vector<int>& pixels) {
        if (!pen.Visible() || pixels.empty()) return;
        RealisePen(canvas, pen, pen.Color());
        for (const int p : pixels) {
            if (horizontal) {
                canvas.MoveTo(p, plot.top);
                canvas.LineTo(p, plot.bottom);
            } else {
                canvas.MoveTo(plot.left, p);
                canvas.LineTo(plot.right, p);
            }
        }
    };
    // Outer ticks start one pixel outside the axis line; then the grid and
    // the inner ticks.
    marks(*axis.Ticks(), ticks, 1, 1 + axis.TickLength());
    across(*axis.Grid(), ticks);
    marks(*axis.TicksInner(), ticks, 0, -axis.TickInnerLength());
    // Minor ticks: MinorTickCount between each two ticks and as many beyond
    // the outer ones, each gap split evenly; only those strictly inside the
    // axis ends.  The minor grid shares their places.
    const int count = axis.MinorTickCount();
    if (count > 0 && ticks.size() >= 2 && (axis.MinorTicks()->Visible() || axis.MinorGrid()->Visible())) {
        std::vector<int> minor;
        auto add = [&](double p) {
            const int pixel = static_cast<int>(std::nearbyint(p));
            if (pixel > axis.StartPos() && pixel < axis.EndPos()) minor.push_back(pixel);
        };
        const double outer = static_cast<double>(ticks[1] - ticks[0]) / (count + 1);
        for (int j = 1; j <= count; ++j) {
            add(ticks.front() - std::nearbyint(j * outer));
            add(ticks.back() + std::nearbyint(j * outer));
        }
        for (std::size_t i = 1; i < ticks.size(); ++i) {
            const double m = static_cast<double>(ticks[i] - ticks[i - 1]) / (count + 1);
            for (int j = 1; j <= count; ++j) add(ticks[i] - std::nearbyint(j * m));
        }
        marks(*axis.MinorTicks(), minor, 1, 1 + axis.MinorTickLength());
        across(*axis.MinorGrid(), minor);
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
    // at or beyond its right edge; all of them unless X ascends.
    const TChartRect& plot = PlotRect();
    double xmin = ha.PixelToValue(plot.left), xmax = ha.PixelToValue(plot.right);
    if (ha.Inverted()) std::swap(xmin, xmax);
    int first = 0, last = n - 1;
    if (xs.Order() == loAscending) {
        while (first < n && xs.Value(first) < xmin) ++first;
        if (first == n) {
            series.SetVisibleRange(-1, -1);
            return;
        }
        if (xs.Value(n - 1) > xmax) {
            last = first;
            while (last < n - 1 && xs.Value(last) < xmax) ++last;
        }
    }
    series.SetVisibleRange(first, last);

    auto* custom = dynamic_cast<TCustomSeries*>(&series);
    const bool drawLine = custom && custom->DrawLine();
    TSeriesPointer* pointer = custom ? custom->Pointer() : nullptr;
    const bool markers = pointer && pointer->Visible();

    auto marker = [&](int x, int y, TColor c) {
        const int hs = pointer->HorizSize(), vs = pointer->VertSize();
        const TChartPen& pen = *pointer->Pen();
        const TColor penColor = pen.Color() == clAutoColor ? c : pen.Color();
        if (pen.Visible())
            RealisePen(canvas, pen, penColor);
        else
            canvas.Pen().SetStyle(psClear);
        const TChartBrush& b = *pointer->Brush();
        const TColor fill = b.Color() == clAutoColor ? (b.Style() == bsSolid ? c : clBlack) : b.Color();
        canvas.Brush().SetStyle(bsSolid);
        canvas.Brush().SetColor(fill);
        auto polygon = [&](std::initializer_list<TPoint> corners) {
            canvas.Polygon(std::span<const TPoint>(corners.begin(), corners.size()));
        };
        // Crosses are lines only: without an outline pen they take the fill.
        auto lines = [&](std::initializer_list<std::pair<TPoint, TPoint>> segments) {
            if (!pen.Visible()) {
                canvas.Pen().SetStyle(psSolid);
                canvas.Pen().SetWidth(1);
                canvas.Pen().SetColor(fill);
            }
            for (const auto& [from, to] : segments) {
                canvas.MoveTo(from.x, from.y);
                canvas.LineTo(to.x, to.y);
            }
        };
        const std::pair<TPoint, TPoint> upright[] = {{{x - hs, y}, {x + hs + 1, y}}, {{x, y - vs}, {x, y + vs + 1}}};
        const std::pair<TPoint, TPoint> diagonal[] = {{{x - hs, y - vs}, {x + hs + 1, y + vs + 1}},
                                                      {{x - hs, y + vs}, {x + hs + 1, y - vs - 1}}};
        switch (pointer->Style()) {
        case psRectangle:
            canvas.Rectangle(x - hs, y - vs, x + hs + 1, y + vs + 1);
            break;
        case psCircle:
            canvas.Ellipse(x - hs, y - vs, x + hs, y + vs);
            break;
        case psTriangle:
            polygon({{x - hs, y + vs}, {x + hs, y + vs}, {x, y - vs}});
            break;
        case psDownTriangle:
            polygon({{x - hs, y - vs}, {x + hs, y - vs}, {x, y + vs}});
            break;
        case psLeftTriangle:
            polygon({{x + hs, y - vs}, {x + hs, y + vs}, {x - hs, y}});
            break;
        case psRightTriangle:
            polygon({{x - hs, y - vs}, {x - hs, y + vs}, {x + hs, y}});
            break;
        case psDiamond:
            polygon({{x, y - vs}, {x + hs, y}, {x, y + vs}, {x - hs, y}});
            break;
        case psCross:
            lines({upright[0], upright[1]});
            break;
        case psDiagCross:
            lines({diagonal[0], diagonal[1]});
            break;
        case psStar:
            lines({upright[0], upright[1], diagonal[0], diagonal[1]});
            break;
        case psSmallDot:
            canvas.FillRect(TRect{x, y, x + 1, y + 1});
            break;
        case psNothing:
            break;
        }
    };
    const TChartPen& linePen = *series.Pen();
    const TColor lineColor = series.SeriesColor();
    // The line's pen stays on the canvas from segment to segment unless a
    // marker has put its own in between.
    bool linePenSet = false;
    int px = ha.ValueToPixel(xs.Value(first)), py = va.ValueToPixel(ys.Value(first));
    TColor pc = series.PointColor(first);
    // Points left of the area: the line comes in from its edge, at the
    // height the segment from the point before has there.
    if (drawLine && first > 0 && xs.Order() == loAscending) {
        const double x0 = xs.Value(first - 1), y0 = ys.Value(first - 1);
        const double x1 = xs.Value(first), y1 = ys.Value(first);
        const double edge = ha.Inverted() ? xmax : xmin;
        double yEdge = y1;
        if (custom->Stairs())
            yEdge = y0;
        else if (x1 != x0)
            yEdge = y0 + (y1 - y0) * ((edge - x0) / (x1 - x0));
        const int ex = ha.Inverted() ? plot.right : plot.left, ey = va.ValueToPixel(yEdge);
        if (ex != px || ey != py) {
            canvas.Brush().SetStyle(bsClear);
            RealisePen(canvas, linePen, custom->ColorEachLine() && series.ColorEachPoint() ? pc : lineColor);
            canvas.MoveTo(ex, ey);
            if (custom->Stairs() && !custom->InvertedStairs()) canvas.LineTo(px, ey);
            canvas.LineTo(px, py);
        }
    }
    if (first == last && markers) marker(px, py, pc);
    for (int i = first + 1; i <= last; ++i) {
        const int x = ha.ValueToPixel(xs.Value(i)), y = va.ValueToPixel(ys.Value(i));
        const TColor c = series.PointColor(i);
        if (drawLine && (x != px || y != py)) {
            // With ColorEachPoint and ColorEachLine each segment takes the
            // colour of the point it leads to.
            const bool pointColours = custom->ColorEachLine() && series.ColorEachPoint();
            if (!linePenSet || pointColours) {
                canvas.Brush().SetStyle(bsClear);
                RealisePen(canvas, linePen, pointColours ? c : lineColor);
                linePenSet = true;
            }
            canvas.MoveTo(px, py);
            if (custom->Stairs()) {
                if (custom->InvertedStairs())
                    canvas.LineTo(px, y);
                else
                    canvas.LineTo(x, py);
            }
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
    const int order[] = {AxisBottom, AxisTop, AxisLeft, AxisRight};
    for (int k = 0; k < 4; ++k) {
        const TChartAxis& a = *Axis(order[k]);
        const THitBand& band = hitBands_[k];
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

void TCustomChart::DrawZoomRectangle(TCanvas& canvas) {
    const TChartZoom& z = *zoom_;
    const TColor background = ColorToRgb(BackWall()->Transparent() ? Color() : BackWall()->Color());
    const TColor inverse = static_cast<TColor>(0xFFFFFF - background);
    const TChartZoomPen& pen = *z.Pen();
    TPen& p = canvas.Pen();
    if (pen.Visible()) {
        p.SetColor(static_cast<TColor>(ColorToRgb(pen.Color()) ^ inverse));
        p.SetWidth(std::max(pen.Width(), 1));
        p.SetStyle(pen.Style());
    } else {
        p.SetStyle(psClear);
    }
    p.SetMode(pmNotXor);
    const TChartZoomBrush& brush = *z.Brush();
    canvas.Brush().SetColor(static_cast<TColor>(ColorToRgb(brush.Color()) ^ inverse));
    canvas.Brush().SetStyle(brush.Style());
    const TBkMode mode = canvas.BackgroundMode();
    canvas.SetBackgroundMode(bmTransparent);
    canvas.Rectangle(z.X0, z.Y0, z.X1, z.Y1);
    canvas.SetBackgroundMode(mode);
    p.SetMode(pmCopy);
}

void TCustomChart::ToggleZoomRectangle() {
    if (bitmap_.Width() == 0 || bitmap_.Height() == 0) return;
    DrawZoomRectangle(bitmap_.Canvas());
    if (!Destroying()) Invalidate();
}

void TCustomChart::MouseDown(MouseButton button, ShiftState shift, int x, int y) {
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
    if (restored_) SaveScales();
    const bool horizontal = allowPanning_ == pmHorizontal || allowPanning_ == pmBoth;
    const bool vertical = allowPanning_ == pmVertical || allowPanning_ == pmBoth;
    bool moved = false;
    for (int index = 0; index < AxisDepth; ++index) {
        TChartAxis& a = *Axis(index);
        if (a.Horizontal() ? !horizontal : !vertical) continue;
        const int from = a.Horizontal() ? panX_ : panY_, to = a.Horizontal() ? x : y;
        if (from == to) continue;
        const double d = a.PixelToValue(from) - a.PixelToValue(to);
        double minimum = a.Minimum() + d, maximum = a.Maximum() + d;
        bool allow = true;
        if (onAllowScroll_) onAllowScroll_(&a, minimum, maximum, allow);
        if (!allow) continue;
        a.SetMinMax(minimum, maximum);
        moved = true;
    }
    panX_ = x;
    panY_ = y;
    if (moved) {
        onScroll_(this);
        ChartInvalidate();
    }
}

void TCustomChart::MouseUp(MouseButton button, ShiftState, int x, int y) {
    panning_ = false;
    TChartZoom& z = *zoom_;
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
    // Like the first pan: the scales before it are kept, so that dragging
    // back brings them (and the automatic ends) back.  A notch over an
    // empty chart would otherwise fix its range at nothing for good.
    if (restored_) SaveScales();
    for (int index = 0; index < AxisDepth; ++index) {
        TChartAxis& a = *Axis(index);
        if (a.Horizontal()) continue;
        const double step = (a.Maximum() - a.Minimum()) * 3 * 0.01;
        a.Scroll(delta < 0 ? step : -step, false);
    }
    ChartInvalidate();
}

void TCustomChart::CancelMode() {
    if (zoom_->active_) {
        ToggleZoomRectangle();
        zoom_->active_ = false;
    }
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
    const TChartZoom& z = *zoom_;
    const int x0 = std::min(z.X0, z.X1), x1 = std::max(z.X0, z.X1);
    const int y0 = std::min(z.Y0, z.Y1), y1 = std::max(z.Y0, z.Y1);
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
    onUndoZoom_(this);
    ChartInvalidate();
    zoomed_ = false;
}

const TClassInfo& TCustomChart::StaticClassInfo() {
    using C = TCustomChart;
    static const TClassInfo info =
        TClassBuilder<C>("TCustomChart", TCustomAxisPanel::StaticClassInfo())
            .Ordinal("AllowPanning", TypeInfoTPanningMode(), &C::AllowPanning, &C::SetAllowPanning, pmBoth)
            .Event("OnAllowScroll", &C::OnAllowScroll, &C::SetOnAllowScroll)
            .Event("OnScroll", &C::OnScroll, &C::SetOnScroll)
            .Event("OnUndoZoom", &C::OnUndoZoom, &C::SetOnUndoZoom)
            .Event("OnZoom", &C::OnZoom, &C::SetOnZoom)
            .Ordinal("ScrollMouseButton", TypeInfoTMouseButton(), &C::ScrollMouseButton, &C::SetScrollMouseButton,
                     mbRight)
            .Object("Zoom", &C::Zoom, nullptr);
    return info;
}

const TClassInfo& TChart::StaticClassInfo() {
    static const TClassInfo info = TClassBuilder<TChart>("TChart", TCustomChart::StaticClassInfo());
    return info;
}

}  // namespace cvcalc
