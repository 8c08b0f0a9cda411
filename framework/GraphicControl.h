// TGraphicControl: a control without a window of its own (labels, images).
// Its parent paints it after itself, so it lies on top of the parent's face.
#pragma once

#include "framework/Control.h"

namespace cvcalc {

class TGraphicControl : public TControl {
public:
    CVCALC_CLASS_INFO()
    using TControl::TControl;
};

}  // namespace cvcalc
