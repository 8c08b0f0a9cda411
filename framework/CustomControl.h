// TCustomControl: a windowed control that paints itself through its own
// canvas (the chart panel derives from it).  Paint runs when the platform
// delivers the paint message; the canvas draws on the window for its
// duration.
#pragma once

#include "framework/WinControl.h"

namespace cvcalc {

class TCustomControl : public TWinControl {
public:
    CVCALC_CLASS_INFO()
    using TWinControl::TWinControl;

    // The window's canvas, attached while a paint message is handled.
    TCanvas& Canvas() { return canvas_; }
};

}  // namespace cvcalc
