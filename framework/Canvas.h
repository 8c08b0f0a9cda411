// TCanvas: drawing with a pen, a brush and a font on a platform surface, the
// window's during its paint or an off-screen bitmap's.  Coordinates are
// client pixels of the control being drawn; a parent that paints its
// graphic children moves the origin to each child in turn.
#pragma once

#include <span>
#include <string_view>
#include <vector>

#include "framework/Brush.h"
#include "framework/Font.h"
#include "framework/Pen.h"

namespace cvcalc {

class TBitmap;

// Background mode for text and the gaps of styled lines.
enum TBkMode { bmTransparent = 1, bmOpaque = 2 };

class TCanvas {
public:
    TCanvas();
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    // The surface to draw on (null: none; every operation then does nothing).
    void Attach(TSurface* surface);
    TSurface* Surface() const { return surface_; }
    bool HasSurface() const { return surface_ != nullptr; }

    TPen& Pen() { return pen_; }
    TBrush& Brush() { return brush_; }
    TFont& Font() { return font_; }

    // Added to every coordinate: where this canvas's (0, 0) lies on the surface.
    void SetOrigin(TPoint origin) { origin_ = origin; }
    TPoint Origin() const { return origin_; }

    // Whether the surface is a vector document, where the operations on
    // fractional positions below keep them (TSurface::Vector).
    bool Vector() const { return surface_ != nullptr && surface_->Vector(); }

    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    TPoint PenPos() const;
    // What MoveTo(points[0]) and LineTo to each point after draw, in one call.
    void LinesThrough(std::span<const TPoint> points);
    void Polyline(std::span<const TPoint> points);
    void Polygon(std::span<const TPoint> points);
    // End exclusive, outlined with the pen and filled with the brush.
    void Rectangle(int x0, int y0, int x1, int y1);
    void Rectangle(const TRect& r) { Rectangle(r.left, r.top, r.right, r.bottom); }
    void Ellipse(int x0, int y0, int x1, int y1);
    void FillRect(const TRect& rect);
    // The same figures at fractional positions (rounded on a bitmap).
    void MoveToF(TPointF point);
    void LineToF(TPointF point);
    void PolygonF(std::span<const TPointF> points);
    void RectangleF(TPointF corner0, TPointF corner1);
    void EllipseF(TPointF corner0, TPointF corner1);
    // A three-dimensional frame `width` pixels wide just inside `rect`: the
    // top and left edges in `topLeft`, the bottom and right in
    // `bottomRight`; `rect` shrinks by the frame.
    void Frame3D(TRect& rect, TColor topLeft, TColor bottomRight, int width);

    // Text alignment flags: left 0, right 2, centre 6; plus 8 for bottom.
    void SetTextAlign(unsigned flags);
    unsigned TextAlign() const { return textAlign_; }
    void SetBackgroundMode(TBkMode mode);
    TBkMode BackgroundMode() const { return bkMode_; }
    // In opaque mode the text cell is filled with the brush colour.
    void TextOut(int x, int y, std::string_view text);
    TPoint TextExtent(std::string_view text) const;
    int TextWidth(std::string_view text) const;
    int TextHeight(std::string_view text) const;

    // Restricts drawing to `rect` (within any clip already set) until the
    // matching RestoreClip.  Clips nest.
    void ClipRect(const TRect& rect);
    void RestoreClip();

    // A plain pixel copy of a whole bitmap with its top-left at (x, y).
    void Draw(int x, int y, const TBitmap& bitmap);
    void Draw(int x, int y, const TNativeImage& image);

    // Forces the next operation to hand pen, brush and font to the surface
    // again (after someone else drew on it).
    void Refresh();

private:
    void PreparePen();
    void PrepareBrush();
    void PrepareFont();
    void PrepareMode();
    void ApplyClips();
    TRect Shift(const TRect& r) const {
        return TRect{r.left + origin_.x, r.top + origin_.y, r.right + origin_.x, r.bottom + origin_.y};
    }

    TSurface* surface_ = nullptr;
    TPen pen_;
    TBrush brush_;
    TFont font_;
    TPoint origin_;
    unsigned textAlign_ = 0;
    TBkMode bkMode_ = bmOpaque;
    bool penDirty_ = true;
    bool brushDirty_ = true;
    bool fontDirty_ = true;
    bool modeDirty_ = true;
    std::vector<TRect> clips_;
    TPointF Shift(TPointF p) const { return TPointF{p.x + origin_.x, p.y + origin_.y}; }

    // The points moved by the origin, in scratch_ until the next call.
    std::span<const TPoint> Placed(std::span<const TPoint> points);
    std::vector<TPoint> scratch_;
    std::vector<TPointF> scratchF_;
};

}  // namespace cvcalc
