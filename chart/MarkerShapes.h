// The marker table: the outline of every pointer style as corners relative
// to the point, apart from any canvas so that the shapes can be checked
// without drawing.
#pragma once

#include <span>

#include "chart/SeriesPointer.h"

namespace cvcalc {

// How a marker's corners are drawn: a rectangle or an ellipse in the box of
// its two corners (end exclusive), a closed polygon, separate line segments
// (corner pairs, the last pixel left out), a one-pixel fill, or nothing.
enum TMarkerKind { mkRectangle, mkEllipse, mkPolygon, mkLines, mkDot, mkNothing };

// A corner at (x + sx·HorizSize + dx, y + sy·VertSize + dy) for a marker at
// (x, y): the extra pixel of dx and dy lets the end-exclusive rectangles and
// line ends reach the far side of the marker.
struct TMarkerCorner {
    int sx, sy, dx, dy;
};

struct TMarkerShape {
    TMarkerKind kind;
    std::span<const TMarkerCorner> corners;
};

const TMarkerShape& MarkerShape(TSeriesPointerStyle style);

}  // namespace cvcalc
