// TCanvas: the framework's drawing operations over a platform surface.
#include "framework/Canvas.h"

#include "framework/Bitmap.h"

namespace cvcalc {

TCanvas::TCanvas() {
    pen_.SetOnChange([this] { penDirty_ = true; });
    brush_.SetOnChange([this] { brushDirty_ = true; });
    font_.SetOnChange([this] { fontDirty_ = true; });
}

void TCanvas::Attach(TSurface* surface) {
    surface_ = surface;
    clips_.clear();
    Refresh();
}

void TCanvas::Refresh() { penDirty_ = brushDirty_ = fontDirty_ = modeDirty_ = true; }

void TCanvas::PreparePen() {
    if (penDirty_) {
        surface_->SetPen(pen_.Native());
        penDirty_ = false;
    }
    // The gaps of a styled line follow the background mode and, when
    // opaque, take the brush colour, as on the classic canvas.
    PrepareMode();
    surface_->SetBackgroundColor(ColorToRgb(brush_.Color()));
}

void TCanvas::PrepareMode() {
    if (modeDirty_) {
        surface_->SetBackgroundMode(bkMode_ == bmTransparent ? BackgroundMode::Transparent : BackgroundMode::Opaque);
        surface_->SetTextAlign(textAlign_);
        modeDirty_ = false;
    }
}

void TCanvas::PrepareBrush() {
    if (brushDirty_) {
        surface_->SetBrush(brush_.Native());
        brushDirty_ = false;
    }
}

void TCanvas::PrepareFont() {
    if (fontDirty_) {
        surface_->SetFont(font_.NativeFont());
        fontDirty_ = false;
    }
    PrepareMode();
    // The text cell takes the brush colour, as on the classic canvas.
    surface_->SetBackgroundColor(ColorToRgb(brush_.Color()));
}

void TCanvas::MoveTo(int x, int y) {
    if (!surface_) return;
    surface_->MoveTo(x + origin_.x, y + origin_.y);
}

void TCanvas::LineTo(int x, int y) {
    if (!surface_) return;
    PreparePen();
    surface_->LineTo(x + origin_.x, y + origin_.y);
}

TPoint TCanvas::PenPos() const {
    if (!surface_) return {};
    const PixelPoint p = surface_->PenPosition();
    return TPoint{p.x - origin_.x, p.y - origin_.y};
}

std::span<const TPoint> TCanvas::Placed(std::span<const TPoint> points) {
    scratch_.clear();
    for (const TPoint& p : points) scratch_.push_back(TPoint{p.x + origin_.x, p.y + origin_.y});
    return scratch_;
}

void TCanvas::LinesThrough(std::span<const TPoint> points) {
    if (!surface_) return;
    PreparePen();
    surface_->LinesThrough(Placed(points));
}

void TCanvas::Polyline(std::span<const TPoint> points) {
    if (!surface_) return;
    PreparePen();
    surface_->Polyline(Placed(points));
}

void TCanvas::Polygon(std::span<const TPoint> points) {
    if (!surface_) return;
    PreparePen();
    PrepareBrush();
    surface_->Polygon(Placed(points));
}

void TCanvas::Rectangle(int x0, int y0, int x1, int y1) {
    if (!surface_) return;
    PreparePen();
    PrepareBrush();
    surface_->Rectangle(x0 + origin_.x, y0 + origin_.y, x1 + origin_.x, y1 + origin_.y);
}

void TCanvas::Ellipse(int x0, int y0, int x1, int y1) {
    if (!surface_) return;
    PreparePen();
    PrepareBrush();
    surface_->Ellipse(x0 + origin_.x, y0 + origin_.y, x1 + origin_.x, y1 + origin_.y);
}

void TCanvas::MoveToF(TPointF point) {
    if (!surface_) return;
    surface_->MoveToF(Shift(point));
}

void TCanvas::LineToF(TPointF point) {
    if (!surface_) return;
    PreparePen();
    surface_->LineToF(Shift(point));
}

void TCanvas::PolygonF(std::span<const TPointF> points) {
    if (!surface_) return;
    PreparePen();
    PrepareBrush();
    scratchF_.clear();
    for (const TPointF& p : points) scratchF_.push_back(Shift(p));
    surface_->PolygonF(scratchF_);
}

void TCanvas::RectangleF(TPointF corner0, TPointF corner1) {
    if (!surface_) return;
    PreparePen();
    PrepareBrush();
    surface_->RectangleF(Shift(corner0), Shift(corner1));
}

void TCanvas::EllipseF(TPointF corner0, TPointF corner1) {
    if (!surface_) return;
    PreparePen();
    PrepareBrush();
    surface_->EllipseF(Shift(corner0), Shift(corner1));
}

void TCanvas::FillRect(const TRect& rect) {
    if (!surface_) return;
    PrepareBrush();
    surface_->FillRect(Shift(rect));
}

void TCanvas::Frame3D(TRect& rect, TColor topLeft, TColor bottomRight, int width) {
    if (!surface_) return;
    const NativeBrush saved = brush_.Native();
    for (int i = 0; i < width && !rect.IsEmpty(); ++i) {
        surface_->SetBrush(NativeBrush{ColorToRgb(topLeft), NativeBrushStyle::Solid});
        surface_->FillRect(Shift(TRect{rect.left, rect.top, rect.right - 1, rect.top + 1}));
        surface_->FillRect(Shift(TRect{rect.left, rect.top, rect.left + 1, rect.bottom - 1}));
        surface_->SetBrush(NativeBrush{ColorToRgb(bottomRight), NativeBrushStyle::Solid});
        surface_->FillRect(Shift(TRect{rect.right - 1, rect.top, rect.right, rect.bottom}));
        surface_->FillRect(Shift(TRect{rect.left, rect.bottom - 1, rect.right, rect.bottom}));
        rect = TRect{rect.left + 1, rect.top + 1, rect.right - 1, rect.bottom - 1};
    }
    surface_->SetBrush(saved);
}

void TCanvas::SetTextAlign(unsigned flags) {
    textAlign_ = flags;
    modeDirty_ = true;
}

void TCanvas::SetBackgroundMode(TBkMode mode) {
    bkMode_ = mode;
    modeDirty_ = true;
}

void TCanvas::TextOut(int x, int y, std::string_view text) {
    if (!surface_) return;
    PrepareFont();
    surface_->TextOut(x + origin_.x, y + origin_.y, text);
}

TPoint TCanvas::TextExtent(std::string_view text) const {
    const PixelSize s = font_.NativeFont().TextExtent(text);
    return TPoint{s.width, s.height};
}

int TCanvas::TextWidth(std::string_view text) const { return TextExtent(text).x; }
int TCanvas::TextHeight(std::string_view text) const { return TextExtent(text).y; }

void TCanvas::ClipRect(const TRect& rect) {
    clips_.push_back(Shift(rect));
    if (surface_) surface_->IntersectClipRect(clips_.back());
}

void TCanvas::RestoreClip() {
    if (clips_.empty()) return;
    clips_.pop_back();
    ApplyClips();
}

void TCanvas::ApplyClips() {
    if (!surface_) return;
    surface_->RemoveClip();
    for (const TRect& r : clips_) surface_->IntersectClipRect(r);
}

void TCanvas::Draw(int x, int y, const TBitmap& bitmap) {
    if (!surface_) return;
    surface_->DrawBitmap(x + origin_.x, y + origin_.y, bitmap.Offscreen());
}

void TCanvas::Draw(int x, int y, const TNativeImage& image) {
    if (!surface_) return;
    surface_->DrawImage(x + origin_.x, y + origin_.y, image);
}

}  // namespace cvcalc
