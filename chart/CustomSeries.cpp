// Line and point series: their pointer, line pen, margins and defaults.
#include "chart/CustomSeries.h"

#include <algorithm>

namespace cvcalc {

TCustomSeries::TCustomSeries(TComponent* owner)
    : TCustomLineSeries(owner),
      pointer_(std::make_unique<TSeriesPointer>(this)),
      outLine_(std::make_unique<TChartHiddenPen>()) {
    outLine_->SetOnChange([this] { Repaint(); });
}

TCustomSeries::~TCustomSeries() = default;

TChartSeries::TMargins TCustomSeries::CalcMargins() const {
    TMargins m;
    if (pointer_->Visible() && pointer_->InflateMargins()) {
        m.left = m.right = pointer_->HorizSize() + 1;
        m.top = m.bottom = pointer_->VertSize() + 1;
    }
    auto atLeast = [&m](int w) {
        m.left = std::max(m.left, w);
        m.right = std::max(m.right, w);
        m.top = std::max(m.top, w);
        m.bottom = std::max(m.bottom, w);
    };
    if (stairs_) atLeast(LinePen()->Width());
    if (outLine_->Visible()) atLeast(outLine_->Width());
    return m;
}

TLineSeries::TLineSeries(TComponent* owner) : TCustomSeries(owner) {
    SetDrawLine(true);
    Pointer()->SetVisible(false);
}

TPointSeries::TPointSeries(TComponent* owner) : TCustomSeries(owner) {
    Pointer()->SetVisible(true);
    SetDrawLine(false);
    SetDrawArea(false);
    SetClickableLine(false);
    Marks()->Callout()->SetLength(0);
}

const TClassInfo& TCustomLineSeries::StaticClassInfo() {
    using S = TCustomLineSeries;
    static const TClassInfo info =
        TClassBuilder<S>("TCustomLineSeries", TChartSeries::StaticClassInfo()).Object("LinePen", &S::LinePen, nullptr);
    return info;
}

const TClassInfo& TCustomSeries::StaticClassInfo() {
    using S = TCustomSeries;
    static const TClassInfo info =
        TClassBuilder<S>("TCustomSeries", TCustomLineSeries::StaticClassInfo())
            .Ordinal("AreaColor", TypeInfoTColor(), &S::AreaColor, &S::SetAreaColor, clAutoColor)
            .Boolean("ClickableLine", &S::ClickableLine, &S::SetClickableLine, true)
            .Boolean("ColorEachLine", &S::ColorEachLine, &S::SetColorEachLine, true)
            .Boolean("Dark3D", &S::Dark3D, &S::SetDark3D, true)
            .Boolean("InvertedStairs", &S::InvertedStairs, &S::SetInvertedStairs, false)
            .Integer("LineHeight", &S::LineHeight, &S::SetLineHeight, 0)
            .Object("OutLine", &S::OutLine, nullptr)
            .Object("Pointer", &S::Pointer, nullptr)
            .Boolean("Stairs", &S::Stairs, &S::SetStairs, false)
            .Integer("Transparency", &S::Transparency, &S::SetTransparency, 0);
    return info;
}

const TClassInfo& TLineSeries::StaticClassInfo() {
    static const TClassInfo info = TClassBuilder<TLineSeries>("TLineSeries", TCustomSeries::StaticClassInfo());
    return info;
}

const TClassInfo& TPointSeries::StaticClassInfo() {
    static const TClassInfo info = TClassBuilder<TPointSeries>("TPointSeries", TCustomSeries::StaticClassInfo());
    return info;
}

}  // namespace cvcalc
