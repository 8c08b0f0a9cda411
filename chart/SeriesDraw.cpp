// A series draws itself: the visible points of the last layout, and for
// line and point series the connecting line with the markers over it.
#include <cstdint>
#include <type_traits>
#include <utility>
#include <vector>

#include "chart/ChartAxis.h"
#include "chart/ChartDrawing.h"
#include "chart/CustomSeries.h"
#include "chart/DrawnOnce.h"
#include "chart/SeriesPointer.h"
#include "framework/Canvas.h"

namespace cvcalc {

void TChartSeries::Draw(TCanvas& canvas, const TChartAxis& horizAxis, const TChartAxis& vertAxis,
                        const TChartRect& plot) {
    drawnPixels_.x.clear();
    drawnPixels_.y.clear();
    const int n = PointCount();
    if (n == 0) {
        // An emptied series lets go of the pixels of its last points.
        drawnPixels_ = TDrawnPixels{};
        return;
    }
    const TChartValueList& xs = *XValues();
    // The visible points: from the first not left of the area to the first
    // at or beyond its right edge; all of them unless X ascends.
    double xmin = horizAxis.PixelToValue(plot.left), xmax = horizAxis.PixelToValue(plot.right);
    if (horizAxis.Inverted()) std::swap(xmin, xmax);
    int first = 0, last = n - 1;
    if (xs.Order() == loAscending) {
        while (first < n && xs.Value(first) < xmin) ++first;
        if (first == n) {
            SetVisibleRange(-1, -1);
            return;
        }
        if (xs.Value(n - 1) > xmax) {
            last = first;
            while (last < n - 1 && xs.Value(last) < xmax) ++last;
        }
    }
    SetVisibleRange(first, last);
    DrawValues(canvas, TDrawArea{horizAxis, vertAxis, plot, xmin, xmax, first, last});
}

namespace {

// Where DrawPoints puts the values: at their pixels, or at their exact
// positions.
struct PixelPlaces {
    using Position = int;
    static void AtEach(const TChartAxis& axis, const double* values, int count, int* at) {
        axis.ValuesToPixels(values, count, at);
    }
    static int At(const TChartAxis& axis, double value) { return axis.ValueToPixel(value); }
    static void MoveTo(TCanvas& canvas, int x, int y) { canvas.MoveTo(x, y); }
    static void LineTo(TCanvas& canvas, int x, int y) { canvas.LineTo(x, y); }
};

struct ExactPlaces {
    using Position = double;
    static void AtEach(const TChartAxis& axis, const double* values, int count, double* at) {
        axis.ValuesToPositions(values, count, at);
    }
    static double At(const TChartAxis& axis, double value) { return axis.ValueToPosition(value); }
    static void MoveTo(TCanvas& canvas, double x, double y) { canvas.MoveToF({x, y}); }
    static void LineTo(TCanvas& canvas, double x, double y) { canvas.LineToF({x, y}); }
};

}  // namespace

// The line and the markers at whole pixels on bitmaps and windows, and at
// the exact positions of the values on a vector document; one walk over
// the points serves both, so they draw the same figure.
template <typename Place>
void TCustomSeries::DrawPoints(TCanvas& canvas, const TDrawArea& area) {
    using Position = typename Place::Position;
    const TChartAxis& ha = area.horizAxis;
    const TChartAxis& va = area.vertAxis;
    const TChartValueList& xs = *XValues();
    const TChartValueList& ys = *YValues();
    const int first = area.first, last = area.last;
    const bool drawLine = DrawLine();
    const TSeriesPointer& pointer = *Pointer();
    const bool markers = pointer.Visible();
    const TChartPen& linePen = *Pen();
    const TColor lineColor = SeriesColor();
    // Where the visible points go, worked out once for both walks below;
    // the pixels stay with the series for what the chart lays over it.
    const int count = last - first + 1;
    // A list shorter than the visible points raises its index error here,
    // before the loops below read its values whole.
    xs.Value(last);
    ys.Value(last);
    std::vector<Position> exactX, exactY;
    std::vector<Position>& atX = [&]() -> std::vector<Position>& {
        if constexpr (std::is_same_v<Position, int>)
            return KeptPixels().x;
        else
            return exactX;
    }();
    std::vector<Position>& atY = [&]() -> std::vector<Position>& {
        if constexpr (std::is_same_v<Position, int>)
            return KeptPixels().y;
        else
            return exactY;
    }();
    atX.resize(std::size_t(count));
    atY.resize(std::size_t(count));
    Place::AtEach(ha, xs.Data() + first, count, atX.data());
    Place::AtEach(va, ys.Data() + first, count, atY.data());
    const auto X = [&](int i) { return atX[std::size_t(i - first)]; };
    const auto Y = [&](int i) { return atY[std::size_t(i - first)]; };
    // The line's pen stays on the canvas from segment to segment unless a
    // marker has put its own in between.
    bool linePenSet = false;
    Position px = X(first), py = Y(first);
    TColor pc = PointColor(first);
    // Points left of the area: the line comes in from its edge, at the
    // height the segment from the point before has there.
    if (drawLine && first > 0 && xs.Order() == loAscending) {
        const double x0 = xs.Value(first - 1), y0 = ys.Value(first - 1);
        const double x1 = xs.Value(first), y1 = ys.Value(first);
        const double edge = ha.Inverted() ? area.xmax : area.xmin;
        double yEdge = y1;
        if (Stairs())
            yEdge = y0;
        else if (x1 != x0)
            yEdge = y0 + (y1 - y0) * ((edge - x0) / (x1 - x0));
        const Position ex = ha.Inverted() ? area.plot.right : area.plot.left, ey = Place::At(va, yEdge);
        if (ex != px || ey != py) {
            canvas.Brush().SetStyle(bsClear);
            RealisePen(canvas, linePen, ColorEachLine() && ColorEachPoint() ? pc : lineColor);
            Place::MoveTo(canvas, ex, ey);
            if (Stairs() && !InvertedStairs()) Place::LineTo(canvas, px, ey);
            Place::LineTo(canvas, px, py);
        }
    }
    if (first == last && markers) pointer.Draw(canvas, px, py, pc);
    const bool pointColours = ColorEachLine() && ColorEachPoint();
    // Many points: a figure that a later identical one covers is left out
    // (DrawnOnce.h).  The walk offers the figures from the last drawn to
    // the first and keeps what to draw.
    std::vector<std::uint8_t> keep;
    constexpr std::uint8_t KeepSegment = 1, KeepMarker = 2;
    if (last - first + 1 >= FiguresDrawnOnceFrom()) {
        keep.assign(std::size_t(last - first + 1), 0);
        TDrawnOnce segments, pointers;
        Position nx = X(last), ny = Y(last);
        TColor nc = PointColor(last);
        const auto cell = [](Position x, Position y) { return TDrawnOnce::CellOf(x, y); };
        if (markers && last > first && pointers.Offer(cell(nx, ny), nc)) keep[std::size_t(last - first)] |= KeepMarker;
        for (int i = last; i > first; --i) {
            const Position x = X(i - 1), y = Y(i - 1);
            const TColor c = PointColor(i - 1);
            if (markers && pointers.Offer(cell(x, y), c)) keep[std::size_t(i - 1 - first)] |= KeepMarker;
            if (drawLine && (x != nx || y != ny) &&
                segments.Offer(cell(x, y), cell(nx, ny), pointColours ? nc : lineColor))
                keep[std::size_t(i - first)] |= KeepSegment;
            nx = x;
            ny = y;
            nc = c;
        }
    }
    const auto kept = [&](int i, std::uint8_t what) {
        return keep.empty() || (keep[std::size_t(i - first)] & what) != 0;
    };
    // Segments of one pen with no marker between them go to the canvas in
    // runs of joined segments, which draw what the same MoveTo and LineTo
    // calls would.
    constexpr bool pixels = std::is_same_v<Position, int>;
    const bool inRuns = pixels && !markers && !pointColours && !Stairs();
    std::vector<TPoint> run;
    const auto drawRun = [&] {
        if (run.size() >= 2) canvas.LinesThrough(run);
        run.clear();
    };
    for (int i = first + 1; i <= last; ++i) {
        const Position x = X(i), y = Y(i);
        const TColor c = PointColor(i);
        if (drawLine && (x != px || y != py) && kept(i, KeepSegment)) {
            // With ColorEachPoint and ColorEachLine each segment takes the
            // colour of the point it leads to.
            if (!linePenSet || pointColours) {
                canvas.Brush().SetStyle(bsClear);
                RealisePen(canvas, linePen, pointColours ? c : lineColor);
                linePenSet = true;
            }
            if constexpr (pixels) {
                if (inRuns) {
                    if (run.empty() || run.back() != TPoint{px, py}) {
                        drawRun();
                        run.push_back({px, py});
                    }
                    run.push_back({x, y});
                    px = x;
                    py = y;
                    pc = c;
                    continue;
                }
            }
            Place::MoveTo(canvas, px, py);
            if (Stairs()) {
                if (InvertedStairs())
                    Place::LineTo(canvas, px, y);
                else
                    Place::LineTo(canvas, x, py);
            }
            Place::LineTo(canvas, x, y);
        }
        if (markers) {
            if (kept(i - 1, KeepMarker)) {
                pointer.Draw(canvas, px, py, pc);
                linePenSet = false;
            }
            if (i == last && kept(i, KeepMarker)) {
                pointer.Draw(canvas, x, y, c);
                linePenSet = false;
            }
        }
        px = x;
        py = y;
        pc = c;
    }
    drawRun();
}

void TCustomSeries::DrawValues(TCanvas& canvas, const TDrawArea& area) {
    if (canvas.Vector())
        DrawPoints<ExactPlaces>(canvas, area);
    else
        DrawPoints<PixelPlaces>(canvas, area);
}

}  // namespace cvcalc
