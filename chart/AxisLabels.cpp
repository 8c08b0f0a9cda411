// Axis stage three: label texts, the label style, the label values from the
// top down with their tick pixels, and the room an axis takes.
#include <algorithm>
#include <cmath>

#include "chart/ChartAxis.h"
#include "chart/ChartSeries.h"
#include "chart/CustomAxisPanel.h"
#include "numtext/FloatFormat.h"
#include "numtext/FloatPattern.h"

namespace cvcalc {

std::string TChartAxis::LabelText(double value) const {
    std::string text = FormatFloatPattern(axisValuesFormat_, static_cast<long double>(value));
    if (labelsMultiLine_) std::replace(text.begin(), text.end(), ' ', '\n');
    return text;
}

TAxisLabelStyle TChartAxis::ResolvedLabelStyle() const {
    if (labelStyle_ != talAuto) return labelStyle_;
    if (!chart_) return talNone;
    bool anyActive = false, anyLabels = false;
    for (int i = 0; i < chart_->NumSeries(); ++i) {
        const TChartSeries& s = *chart_->SeriesAt(i);
        if (!IsSeriesOnAxis(s)) continue;
        if (s.Active()) anyActive = true;
        if (s.LabelCount() > 0) anyLabels = true;
    }
    if (!anyActive) return talNone;
    return anyLabels ? talText : talValue;
}

std::vector<TAxisLabel> TChartAxis::LabelValues(double step) {
    tickPixels_.clear();
    lastLabels_.clear();
    std::vector<TAxisLabel> result;
    const double q = step;
    const double steps = range_ / q;
    if (!(q > 0) || !std::isfinite(steps) || std::fabs(steps) >= AxisMaxLabelSteps) return result;
    if (!std::isfinite(lo_) || !std::isfinite(hi_)) return result;

    const bool showText = labels_ && ResolvedLabelStyle() != talNone;
    auto draw = [&](double t) {
        const int pixel = ValueToPixel(t);
        if (!labelsOnAxis_ && !(pixel > startPos_ && pixel < endPos_)) return;
        if (showText) result.push_back({t, pixel, LabelText(t)});
        if (showText || !tickOnLabelsOnly_) tickPixels_.push_back(pixel);
    };

    double t = hi_;
    if (roundFirstLabel_ && FloatToGeneralText(lo_) != FloatToGeneralText(hi_)) t = std::trunc(hi_ / q) * q;
    // Each loop is bounded: a step lost in the rounding of t cannot hang.
    for (int guard = 0; t > hi_ && guard <= AxisMaxLabelSteps; ++guard) t -= q;

    if (rangeIsZero_ || std::fabs(hi_ - lo_) < 1e-10) {
        draw(t);
    } else if (FloatToGeneralText(t) != FloatToGeneralText(t - q)) {
        // Rounding noise must not lose the label at an exact zero minimum.
        const double b = lo_ >= 0 ? (lo_ - 1e-12) / (1 + 1e-12) : lo_;
        for (int guard = 0; t >= b && guard <= AxisMaxLabelSteps + 2; ++guard) {
            draw(t);
            t -= q;
        }
    } else {
        draw(t);
    }
    lastLabels_ = result;
    return result;
}

int TChartAxis::TickRoom() const {
    int room = axisPen_->Visible() ? axisPen_->Width() + 1 : 0;
    int tick = ticks_->Visible() ? tickLength_ : 0;
    if (minorTicks_->Visible() && minorTickLength_ > tick) tick = minorTickLength_;
    return room + std::max(tick, 0);
}

int TChartAxis::LabelRoom(const TAxisTextMetrics& metrics, double step) const {
    if (!labels_ || ResolvedLabelStyle() == talNone) return 0;
    if (labelsSize_ != 0) return labelsSize_;
    if (horizontal_) return metrics.TextHeight(*labelsFont_, "W") * (labelsAlternate_ ? 2 : 1);
    double first = lo_, last = hi_;
    if (roundFirstLabel_ && step > 0 && std::isfinite(lo_ / step) && std::isfinite(hi_ / step)) {
        first = std::trunc(lo_ / step) * step;
        last = std::trunc(hi_ / step) * step;
    }
    const int w =
        std::max(metrics.TextWidth(*labelsFont_, LabelText(first)), metrics.TextWidth(*labelsFont_, LabelText(last)));
    return w + metrics.TextWidth(*labelsFont_, " ");
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
    return !anyActive || AnyActiveSeries();
}

}  // namespace cvcalc
