// TLabel: a line of text on its parent.  With AutoSize (the default) it
// takes the size of its text in its font, so a longer text grows to the
// right; unless Transparent it fills its rectangle with its colour, which
// by default is its parent's.
#pragma once

#include "framework/GraphicControl.h"

namespace cvcalc {

class TLabel : public TGraphicControl {
public:
    CVCALC_CLASS_INFO()

    explicit TLabel(TComponent* owner);

    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool autoSize);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool transparent);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);

    void Paint(TCanvas& canvas) override;
    void AfterLoad() override;

protected:
    void TextChanged() override;
    void FontChanged() override;

private:
    void AdjustBounds();

    bool autoSize_ = true;
    bool transparent_ = false;
    TAlignment alignment_ = taLeftJustify;
};

}  // namespace cvcalc
