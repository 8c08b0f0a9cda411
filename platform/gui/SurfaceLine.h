// Internal to platform/gui: the one line rasteriser of every surface.
//
// Which pixels a line inks depends on the pen alone, never on the target:
// a bitmap and a window's paint draw the same line with the same pixels.
// The walk (a Bresenham walk, one pixel or a stamp of the pen's width per
// step) draws every line it can; Qt's stroker draws the rest, on every
// target alike.  The walk writes a bitmap's pixels itself in copy mode and
// hands them to the painter everywhere else (windows, raster modes).
#pragma once

#include <cstdint>
#include <span>

#include "platform/gui/QtBridge.h"
#include "platform/gui/Surface.h"

namespace cvcalc {

enum class LineRasteriser : std::uint8_t {
    Nothing,  // the clear pen
    Walk,     // cosmetic pens of every style; solid geometric pens with round or square ends
    Stroker,  // Qt: geometric pens with flat ends or dashes
};

LineRasteriser RasteriserFor(const NativePen& pen);

// The walk takes lines whose ends lie within ±32767; a line from farther
// away goes to the stroker, which clips it before it walks.
bool WithinWalkReach(PixelPoint a, PixelPoint b);

// Cosmetic dash patterns in pixels: ink, gap, ink, ...; empty for solid.
std::span<const int> CosmeticDashes(NativePenStyle style);

// Draws lines with the surface's pen through the walk; the pen must be one
// RasteriserFor sends to the walk.  Spans headed for the painter are drawn
// at the latest when the walk ends.
class LineWalk {
public:
    explicit LineWalk(TSurface::State& state);
    LineWalk(const LineWalk&) = delete;
    LineWalk& operator=(const LineWalk&) = delete;
    ~LineWalk();

    // The line from (x0, y0) to (x1, y1), the last pixel left out for
    // cosmetic pens.
    void Draw(int x0, int y0, int x1, int y1);

private:
    void DrawCosmetic(int x0, int y0, int x1, int y1);
    void DrawStraight(int x0, int y0, int x1, int y1);
    void DrawGeometric(int x0, int y0, int x1, int y1);
    void Pixel(int x, int y, QRgb color);  // within bounds, for the painter
    void Span(int xFirst, int xLast, int y, QRgb color);
    void Flush();

    TSurface::State& state_;
    LinePlan& plan_;
    QRgb* bits_ = nullptr;
    qsizetype stride_ = 0;
    // A run of pixels on one row waiting for the painter.
    bool pending_ = false;
    int pendingFirst_ = 0, pendingLast_ = 0, pendingY_ = 0;
    QRgb pendingColor_ = 0;
};

}  // namespace cvcalc
