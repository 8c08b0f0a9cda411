// A painting surface: the classic device-context operations (pens, brushes,
// fonts, lines, rectangles, ellipses, polygons, text, clipping, bitmap copy)
// over a window during its Paint message or over an off-screen bitmap.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

#include "platform/gui/GuiTypes.h"
#include "platform/gui/NativeFont.h"

namespace cvcalc {

class TNativeImage;
class TOffscreenBitmap;

enum class NativePenStyle : std::uint8_t {
    Solid,
    Dash,
    Dot,
    DashDot,
    DashDotDot,
    Clear,        // draws nothing
    InsideFrame,  // solid; rectangles and ellipses keep the whole line inside their box
    Alternate,    // cosmetic: every other pixel
};

// End caps, each with its join: Round ends with round joins, Square ends with
// bevel joins, Flat ends with mitre joins.  Geometric pens only.
enum class NativePenEnd : std::uint8_t { Round, Square, Flat };

// Copy: the pen's colour replaces the pixel.  NotXor: pixel = NOT (pen XOR
// pixel), so drawing the same figure twice restores what was there.
// Xor: pixel = pen XOR pixel.
enum class NativePenMode : std::uint8_t { Copy, NotXor, Xor };

struct NativePen {
    RgbColor color = 0;
    int width = 1;
    NativePenStyle style = NativePenStyle::Solid;
    // A cosmetic pen is always one pixel wide, its dashes counted in pixels
    // (dash 18/6, dot 3/3, dash-dot 9/6/3/6, dash-dot-dot 9/3/3/3/3/3) and
    // lines leave out their last pixel, like the classic LineTo.  A geometric
    // pen is `width` pixels wide with the ends of `end`; its dashes scale
    // with the width and keep their gaps visible whatever the end style.
    bool geometric = false;
    NativePenEnd end = NativePenEnd::Round;
    NativePenMode mode = NativePenMode::Copy;
    friend bool operator==(const NativePen&, const NativePen&) = default;
};

enum class NativeBrushStyle : std::uint8_t {
    Solid,
    Clear,
    Horizontal,
    Vertical,
    FDiagonal,
    BDiagonal,
    Cross,
    DiagCross
};

struct NativeBrush {
    RgbColor color = 0xFFFFFF;
    NativeBrushStyle style = NativeBrushStyle::Solid;
    friend bool operator==(const NativeBrush&, const NativeBrush&) = default;
};

// Opaque: text cells and the gaps of styled lines and hatches are filled
// with the background colour.  Transparent: they are left alone.
enum class BackgroundMode : std::uint8_t { Transparent = 1, Opaque = 2 };

// Text alignment flags of TextOut, the classic values: horizontal left 0,
// right 2, centre 6; vertical top 0 (the default), bottom 8, baseline 24.
namespace textalign {
inline constexpr unsigned Left = 0;
inline constexpr unsigned Right = 2;
inline constexpr unsigned Center = 6;
inline constexpr unsigned Top = 0;
inline constexpr unsigned Bottom = 8;
inline constexpr unsigned Baseline = 24;
}  // namespace textalign

// Surfaces are made by the platform only: TOffscreenBitmap::Surface() and
// the Paint message's `surface`.  All coordinates are pixels of the window's
// client area or of the bitmap.  Drawing is not anti-aliased (text is).
// A surface over nothing (a 0 x 0 bitmap) accepts every call and draws nothing.
class TSurface {
public:
    TSurface(const TSurface&) = delete;
    TSurface& operator=(const TSurface&) = delete;
    ~TSurface();

    // Defaults: black solid cosmetic pen in copy mode, white solid brush,
    // the default font, black text, opaque mode on a white background,
    // alignment left|top, pen position (0, 0), no clip.
    void SetPen(const NativePen& pen);
    const NativePen& Pen() const;
    void SetBrush(const NativeBrush& brush);
    const NativeBrush& Brush() const;
    // Also sets the text colour to the font's colour.
    void SetFont(const TNativeFont& font);
    const TNativeFont& Font() const;
    void SetTextColor(RgbColor color);
    void SetBackgroundMode(BackgroundMode mode);
    void SetBackgroundColor(RgbColor color);
    void SetTextAlign(unsigned flags);
    unsigned TextAlign() const;

    // Whether this surface draws a vector document (SVG, PDF) rather than
    // pixels: there the operations on fractional positions below keep their
    // exact coordinates.
    bool Vector() const;

    void MoveTo(int x, int y);
    // A line from the pen position to (x, y), which becomes the pen position.
    // Lines ink the same pixels on a window as on a bitmap: which pixels
    // depends on the pen alone (the rule is in SurfaceLine.h).
    void LineTo(int x, int y);
    PixelPoint PenPosition() const;
    // What MoveTo(points[0]) and LineTo(points[1]) … LineTo(points.back())
    // draw, pixel for pixel, the pen left at the last point: many short
    // lines in one call.
    void LinesThrough(std::span<const PixelPoint> points);
    void Polyline(std::span<const PixelPoint> points);
    // Outlined with the pen and filled with the brush (alternate filling).
    void Polygon(std::span<const PixelPoint> points);
    // Outline with the pen, inside filled with the brush, end exclusive: a
    // one-pixel pen covers the columns x0 .. x1-1 and rows y0 .. y1-1.
    void Rectangle(int x0, int y0, int x1, int y1);
    // Outlined and filled inside the same end-exclusive box as Rectangle.
    void Ellipse(int x0, int y0, int x1, int y1);
    // Fills the end-exclusive rectangle with the brush, no outline.
    void FillRect(const PixelRect& rect);

    // The same figures at fractional positions, for vector documents, where
    // a pixel's coordinate is its corner as above: the path through the
    // pixel (x, y) runs at (x + 0.5, y + 0.5).  Connected solid lines are
    // gathered into one path as LineTo's are.  On a bitmap or a window the
    // positions are rounded to pixels first.
    void MoveToF(PixelPointF point);
    void LineToF(PixelPointF point);
    void PolygonF(std::span<const PixelPointF> points);
    void RectangleF(PixelPointF corner0, PixelPointF corner1);
    void EllipseF(PixelPointF corner0, PixelPointF corner1);

    // Draws UTF-8 text at (x, y) with the current alignment, rotated by the
    // font's orientation about (x, y).
    void TextOut(int x, int y, std::string_view utf8);
    PixelSize TextExtent(std::string_view utf8) const;

    // Restricts drawing to `rect` (end exclusive) intersected with the clip
    // already in force.
    void IntersectClipRect(const PixelRect& rect);
    // Back to no clip of our own (a window's paint stays within its window).
    void RemoveClip();
    bool HasClip() const;

    // Plain pixel copies, in copy mode whatever the pen's mode.
    void DrawBitmap(int x, int y, const TOffscreenBitmap& bitmap);
    void DrawImage(int x, int y, const TNativeImage& image);
    void StretchDrawImage(const PixelRect& dest, const TNativeImage& image);

    struct State;
    State& Internal() { return *state_; }
    explicit TSurface(std::unique_ptr<State> state);

private:
    std::unique_ptr<State> state_;
};

}  // namespace cvcalc
