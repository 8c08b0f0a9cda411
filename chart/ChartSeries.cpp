// Adding and clearing points, point colours, the automatic colour and the
// published properties of a series.
#include "chart/ChartSeries.h"

#include "chart/CustomAxisPanel.h"

namespace cvcalc {

TChartSeries::TChartSeries(TComponent* owner)
    : TCustomChartSeries(owner), marks_(std::make_unique<TSeriesMarks>(this)) {
    valuesList_.push_back(std::make_unique<TChartValueList>(this, "X"));
    valuesList_.push_back(std::make_unique<TChartValueList>(this, "Y"));
    XValues()->SetOrder(loAscending);
}

TChartSeries::~TChartSeries() {
    if (parentChart_ && !parentChart_->Destroying()) parentChart_->RemoveSeries(this);
}

void TChartSeries::SetParentChart(TCustomAxisPanel* chart) {
    if (parentChart_ == chart) return;
    if (parentChart_) parentChart_->RemoveSeries(this);
    TCustomChartSeries::SetParentChart(chart);
    drawing_ = chart ? &chart->Drawing() : nullptr;
    if (chart) chart->AddSeries(this);
}

void TChartSeries::AttachToParent(TComponent* parent) {
    if (auto* chart = dynamic_cast<TCustomAxisPanel*>(parent)) SetParentChart(chart);
}

void TChartSeries::SetSeriesColor(TColor value) {
    if (seriesColor_ == clAutoColor && value == internalColor_) return;
    if (seriesColor_ == value) return;
    seriesColor_ = value;
    internalColor_ = value;
    if (parentChart_) parentChart_->SeriesColorChanged(this);
}

void TChartSeries::Appended(int index) {
    if (OnAfterAdd) OnAfterAdd(*this, index);
    if (Active() && parentChart_) parentChart_->ChartInvalidate();
}

// Everything but the plain in-order append: a refusal by OnBeforeAdd, an
// insertion before later values, growth, colours, labels, more value lists.
int TChartSeries::InsertPoint(double x, double y, std::string_view label, TColor color) {
    XValues()->SetPendingValue(x);
    YValues()->SetPendingValue(y);
    if (OnBeforeAdd && !OnBeforeAdd(*this)) return -1;
    const int index = XValues()->AddOrdered();
    YValues()->InsertValue(index, y);
    for (std::size_t i = 2; i < valuesList_.size(); ++i)
        valuesList_[i]->InsertValue(index, valuesList_[i]->PendingValue());
    if (!hasColors_ && color != clAutoColor) {
        colors_.assign(static_cast<std::size_t>(PointCount() - 1), clAutoColor);
        hasColors_ = true;
    }
    if (hasColors_) colors_.insert(colors_.begin() + index, color);
    if (!label.empty() || !labels_.empty()) {
        if (labels_.size() + 1 < static_cast<std::size_t>(PointCount()))
            labels_.resize(static_cast<std::size_t>(PointCount() - 1));
        labels_.insert(labels_.begin() + index, std::string(label));
    }
    plainPoints_ = !hasColors_ && labels_.empty() && valuesList_.size() == 2;
    if (updateCount_ == 0) Appended(index);
    return index;
}

void TChartSeries::ClearPoints() {
    firstValueIndex_ = lastValueIndex_ = -1;
    for (auto& list : valuesList_) list->Clear();
    colors_.clear();
    colors_.shrink_to_fit();
    hasColors_ = false;
    labels_.clear();
    plainPoints_ = valuesList_.size() == 2;
    marks_->Clear();
    if (OnClearValues) OnClearValues(*this);
    if (Active() && parentChart_ && !parentChart_->Destroying()) parentChart_->ChartInvalidate();
}

TColor TChartSeries::PointColor(int index) const {
    if (hasColors_ && index >= 0 && static_cast<std::size_t>(index) < colors_.size()) {
        const TColor c = colors_[static_cast<std::size_t>(index)];
        if (c != clAutoColor) return c;
    }
    if (colorEachPoint_) return PaletteColor(index);
    return SeriesColor();
}

void TChartSeries::EndUpdate() {
    if (updateCount_ == 0) return;
    if (--updateCount_ == 0) Repaint();
}

const TTypeInfo& TypeInfoTHorizAxis() {
    static const TTypeInfo info =
        TTypeInfo::Enumeration("THorizAxis", {"aTopAxis", "aBottomAxis", "aBothHorizAxis", "aCustomHorizAxis"});
    return info;
}

const TTypeInfo& TypeInfoTVertAxis() {
    static const TTypeInfo info =
        TTypeInfo::Enumeration("TVertAxis", {"aLeftAxis", "aRightAxis", "aBothVertAxis", "aCustomVertAxis"});
    return info;
}

const TClassInfo& TCustomChartSeries::StaticClassInfo() {
    using S = TCustomChartSeries;
    static const TClassInfo info = TClassBuilder<S>("TCustomChartSeries", TCustomChartElement::StaticClassInfo())
                                       .Boolean("ShowInLegend", &S::ShowInLegend, &S::SetShowInLegend, true)
                                       .String("Title", &S::Title, &S::SetTitle);
    return info;
}

const TClassInfo& TChartSeries::StaticClassInfo() {
    using S = TChartSeries;
    static const TClassInfo info =
        TClassBuilder<S>("TChartSeries", TCustomChartSeries::StaticClassInfo())
            .Boolean("ColorEachPoint", &S::ColorEachPoint, &S::SetColorEachPoint, false)
            .Integer("Cursor", &S::Cursor, &S::SetCursor, 0)
            .Integer("Depth", &S::Depth, &S::SetDepth, -1)
            .Ordinal("HorizAxis", TypeInfoTHorizAxis(), &S::HorizAxis, &S::SetHorizAxis, aBottomAxis)
            .Object("Marks", &S::Marks, nullptr)
            .String("PercentFormat", &S::PercentFormat, &S::SetPercentFormat)
            .Ordinal("SeriesColor", TypeInfoTColor(), &S::StoredSeriesColor, &S::SetSeriesColor, clAutoColor)
            .String("ValueFormat", &S::ValueFormat, &S::SetValueFormat)
            .Ordinal("VertAxis", TypeInfoTVertAxis(), &S::VertAxis, &S::SetVertAxis, aLeftAxis)
            .Object("XValues", &S::XValues, nullptr)
            .Object("YValues", &S::YValues, nullptr);
    return info;
}

}  // namespace cvcalc
