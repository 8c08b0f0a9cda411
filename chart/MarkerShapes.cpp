// The marker table of the pointer styles.
#include "chart/MarkerShapes.h"

namespace cvcalc {

namespace {

constexpr TMarkerCorner Box[] = {{-1, -1, 0, 0}, {1, 1, 1, 1}};
constexpr TMarkerCorner Oval[] = {{-1, -1, 0, 0}, {1, 1, 0, 0}};
constexpr TMarkerCorner Triangle[] = {{-1, 1, 0, 0}, {1, 1, 0, 0}, {0, -1, 0, 0}};
constexpr TMarkerCorner DownTriangle[] = {{-1, -1, 0, 0}, {1, -1, 0, 0}, {0, 1, 0, 0}};
constexpr TMarkerCorner LeftTriangle[] = {{1, -1, 0, 0}, {1, 1, 0, 0}, {-1, 0, 0, 0}};
constexpr TMarkerCorner RightTriangle[] = {{-1, -1, 0, 0}, {-1, 1, 0, 0}, {1, 0, 0, 0}};
constexpr TMarkerCorner Diamond[] = {{0, -1, 0, 0}, {1, 0, 0, 0}, {0, 1, 0, 0}, {-1, 0, 0, 0}};
// The upright cross, then the diagonal one; the star is both.
constexpr TMarkerCorner Star[] = {{-1, 0, 0, 0},  {1, 0, 1, 0}, {0, -1, 0, 0}, {0, 1, 0, 1},
                                  {-1, -1, 0, 0}, {1, 1, 1, 1}, {-1, 1, 0, 0}, {1, -1, 1, -1}};
constexpr TMarkerCorner Dot[] = {{0, 0, 0, 0}, {0, 0, 1, 1}};

const TMarkerShape Shapes[] = {
    {mkRectangle, Box},                     // psRectangle
    {mkEllipse, Oval},                      // psCircle
    {mkPolygon, Triangle},                  // psTriangle
    {mkPolygon, DownTriangle},              // psDownTriangle
    {mkLines, std::span(Star).first(4)},    // psCross
    {mkLines, std::span(Star).subspan(4)},  // psDiagCross
    {mkLines, Star},                        // psStar
    {mkPolygon, Diamond},                   // psDiamond
    {mkDot, Dot},                           // psSmallDot
    {mkNothing, {}},                        // psNothing
    {mkPolygon, LeftTriangle},              // psLeftTriangle
    {mkPolygon, RightTriangle},             // psRightTriangle
};
static_assert(std::size(Shapes) == psRightTriangle + 1);

}  // namespace

const TMarkerShape& MarkerShape(TSeriesPointerStyle style) {
    const auto index = static_cast<std::size_t>(style);
    return index < std::size(Shapes) ? Shapes[index] : Shapes[psNothing];
}

}  // namespace cvcalc
