// TGraphicsObject: the common base of fonts, pens and brushes, which tell
// their holder when they change so that it can repaint or pass them on.
#pragma once

#include <functional>

#include "shell/core/Persistent.h"

namespace cvcalc {

class TGraphicsObject : public TPersistent {
public:
    CVCALC_CLASS_INFO()

    // One listener: the control or canvas that holds the object.
    void SetOnChange(std::function<void()> onChange) { onChange_ = std::move(onChange); }

protected:
    void Changed() {
        if (onChange_) onChange_();
    }

private:
    std::function<void()> onChange_;
};

}  // namespace cvcalc
