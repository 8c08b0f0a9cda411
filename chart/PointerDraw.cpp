// The pointer draws its marker at a point: the outline of the marker table
// with the pointer's pen, filled with its brush.
#include <algorithm>
#include <array>

#include "chart/ChartDrawing.h"
#include "chart/MarkerShapes.h"
#include "chart/SeriesPointer.h"
#include "framework/Canvas.h"

namespace cvcalc {

void TSeriesPointer::Draw(TCanvas& canvas, int x, int y, TColor color) const {
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
    std::array<TPoint, 8> points;
    const std::size_t count = std::min(shape.corners.size(), points.size());
    for (std::size_t i = 0; i < count; ++i) {
        const TMarkerCorner& c = shape.corners[i];
        points[i] = TPoint{x + c.sx * hs + c.dx, y + c.sy * vs + c.dy};
    }
    switch (shape.kind) {
    case mkRectangle:
        canvas.Rectangle(points[0].x, points[0].y, points[1].x, points[1].y);
        break;
    case mkEllipse:
        canvas.Ellipse(points[0].x, points[0].y, points[1].x, points[1].y);
        break;
    case mkPolygon:
        canvas.Polygon(std::span<const TPoint>(points.data(), count));
        break;
    case mkLines:
        // Crosses are lines only: without an outline pen they take the fill.
        if (!pen.Visible()) {
            canvas.Pen().SetStyle(psSolid);
            canvas.Pen().SetWidth(1);
            canvas.Pen().SetColor(fill);
        }
        for (std::size_t i = 0; i + 1 < count; i += 2) {
            canvas.MoveTo(points[i].x, points[i].y);
            canvas.LineTo(points[i + 1].x, points[i + 1].y);
        }
        break;
    case mkDot:
        canvas.FillRect(TRect{points[0].x, points[0].y, points[1].x, points[1].y});
        break;
    case mkNothing:
        break;
    }
}

}  // namespace cvcalc
