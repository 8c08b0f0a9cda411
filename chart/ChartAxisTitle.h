// TChartAxisTitle: the caption beside an axis, with its angle and font.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "chart/ChartBrush.h"
#include "shell/core/ChangeField.h"
#include "shell/core/Persistent.h"

namespace cvcalc {

class TChartAxisTitle : public TPersistent {
public:
    CVCALC_CLASS_INFO()

    TChartAxisTitle(int angle, std::function<void()> onChange);

    const std::string& Caption() const noexcept { return caption_; }
    void SetCaption(const std::string& value) { Change(caption_, value); }
    int Angle() const noexcept { return angle_; }
    void SetAngle(int value) { Change(angle_, ((value % 360) + 360) % 360); }
    bool Visible() const noexcept { return visible_; }
    void SetVisible(bool value) { Change(visible_, value); }
    TChartFont* Font() const noexcept { return font_.get(); }

private:
    template <typename T>
    void Change(T& field, T value) {
        ChangeField(field, std::move(value), [this] {
            if (onChange_) onChange_();
        });
    }

    std::string caption_;
    int angle_;
    bool visible_ = true;
    std::unique_ptr<TChartFont> font_;
    std::function<void()> onChange_;
};

}  // namespace cvcalc
