// TButton: a push button over the platform's native button.  A click by
// mouse, or Space or Enter while it has the focus, runs OnClick.  No button
// is a default or cancel button.
#pragma once

#include "framework/WinControl.h"

namespace cvcalc {

class TButton : public TWinControl {
public:
    CVCALC_CLASS_INFO()

    explicit TButton(TComponent* owner);

    // A raised face with the caption centred, as the window shows it.
    void Paint(TCanvas& canvas) override;

protected:
    NativeWindowKind NativeKind() const override { return NativeWindowKind::Button; }
};

}  // namespace cvcalc
