// The axis title's published properties.
#include "chart/ChartAxisTitle.h"

namespace cvcalc {

TChartAxisTitle::TChartAxisTitle(int angle, std::function<void()> onChange)
    : angle_(angle), font_(std::make_unique<TChartFont>()), onChange_(std::move(onChange)) {
    font_->SetOnChange([this] {
        if (onChange_) onChange_();
    });
}

const TClassInfo& TChartAxisTitle::StaticClassInfo() {
    using T = TChartAxisTitle;
    static const TClassInfo info = TClassBuilder<T>("TChartAxisTitle", TPersistent::StaticClassInfo())
                                       .Integer("Angle", &T::Angle, &T::SetAngle)
                                       .String("Caption", &T::Caption, &T::SetCaption)
                                       .Object("Font", &T::Font, nullptr)
                                       .Boolean("Visible", &T::Visible, &T::SetVisible, true);
    return info;
}

}  // namespace cvcalc
