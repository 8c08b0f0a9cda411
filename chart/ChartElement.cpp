// Chart elements: their pen and brush report changes to the owning chart.
#include "chart/ChartElement.h"

#include "chart/CustomAxisPanel.h"

namespace cvcalc {

TCustomChartElement::TCustomChartElement(TComponent* owner)
    : TComponent(owner), pen_(std::make_unique<TChartPen>()), brush_(std::make_unique<TChartBrush>()) {
    pen_->SetOnChange([this] { Repaint(); });
    brush_->SetOnChange([this] { Repaint(); });
}

TCustomChartElement::~TCustomChartElement() = default;

void TCustomChartElement::Repaint() const {
    if (parentChart_) parentChart_->ChartInvalidate();
}

const TClassInfo& TCustomChartElement::StaticClassInfo() {
    static const TClassInfo info =
        TClassBuilder<TCustomChartElement>("TCustomChartElement", TComponent::StaticClassInfo())
            .Boolean("Active", &TCustomChartElement::Active, &TCustomChartElement::SetActive, true);
    return info;
}

}  // namespace cvcalc
