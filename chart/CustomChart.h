// TCustomChart and TChart: the chart as a windowed control.  It draws into
// its own off-screen bitmap, which a repaint without a change only copies;
// its parts draw themselves in the order the chart gives.  The mouse (zoom,
// panning, wheel) lives in ChartMouse.cpp, the keys in ChartKeys.cpp.
#pragma once

#include <memory>
#include <vector>

#include "chart/ChartNotes.h"
#include "chart/ChartZoom.h"
#include "chart/CustomAxisPanel.h"
#include "framework/Bitmap.h"
#include "shell/core/Event.h"

namespace cvcalc {

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
    // Draws the chart at its client size onto `canvas` (a vector
    // document's, say) exactly as PaintToBitmap draws its bitmap, and over
    // it, as the window shows them, its graphic controls (the band chart's
    // EC, EF and EV labels); the bitmap and the dirty mark are left alone.
    void DrawOnto(TCanvas& canvas);
    // The same at the scales before the first zoom or pan, as the undo
    // drag would bring them back, whatever the window shows; the shown
    // scales stay as they are.  The graphic controls stay where they are.
    void DrawUnzoomedOnto(TCanvas& canvas);
    // The off-screen bitmap of the last draw.
    const TBitmap& Bitmap() const noexcept { return bitmap_; }
    // How often a full draw happened.
    int FullDrawCount() const noexcept { return fullDraws_; }

    // Mouse zoom and panning.
    TChartZoom* Zoom() const noexcept { return zoom_.get(); }
    TPanningMode AllowPanning() const noexcept { return allowPanning_; }
    void SetAllowPanning(TPanningMode value) noexcept { allowPanning_ = value; }
    TMouseButton ScrollMouseButton() const noexcept { return scrollMouseButton_; }
    void SetScrollMouseButton(TMouseButton value) noexcept { scrollMouseButton_ = value; }
    bool Zoomed() const noexcept { return zoomed_; }
    bool Zooming() const noexcept { return zoom_->Active(); }
    bool Panning() const noexcept { return panning_; }
    // Back to the scales before the first zoom or pan since the last undo.
    void UndoZoom();

    const TNotifyEvent& OnZoom() const noexcept { return onZoom_; }
    void SetOnZoom(const TNotifyEvent& event) { onZoom_ = event; }
    const TNotifyEvent& OnUndoZoom() const noexcept { return onUndoZoom_; }
    void SetOnUndoZoom(const TNotifyEvent& event) { onUndoZoom_ = event; }
    const TNotifyEvent& OnScroll() const noexcept { return onScroll_; }
    void SetOnScroll(const TNotifyEvent& event) { onScroll_ = event; }
    // Asked before panning moves an axis: may change the new ends or refuse.
    using TAllowScrollEvent = TEvent<TChartAxis*, double&, double&, bool&>;
    const TAllowScrollEvent& OnAllowScroll() const noexcept { return onAllowScroll_; }
    void SetOnAllowScroll(const TAllowScrollEvent& event) { onAllowScroll_ = event; }
    // A right-button click that does not move (press and release within
    // ContextClickSlop pixels of each other, anywhere on the chart) asks for
    // the chart's context menu at the release point.  A drag still pans.
    using TContextPopupEvent = TEvent<TObject*, int, int>;
    static constexpr int ContextClickSlop = 3;
    const TContextPopupEvent& OnContextPopup() const noexcept { return onContextPopup_; }
    void SetOnContextPopup(const TContextPopupEvent& event) { onContextPopup_ = event; }

    // Told when the user works the chart: a press of any mouse button, the
    // wheel, the keyboard focus, or a key the chart acts on.
    const TNotifyEvent& OnUserInput() const noexcept { return onUserInput_; }
    void SetOnUserInput(const TNotifyEvent& event) { onUserInput_ = event; }

    // The keys, while the chart has the keyboard focus (ChartKeys.cpp).
    // The arrows pan as a drag of a tenth of the plot would, the view
    // moving the arrow's way; + and - zoom in and out about the centre as
    // a zoom rectangle would (in by a tenth of the plot on every side, out
    // by as much as brings that back); Backspace undoes the zoom.
    static constexpr int KeyPanDivisor = 10;

    // Notes over the plot, drawn after the series (ChartNotes.h); each
    // change asks for a repaint.
    const std::vector<TChartNote>& Notes() const noexcept { return notes_; }
    void SetNotes(std::vector<TChartNote> notes);

    void WndProc(Message& message) override;

protected:
    void MouseDown(MouseButton button, ShiftState shift, int x, int y) override;
    void MouseUp(MouseButton button, ShiftState shift, int x, int y) override;
    void MouseMove(ShiftState shift, int x, int y) override;
    void MouseWheel(int delta, ShiftState shift, int x, int y) override;
    void KeyDown(int key, ShiftState shift, bool& handled) override;
    void CancelMode() override;
    // Marks the chart as a chart for assistive technology.
    void HandleCreated() override;

private:
    struct TSavedScale {
        bool automatic, automaticMinimum, automaticMaximum;
        double minimum, maximum;
    };
    // The mouse (ChartMouse.cpp).
    bool InPlot(int x, int y) const;
    bool HitsAxis(int x, int y) const;
    void SaveScales();
    std::vector<TSavedScale> CurrentScales() const;
    void ApplyScales(const std::vector<TSavedScale>& scales);
    void ZoomIn();
    // Sets the four standard axes to the values at the rectangle's edges
    // (client pixels, any order), saving the scales first as a zoom does.
    void ZoomToPixels(int x0, int y0, int x1, int y1);
    // Moves the axes of the allowed directions by the value difference
    // between two pixels, as one step of a drag; true when one moved.
    bool PanAxes(int fromX, int fromY, int toX, int toY);
    // The keys' zoom about the centre: in when `in`, otherwise out.
    void ZoomAboutCentre(bool in);
    // The dotted rectangle that shows the keyboard focus, on the window
    // only: the bitmap (and every figure made from it) never holds it.
    void DrawFocusMark(TCanvas& canvas);
    // Draws the zoom rectangle into the bitmap: drawn twice, the pixels are
    // as before.  The window then shows the bitmap again.
    void ToggleZoomRectangle();

    bool AnySeriesActive() const;
    // The colour the zoom rectangle is turned against.
    TColor ZoomBackground() const;
    // The chart's paint: panel, back wall, axes, series, zoom rectangle.
    void DrawAll(TCanvas& canvas, int width, int height);

    std::unique_ptr<TChartZoom> zoom_;
    TPanningMode allowPanning_ = pmBoth;
    TMouseButton scrollMouseButton_ = mbRight;
    bool panning_ = false;
    bool zoomed_ = false;
    int panX_ = 0, panY_ = 0;
    bool restored_ = true;
    std::vector<TSavedScale> saved_;
    TNotifyEvent onZoom_;
    TNotifyEvent onUndoZoom_;
    TNotifyEvent onScroll_;
    TAllowScrollEvent onAllowScroll_;
    TContextPopupEvent onContextPopup_;
    TNotifyEvent onUserInput_;
    // A right press that may still end as a click.
    bool contextPress_ = false;
    int contextX_ = 0, contextY_ = 0;

    std::vector<TChartNote> notes_;
    TBitmap bitmap_;
    int fullDraws_ = 0;
};

// The switch for wheel scrolling of every chart (on at start).
bool ChartWheelScrolling() noexcept;
void SetChartWheelScrolling(bool on) noexcept;

class TChart : public TCustomChart {
public:
    CVCALC_CLASS_INFO()
    using TCustomChart::TCustomChart;
};

}  // namespace cvcalc
