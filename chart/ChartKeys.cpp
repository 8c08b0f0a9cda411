// The chart's keys: what the mouse does to the scales, from the keyboard,
// while the chart has the focus.  Each key goes through the same zoom and
// pan as the mouse, so the undo drag and Undo zoom bring the scales back.
#include <algorithm>

#include "chart/ChartAxis.h"
#include "chart/CustomChart.h"
#include "framework/Canvas.h"

namespace cvcalc {

void TCustomChart::KeyDown(int key, ShiftState shift, bool& handled) {
    // Ctrl and Alt combinations belong to the window.
    if ((shift & (shift::Ctrl | shift::Alt)) != 0) return;
    if (key == vk::Back) {
        handled = true;
        onUserInput_(this);
        UndoZoom();
        return;
    }
    const bool pan = key == vk::Left || key == vk::Right || key == vk::Up || key == vk::Down;
    const bool zoom = key == vk::OemPlus || key == vk::OemMinus;
    if (!pan && !zoom) return;
    handled = true;
    onUserInput_(this);
    // As with the mouse: nothing to move before a series shows, nor during
    // a drag.
    if (!AnySeriesActive() || zoom_->Active() || panning_) return;
    if (zoom) {
        ZoomAboutCentre(key == vk::OemPlus);
        return;
    }
    const TChartRect& plot = PlotRect();
    const int stepX = std::max((plot.right - plot.left) / KeyPanDivisor, 1);
    const int stepY = std::max((plot.bottom - plot.top) / KeyPanDivisor, 1);
    // The view goes the arrow's way: the content is dragged the other way.
    const int cx = (plot.left + plot.right) / 2, cy = (plot.top + plot.bottom) / 2;
    int toX = cx, toY = cy;
    if (key == vk::Left) toX += stepX;
    if (key == vk::Right) toX -= stepX;
    if (key == vk::Up) toY += stepY;
    if (key == vk::Down) toY -= stepY;
    if (PanAxes(cx, cy, toX, toY)) {
        onScroll_(this);
        ChartInvalidate();
    }
}

void TCustomChart::ZoomAboutCentre(bool in) {
    const TChartZoom& z = *zoom_;
    if (!z.Allow()) return;
    const TChartRect& plot = PlotRect();
    const int w = plot.right - plot.left, h = plot.bottom - plot.top;
    // In: the rectangle a tenth of the plot inside every edge.  Out: the
    // rectangle outside the plot that the next zoom in would bring back to
    // the plot's edges (a quarter of the shrunk side is an eighth of this).
    const int dx = in ? w / KeyPanDivisor : w / (KeyPanDivisor - 2);
    const int dy = in ? h / KeyPanDivisor : h / (KeyPanDivisor - 2);
    int x0 = plot.left, x1 = plot.right, y0 = plot.top, y1 = plot.bottom;
    if (z.Direction() != tzdVertical) {
        x0 += in ? dx : -dx;
        x1 -= in ? dx : -dx;
    }
    if (z.Direction() != tzdHorizontal) {
        y0 += in ? dy : -dy;
        y1 -= in ? dy : -dy;
    }
    // The rule of the drag: a rectangle that is not beyond MinimumPixels in
    // a direction it zooms does nothing.
    if (z.Direction() != tzdVertical && x1 - x0 <= z.MinimumPixels()) return;
    if (z.Direction() != tzdHorizontal && y1 - y0 <= z.MinimumPixels()) return;
    ZoomToPixels(x0, y0, x1, y1);
    ChartInvalidate();
}

void TCustomChart::DrawFocusMark(TCanvas& canvas) {
    const int w = ClientWidth(), h = ClientHeight();
    // Just inside the chart's bevel, every other pixel, as the classic
    // focus rectangle.
    const int inset = FrameWidth() + 1;
    if (w - 2 * inset < 2 || h - 2 * inset < 2) return;
    const TPoint corners[] = {
        {inset, inset}, {w - 1 - inset, inset}, {w - 1 - inset, h - 1 - inset}, {inset, h - 1 - inset}, {inset, inset}};
    canvas.Pen().SetColor(clWindowText);
    canvas.Pen().SetWidth(1);
    canvas.Pen().SetMode(pmCopy);
    canvas.Pen().SetStyle(psAlternate);
    canvas.Polyline(corners);
    canvas.Pen().SetStyle(psSolid);
}

}  // namespace cvcalc
