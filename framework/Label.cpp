// TLabel: automatic size and painting of a text line.
#include "framework/Label.h"

#include "framework/WinControl.h"
#include "shell/core/ChangeField.h"
#include "shell/core/ClassInfo.h"

namespace cvcalc {

const TClassInfo& TGraphicControl::StaticClassInfo() {
    static const TClassInfo info = TClassBuilder<TGraphicControl>("TGraphicControl", TControl::StaticClassInfo());
    return info;
}

const TClassInfo& TLabel::StaticClassInfo() {
    static const TClassInfo info =
        TClassBuilder<TLabel>("TLabel", TGraphicControl::StaticClassInfo())
            .Boolean("AutoSize", &TLabel::AutoSize, &TLabel::SetAutoSize, true)
            .Boolean("Transparent", &TLabel::Transparent, &TLabel::SetTransparent, false)
            .Ordinal("Alignment", TypeInfoTAlignment(), &TLabel::Alignment, &TLabel::SetAlignment, taLeftJustify)
            .Boolean("ParentColor", &TLabel::ParentColor, &TLabel::SetParentColor, true);
    return info;
}

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner) {
    parentColor_ = true;
    width_ = 65;
    height_ = 17;
}

void TLabel::SetAutoSize(bool autoSize) {
    autoSize_ = autoSize;
    AdjustBounds();
}

void TLabel::SetTransparent(bool transparent) {
    ChangeField(transparent_, transparent, [this] { Invalidate(); });
}

void TLabel::SetAlignment(TAlignment alignment) {
    ChangeField(alignment_, alignment, [this] { Invalidate(); });
}

void TLabel::AdjustBounds() {
    if (!autoSize_ || Loading()) return;
    const PixelSize extent = font_.NativeFont().TextExtent(caption_);
    // A right-justified label keeps its right edge, a centred one its centre.
    int left = left_;
    if (alignment_ == taRightJustify)
        left = left_ + width_ - extent.width;
    else if (alignment_ == taCenter)
        left = left_ + (width_ - extent.width) / 2;
    SetBoundsKeepingRules(left, top_, extent.width, extent.height);
}

void TLabel::TextChanged() {
    TGraphicControl::TextChanged();
    AdjustBounds();
}

void TLabel::FontChanged() {
    TGraphicControl::FontChanged();
    AdjustBounds();
}

void TLabel::AfterLoad() {
    TGraphicControl::AfterLoad();
    AdjustBounds();
}

void TLabel::Paint(TCanvas& canvas) {
    if (!transparent_) {
        canvas.Brush().SetStyle(bsSolid);
        canvas.Brush().SetColor(color_);
        canvas.FillRect(ClientRect());
    }
    canvas.Font().Assign(font_);
    canvas.SetBackgroundMode(bmTransparent);
    const int textWidth = canvas.TextWidth(caption_);
    int x = 0;
    if (alignment_ == taRightJustify)
        x = width_ - textWidth;
    else if (alignment_ == taCenter)
        x = (width_ - textWidth) / 2;
    canvas.SetTextAlign(0);
    canvas.TextOut(x, 0, caption_);
}

}  // namespace cvcalc
