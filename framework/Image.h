// TImage: a picture on its parent.  With AutoSize it takes the size of its
// picture; with Center the picture sits in the middle of the control.
#pragma once

#include "framework/GraphicControl.h"
#include "framework/Picture.h"

namespace cvcalc {

class TImage : public TGraphicControl {
public:
    CVCALC_CLASS_INFO()

    explicit TImage(TComponent* owner);

    TPicture* Picture() const { return &picture_; }
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool autoSize);
    bool Center() const { return center_; }
    void SetCenter(bool center);

    void Paint(TCanvas& canvas) override;
    void AfterLoad() override;

private:
    void PictureChanged();

    mutable TPicture picture_;
    bool autoSize_ = false;
    bool center_ = false;
};

}  // namespace cvcalc
