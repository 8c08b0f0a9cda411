// TPanel: a windowed container with bevels and an optional centred caption.
// Its aligned children share the area inside its bevels and border.
#pragma once

#include "framework/CustomControl.h"

namespace cvcalc {

enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
const TTypeInfo& TypeInfoTBevelCut();

class TPanel : public TCustomControl {
public:
    CVCALC_CLASS_INFO()

    explicit TPanel(TComponent* owner);

    TBevelCut BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TBevelCut cut);
    TBevelCut BevelInner() const { return bevelInner_; }
    void SetBevelInner(TBevelCut cut);
    int BevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(int width);
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int width);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);

    // The client area less the bevels and the border.
    TRect AdjustClientRect() const override;
    void Paint(TCanvas& canvas) override;

private:
    int FrameWidth() const;

    TBevelCut bevelOuter_ = bvRaised;
    TBevelCut bevelInner_ = bvNone;
    int bevelWidth_ = 1;
    int borderWidth_ = 0;
    TAlignment alignment_ = taCenter;
};

}  // namespace cvcalc
