// TImage: showing a picture and taking its size.
#include "framework/Image.h"

#include "framework/Canvas.h"
#include "shell/core/ClassInfo.h"

namespace cvcalc {

const TClassInfo& TImage::StaticClassInfo() {
    static const TClassInfo info = TClassBuilder<TImage>("TImage", TGraphicControl::StaticClassInfo())
                                       .Object("Picture", &TImage::Picture, nullptr)
                                       .Boolean("AutoSize", &TImage::AutoSize, &TImage::SetAutoSize, false)
                                       .Boolean("Center", &TImage::Center, &TImage::SetCenter, false);
    return info;
}

TImage::TImage(TComponent* owner) : TGraphicControl(owner) {
    width_ = 105;
    height_ = 105;
    picture_.SetOnChange([this] { PictureChanged(); });
}

void TImage::SetAutoSize(bool autoSize) {
    autoSize_ = autoSize;
    PictureChanged();
}

void TImage::SetCenter(bool center) {
    center_ = center;
    Invalidate();
}

void TImage::PictureChanged() {
    if (autoSize_ && !Loading() && picture_.Width() > 0 && picture_.Height() > 0)
        SetBoundsKeepingRules(left_, top_, picture_.Width(), picture_.Height());
    Invalidate();
}

void TImage::AfterLoad() {
    TGraphicControl::AfterLoad();
    PictureChanged();
}

void TImage::Paint(TCanvas& canvas) {
    const TGraphic* graphic = picture_.Graphic();
    if (!graphic || graphic->Empty()) return;
    int x = 0, y = 0;
    if (center_) {
        x = (width_ - graphic->Width()) / 2;
        y = (height_ - graphic->Height()) / 2;
    }
    graphic->Draw(canvas, x, y);
}

}  // namespace cvcalc
