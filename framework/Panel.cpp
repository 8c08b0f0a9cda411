// TPanel: bevels, border and caption.
#include "framework/Panel.h"

#include <algorithm>

#include "shell/core/ClassInfo.h"

namespace cvcalc {

const TTypeInfo& TypeInfoTBevelCut() {
    static const TTypeInfo info = TTypeInfo::Enumeration("TBevelCut", {"bvNone", "bvLowered", "bvRaised", "bvSpace"});
    return info;
}

const TClassInfo& TPanel::StaticClassInfo() {
    static const TClassInfo info =
        TClassBuilder<TPanel>("TPanel", TCustomControl::StaticClassInfo())
            .Ordinal("BevelOuter", TypeInfoTBevelCut(), &TPanel::BevelOuter, &TPanel::SetBevelOuter, bvRaised)
            .Ordinal("BevelInner", TypeInfoTBevelCut(), &TPanel::BevelInner, &TPanel::SetBevelInner, bvNone)
            .Integer("BevelWidth", &TPanel::BevelWidth, &TPanel::SetBevelWidth, 1)
            .Integer("BorderWidth", &TPanel::BorderWidth, &TPanel::SetBorderWidth, 0)
            .Ordinal("Alignment", TypeInfoTAlignment(), &TPanel::Alignment, &TPanel::SetAlignment, taCenter);
    return info;
}

TPanel::TPanel(TComponent* owner) : TCustomControl(owner) {
    width_ = 185;
    height_ = 41;
}

void TPanel::SetBevelOuter(TBevelCut cut) {
    bevelOuter_ = cut;
    Realign();
    Invalidate();
}

void TPanel::SetBevelInner(TBevelCut cut) {
    bevelInner_ = cut;
    Realign();
    Invalidate();
}

void TPanel::SetBevelWidth(int width) {
    bevelWidth_ = std::max(width, 1);
    Realign();
    Invalidate();
}

void TPanel::SetBorderWidth(int width) {
    borderWidth_ = std::max(width, 0);
    Realign();
    Invalidate();
}

void TPanel::SetAlignment(TAlignment alignment) {
    alignment_ = alignment;
    Invalidate();
}

int TPanel::FrameWidth() const {
    return borderWidth_ + (bevelOuter_ != bvNone ? bevelWidth_ : 0) + (bevelInner_ != bvNone ? bevelWidth_ : 0);
}

TRect TPanel::AdjustClientRect() const {
    const int f = FrameWidth();
    TRect r = ClientRect();
    r = TRect{r.left + f, r.top + f, r.right - f, r.bottom - f};
    if (r.right < r.left) r.right = r.left;
    if (r.bottom < r.top) r.bottom = r.top;
    return r;
}

void TPanel::Paint(TCanvas& canvas) {
    TRect r = ClientRect();
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(color_);
    canvas.FillRect(r);
    auto bevel = [&](TBevelCut cut) {
        if (cut == bvNone) return;
        if (cut == bvSpace) {
            r = TRect{r.left + bevelWidth_, r.top + bevelWidth_, r.right - bevelWidth_, r.bottom - bevelWidth_};
            return;
        }
        const bool raised = cut == bvRaised;
        canvas.Frame3D(r, raised ? clBtnHighlight : clBtnShadow, raised ? clBtnShadow : clBtnHighlight, bevelWidth_);
    };
    bevel(bevelOuter_);
    r = TRect{r.left + borderWidth_, r.top + borderWidth_, r.right - borderWidth_, r.bottom - borderWidth_};
    bevel(bevelInner_);
    if (caption_.empty()) return;
    canvas.Font().Assign(font_);
    canvas.SetBackgroundMode(bmTransparent);
    canvas.SetTextAlign(0);
    const TPoint extent = canvas.TextExtent(caption_);
    int x = r.left;
    if (alignment_ == taCenter)
        x = r.left + (r.Width() - extent.x) / 2;
    else if (alignment_ == taRightJustify)
        x = r.right - extent.x;
    canvas.ClipRect(r);
    canvas.TextOut(x, r.top + (r.Height() - extent.y) / 2, caption_);
    canvas.RestoreClip();
}

}  // namespace cvcalc
