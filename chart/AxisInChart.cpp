// The axis in its chart: what it reads from the chart's series for its
// stages, and the results of the stages it keeps for the paint and the
// mouse.
#include <algorithm>
#include <cmath>
#include <utility>

#include "chart/ChartAxis.h"
#include "chart/ChartSeries.h"
#include "chart/CustomAxisPanel.h"

namespace cvcalc {

bool TChartAxis::IsSeriesOnAxis(const TChartSeries& series) const {
    if (!chart_) return false;
    if (this == chart_->BottomAxis()) return series.HorizAxis() == aBottomAxis || series.HorizAxis() == aBothHorizAxis;
    if (this == chart_->TopAxis()) return series.HorizAxis() == aTopAxis || series.HorizAxis() == aBothHorizAxis;
    if (this == chart_->LeftAxis()) return series.VertAxis() == aLeftAxis || series.VertAxis() == aBothVertAxis;
    if (this == chart_->RightAxis()) return series.VertAxis() == aRightAxis || series.VertAxis() == aBothVertAxis;
    return false;
}

bool TChartAxis::CountsForRange(const TChartSeries& series) const {
    if (!IsSeriesOnAxis(series) || series.PointCount() == 0) return false;
    return series.Active() || !SeriesExtent().anyActive;
}

TAxisSeriesExtent TChartAxis::SeriesExtent() const {
    TAxisSeriesExtent e;
    if (!chart_) return e;
    for (int i = 0; i < chart_->NumSeries(); ++i) {
        const TChartSeries& s = *chart_->SeriesAt(i);
        if (!IsSeriesOnAxis(s)) continue;
        if (s.LabelCount() > 0) e.anyLabels = true;
        if (!s.Active()) continue;
        e.fewestActivePoints = e.anyActive ? std::min(e.fewestActivePoints, s.PointCount()) : s.PointCount();
        e.anyActive = true;
        const TSeriesMargins m = s.CalcMargins();
        e.margins.left = std::max(e.margins.left, m.left);
        e.margins.right = std::max(e.margins.right, m.right);
        e.margins.top = std::max(e.margins.top, m.top);
        e.margins.bottom = std::max(e.margins.bottom, m.bottom);
    }
    // With no active series on the axis, every series on it counts.
    for (int i = 0; i < chart_->NumSeries(); ++i) {
        const TChartSeries& s = *chart_->SeriesAt(i);
        if (!IsSeriesOnAxis(s) || s.PointCount() == 0 || !(s.Active() || !e.anyActive)) continue;
        const double smin = horizontal_ ? s.MinXValue() : s.MinYValue();
        const double smax = horizontal_ ? s.MaxXValue() : s.MaxYValue();
        if (!e.counted) {
            e.minimum = smin;
            e.maximum = smax;
            e.counted = true;
        } else {
            e.minimum = std::min(e.minimum, smin);
            e.maximum = std::max(e.maximum, smax);
        }
    }
    return e;
}

TAxisLabelSettings TChartAxis::LabelSettings() const {
    return TAxisLabelSettings{.format = axisValuesFormat_,
                              .multiLine = labelsMultiLine_,
                              .angle = labelsAngle_,
                              .font = labelsFont_.get(),
                              .increment = increment_,
                              .separation = labelsSeparation_,
                              .alternate = labelsAlternate_,
                              .roundFirstLabel = roundFirstLabel_,
                              .onAxis = labelsOnAxis_,
                              .tickOnLabelsOnly = tickOnLabelsOnly_,
                              .size = labelsSize_,
                              .logBase = logarithmicBase_,
                              .texts = &labelTexts_};
}

void TChartAxis::AdjustMaxMin() {
    const bool autoMax = automatic_ || automaticMaximum_;
    const bool autoMin = automatic_ || automaticMinimum_;
    if ((autoMax || autoMin) && chart_) {
        const TAxisEnds ends = AxisAutomaticEnds({minimum_, maximum_}, autoMin, autoMax, SeriesExtent());
        minimum_ = ends.minimum;
        maximum_ = ends.maximum;
    }
    scale_ = scale_.WithRange(minimum_, maximum_);
}

void TChartAxis::ApplyMarkerMargins() {
    if (!chart_) return;
    const TAxisMarginPixels margins =
        AxisMarkerMargins(SeriesExtent().margins, {horizontal_, inverted_}, automaticMinimum_, automaticMaximum_,
                          minimumOffset_, maximumOffset_);
    scale_ = AxisWidenForMargins(scale_, margins);
}

void TChartAxis::Scroll(double delta, bool checkLimits) {
    if (checkLimits && chart_) {
        const TAxisSeriesExtent e = SeriesExtent();
        if (delta > 0 && !(e.maximum > maximum_)) return;
        if (delta < 0 && !(e.minimum < minimum_)) return;
    }
    automatic_ = automaticMinimum_ = automaticMaximum_ = false;
    if (std::isfinite(delta)) {
        minimum_ += delta;
        maximum_ += delta;
    }
    Repaint();
}

int TChartAxis::LabelSizeAlong(const TAxisTextMetrics& metrics, const std::string& text) const {
    return AxisLabelSizeAlong(LabelSettings(), horizontal_, metrics, text);
}

int TChartAxis::LabelsThatFit(const TAxisTextMetrics& metrics) const {
    return AxisLabelsThatFit(scale_, LabelSettings(), metrics);
}

double TChartAxis::CalcLabelStep(const TAxisTextMetrics& metrics) const {
    return AxisLabelStep(scale_, LabelSettings(), SeriesExtent(), metrics);
}

std::string TChartAxis::LabelText(double value) const { return AxisLabelText(LabelSettings(), value); }

TAxisLabelStyle TChartAxis::ResolvedLabelStyle() const {
    if (labelStyle_ != talAuto) return labelStyle_;
    return AxisResolveLabelStyle(labelStyle_, SeriesExtent());
}

std::vector<TAxisLabel> TChartAxis::LabelValues(double step) {
    const bool showText = labels_ && ResolvedLabelStyle() != talNone;
    TAxisLabelPass pass = AxisLabelValues(scale_, LabelSettings(), showText, step);
    tickPixels_ = std::move(pass.ticks);
    lastLabels_ = pass.labels;
    return std::move(pass.labels);
}

int TChartAxis::TickRoom() const {
    int room = axisPen_->Visible() ? axisPen_->Width() + 1 : 0;
    int tick = ticks_->Visible() ? tickLength_ : 0;
    if (minorTicks_->Visible() && minorTickLength_ > tick) tick = minorTickLength_;
    return room + std::max(tick, 0);
}

int TChartAxis::LabelRoom(const TAxisTextMetrics& metrics, double step) const {
    if (!labels_ || ResolvedLabelStyle() == talNone) return 0;
    return AxisLabelRoom(scale_, LabelSettings(), metrics, step);
}

int TChartAxis::TitleRoom(const TAxisTextMetrics& metrics) const {
    if (!title_->Visible() || title_->Caption().empty()) return 0;
    if (titleSize_ != 0) return titleSize_;
    const int angle = title_->Angle();
    const bool textAlongAxis = horizontal_ ? (angle == 0 || angle == 180) : (angle == 90 || angle == 270);
    if (textAlongAxis) return metrics.TextHeight(*title_->Font(), "W");
    return metrics.TextWidth(*title_->Font(), title_->Caption());
}

bool TChartAxis::VisibleInPaint() const {
    if (!visible_ || !chart_ || !chart_->AxisVisible()) return false;
    bool anyActive = false;
    for (int i = 0; i < chart_->NumSeries(); ++i)
        if (chart_->SeriesAt(i)->Active()) anyActive = true;
    return !anyActive || SeriesExtent().anyActive;
}

}  // namespace cvcalc
