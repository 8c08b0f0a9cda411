// TButton over the native push button.
#include "framework/Button.h"

#include "shell/core/ClassInfo.h"

namespace cvcalc {

const TClassInfo& TButton::StaticClassInfo() {
    static const TClassInfo info = TClassBuilder<TButton>("TButton", TWinControl::StaticClassInfo())
                                       .Boolean("TabStop", &TButton::TabStop, &TButton::SetTabStop, true);
    return info;
}

TButton::TButton(TComponent* owner) : TWinControl(owner) {
    SetTabStop(true);
    width_ = 75;
    height_ = 25;
}

void TButton::Paint(TCanvas& canvas) {
    TRect r = ClientRect();
    canvas.Frame3D(r, clBtnHighlight, cl3DDkShadow, 1);
    canvas.Frame3D(r, cl3DLight, clBtnShadow, 1);
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(clBtnFace);
    canvas.FillRect(r);
    canvas.Font().Assign(font_);
    canvas.SetBackgroundMode(bmTransparent);
    canvas.SetTextAlign(0);
    const TPoint extent = canvas.TextExtent(caption_);
    canvas.ClipRect(r);
    canvas.TextOut((width_ - extent.x) / 2, (height_ - extent.y) / 2, caption_);
    canvas.RestoreClip();
    if (Focused()) {
        // The focus mark, as the native button draws it.
        canvas.Pen().SetColor(font_.Color());
        canvas.Pen().SetWidth(1);
        canvas.Pen().SetStyle(psDot);
        canvas.Brush().SetStyle(bsClear);
        canvas.Rectangle(FocusMarkInset, FocusMarkInset, width_ - FocusMarkInset, height_ - FocusMarkInset);
    }
}

}  // namespace cvcalc
