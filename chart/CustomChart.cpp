// The chart control: a full draw into the off-screen bitmap when something
// changed, one copy of that bitmap otherwise.  The chart orders the drawing;
// back wall, axes, series and zoom rectangle draw themselves.
#include "chart/CustomChart.h"

#include <algorithm>

#include "chart/ChartAxis.h"
#include "chart/ChartDrawing.h"
#include "chart/ChartSeries.h"
#include "chart/ChartValueList.h"
#include "framework/Canvas.h"

namespace cvcalc {

TCustomChart::TCustomChart(TComponent* owner) : TCustomAxisPanel(owner), zoom_(std::make_unique<TChartZoom>()) {
    width_ = 400;
    height_ = 250;
}

TCustomChart::~TCustomChart() = default;

void TCustomChart::Paint(TCanvas& canvas) {
    PaintToBitmap();
    canvas.Draw(0, 0, bitmap_);
    if (Focused()) DrawFocusMark(canvas);
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

void TCustomChart::DrawOnto(TCanvas& canvas) {
    const int w = std::max(ClientWidth(), 0), h = std::max(ClientHeight(), 0);
    const bool autoRepaint = AutoRepaint();
    SetAutoRepaint(false);
    try {
        DrawAll(canvas, w, h);
        PaintControls(canvas);
    } catch (...) {
        SetAutoRepaint(autoRepaint);
        throw;
    }
    SetAutoRepaint(autoRepaint);
}

void TCustomChart::DrawUnzoomedOnto(TCanvas& canvas) {
    if (restored_) {
        DrawOnto(canvas);
        return;
    }
    const std::vector<TSavedScale> shown = CurrentScales();
    const bool autoRepaint = AutoRepaint();
    SetAutoRepaint(false);
    // The draw leaves the working ranges and hit bands of the scales it
    // drew at; the bitmap's draw afterwards puts those of the shown scales
    // back, so that the mouse maps pixels as the window shows them.
    const auto restore = [&] {
        ApplyScales(shown);
        SetAutoRepaint(autoRepaint);
        SetDirty(true);
        PaintToBitmap();
    };
    try {
        ApplyScales(saved_);
        DrawAll(canvas, std::max(ClientWidth(), 0), std::max(ClientHeight(), 0));
        PaintControls(canvas);
    } catch (...) {
        restore();
        throw;
    }
    restore();
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

    const TChartRect plot = LayoutAxes(TCanvasTextMetrics(canvas), PlotRectFromMargins(width, height));
    for (int index : {AxisBottom, AxisTop, AxisLeft, AxisRight}) Axis(index)->ClearHitBand();

    // Lines, grid dots and texts leave what lies between them as it is.
    canvas.SetBackgroundMode(bmTransparent);

    if (BackWall()->Visible() && AnySeriesActive()) BackWall()->Draw(canvas, plot);

    // Labels, titles, axis lines, ticks and grids of the four standard axes.
    if (AxisVisible())
        for (int index : {AxisBottom, AxisTop, AxisLeft, AxisRight}) {
            TChartAxis& axis = *Axis(index);
            if (axis.VisibleInPaint()) axis.Draw(canvas, plot);
        }

    // The series in list order, clipped to the plotting area with its
    // bottom edge included; the wall's right column stays clear.
    canvas.ClipRect(TRect{plot.left, plot.top, plot.right, plot.bottom + 1});
    for (int i = 0; i < NumSeries(); ++i) {
        TChartSeries& s = *SeriesAt(i);
        if (!s.Active()) continue;
        const TChartAxis& horizAxis = s.HorizAxis() == aTopAxis ? *TopAxis() : *BottomAxis();
        const TChartAxis& vertAxis = s.VertAxis() == aRightAxis ? *RightAxis() : *LeftAxis();
        s.Draw(canvas, horizAxis, vertAxis, plot);
    }
    if (!notes_.empty()) {
        // Boxes that find their own corner need to know where the points are.
        // Only the points the series just drew can lie under a box: the
        // others are left or right of the plot, beyond every candidate.
        std::vector<TNotePoint> points;
        if (std::any_of(notes_.begin(), notes_.end(),
                        [](const TChartNote& n) { return n.place == TChartNote::Place::BestCorner; }))
            for (int i = 0; i < NumSeries(); ++i) {
                const TChartSeries& s = *SeriesAt(i);
                if (!s.Active() || s.PointCount() == 0 || s.FirstValueIndex() < 0) continue;
                const TChartAxis& h = s.HorizAxis() == aTopAxis ? *TopAxis() : *BottomAxis();
                const TChartAxis& v = s.VertAxis() == aRightAxis ? *RightAxis() : *LeftAxis();
                const int first = s.FirstValueIndex(), count = s.LastValueIndex() - first + 1;
                s.XValues()->Value(first + count - 1);  // a short list raises its index error
                s.YValues()->Value(first + count - 1);
                const double* xs = s.XValues()->Data() + first;
                const double* ys = s.YValues()->Data() + first;
                // The pixels the series just drew at, when it kept them.
                const TChartSeries::TDrawnPixels& drawn = s.DrawnPixels();
                const bool kept = drawn.x.size() == std::size_t(count) && drawn.y.size() == std::size_t(count);
                points.reserve(points.size() + std::size_t(count));
                for (int p = 0; p < count; ++p)
                    points.push_back(kept ? TNotePoint{drawn.x[std::size_t(p)], drawn.y[std::size_t(p)], xs[p]}
                                          : TNotePoint{h.ValueToPixel(xs[p]), v.ValueToPixel(ys[p]), xs[p]});
            }
        DrawChartNotes(canvas, notes_, *BottomAxis(), *LeftAxis(), plot, points);
    }
    canvas.RestoreClip();
    canvas.Pen().SetMode(pmCopy);

    // A zoom drag in progress keeps its rectangle over the new drawing.
    if (zoom_->Active()) zoom_->Draw(canvas, ZoomBackground());
}

void TCustomChart::SetNotes(std::vector<TChartNote> notes) {
    notes_ = std::move(notes);
    ChartInvalidate();
}

TColor TCustomChart::ZoomBackground() const { return BackWall()->Transparent() ? Color() : BackWall()->Color(); }

void TCustomChart::WndProc(Message& message) {
    // The window system's paint of the frame goes through Paint; the mouse
    // reaches the hooks in ChartMouse.cpp, the keys those in ChartKeys.cpp.
    TCustomAxisPanel::WndProc(message);
    switch (message.kind) {
    case MessageKind::SetFocus:
        // The focus mark comes and goes with the focus; the bitmap stays.
        Invalidate();
        onUserInput_(this);
        break;
    case MessageKind::KillFocus:
        Invalidate();
        break;
    default:
        break;
    }
}

void TCustomChart::HandleCreated() {
    TCustomAxisPanel::HandleCreated();
    native_->SetAccessibleRole(AccessibleRole::Chart);
}

bool TCustomChart::AnySeriesActive() const {
    for (int i = 0; i < NumSeries(); ++i)
        if (SeriesAt(i)->Active()) return true;
    return false;
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
