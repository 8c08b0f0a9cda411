// The pointer draws its marker at a point: the outline of the marker table
// with the pointer's pen, filled with its brush.
#include <algorithm>
#include <array>
#include <cmath>
#include <type_traits>

#include "chart/ChartDrawing.h"
#include "chart/MarkerShapes.h"
#include "chart/SeriesPointer.h"
#include "framework/Canvas.h"

namespace cvcalc {

namespace {

// The marker's figures at whole pixels, or at exact positions on a vector
// document.
void Box(TCanvas& canvas, TMarkerKind kind, TPoint a, TPoint b) {
    if (kind == mkEllipse)
        canvas.Ellipse(a.x, a.y, b.x, b.y);
    else
        canvas.Rectangle(a.x, a.y, b.x, b.y);
}
void Box(TCanvas& canvas, TMarkerKind kind, TPointF a, TPointF b) {
    if (kind == mkEllipse)
        canvas.EllipseF(a, b);
    else
        canvas.RectangleF(a, b);
}
void Outline(TCanvas& canvas, std::span<const TPoint> points) { canvas.Polygon(points); }
void Outline(TCanvas& canvas, std::span<const TPointF> points) { canvas.PolygonF(points); }
void Segment(TCanvas& canvas, TPoint a, TPoint b) {
    canvas.MoveTo(a.x, a.y);
    canvas.LineTo(b.x, b.y);
}
void Segment(TCanvas& canvas, TPointF a, TPointF b) {
    canvas.MoveToF(a);
    canvas.LineToF(b);
}
// A dot is a pixel wherever it is.
void Dot(TCanvas& canvas, TPoint a, TPoint b) { canvas.FillRect(TRect{a.x, a.y, b.x, b.y}); }
void Dot(TCanvas& canvas, TPointF a, TPointF b) {
    const auto pixel = [](double v) { return int(std::lround(std::clamp(v, -1e9, 1e9))); };
    canvas.FillRect(TRect{pixel(a.x), pixel(a.y), pixel(b.x), pixel(b.y)});
}

}  // namespace

template <typename Position>
void TSeriesPointer::DrawAt(TCanvas& canvas, Position x, Position y, TColor color) const {
    using Corner = std::conditional_t<std::is_same_v<Position, int>, TPoint, TPointF>;
    const int hs = horizSize_, vs = vertSize_;
    const TChartPen& pen = *pen_;
    if (pen.Visible())
        RealisePen(canvas, pen, pen.Color() == clAutoColor ? color : pen.Color());
    else
        canvas.Pen().SetStyle(psClear);
    const TChartBrush& b = *brush_;
    const TColor fill = b.Color() == clAutoColor ? (b.Style() == bsSolid ? color : clBlack) : b.Color();
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(fill);

    const TMarkerShape& shape = MarkerShape(style_);
    std::array<Corner, 8> points;
    const std::size_t count = std::min(shape.corners.size(), points.size());
    for (std::size_t i = 0; i < count; ++i) {
        const TMarkerCorner& c = shape.corners[i];
        points[i] = Corner{x + c.sx * hs + c.dx, y + c.sy * vs + c.dy};
    }
    switch (shape.kind) {
    case mkRectangle:
    case mkEllipse:
        Box(canvas, shape.kind, points[0], points[1]);
        break;
    case mkPolygon:
        Outline(canvas, std::span<const Corner>(points.data(), count));
        break;
    case mkLines:
        // Crosses are lines only: without an outline pen they take the fill.
        if (!pen.Visible()) {
            canvas.Pen().SetStyle(psSolid);
            canvas.Pen().SetWidth(1);
            canvas.Pen().SetColor(fill);
        }
        for (std::size_t i = 0; i + 1 < count; i += 2) Segment(canvas, points[i], points[i + 1]);
        break;
    case mkDot:
        Dot(canvas, points[0], points[1]);
        break;
    case mkNothing:
        break;
    }
}

void TSeriesPointer::Draw(TCanvas& canvas, int x, int y, TColor color) const { DrawAt(canvas, x, y, color); }

void TSeriesPointer::Draw(TCanvas& canvas, double x, double y, TColor color) const { DrawAt(canvas, x, y, color); }

}  // namespace cvcalc
