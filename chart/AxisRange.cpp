// Axis stage one: the working range from the stored ends and the data, the
// marker margins, and the mapping between values and pixels.
#include <algorithm>
#include <cmath>

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

bool TChartAxis::AnyActiveSeries() const {
    if (!chart_) return false;
    for (int i = 0; i < chart_->NumSeries(); ++i) {
        const TChartSeries& s = *chart_->SeriesAt(i);
        if (s.Active() && IsSeriesOnAxis(s)) return true;
    }
    return false;
}

bool TChartAxis::CountsForRange(const TChartSeries& series) const {
    if (!IsSeriesOnAxis(series) || series.PointCount() == 0) return false;
    return series.Active() || !AnyActiveSeries();
}

void TChartAxis::AdjustMaxMin() {
    const bool autoMax = automatic_ || automaticMaximum_;
    const bool autoMin = automatic_ || automaticMinimum_;
    if ((autoMax || autoMin) && chart_) {
        bool any = false;
        double lo = 0, hi = 0;
        for (int i = 0; i < chart_->NumSeries(); ++i) {
            const TChartSeries& s = *chart_->SeriesAt(i);
            if (!CountsForRange(s)) continue;
            const double smin = horizontal_ ? s.MinXValue() : s.MinYValue();
            const double smax = horizontal_ ? s.MaxXValue() : s.MaxYValue();
            if (!any) {
                lo = smin;
                hi = smax;
                any = true;
            } else {
                lo = std::min(lo, smin);
                hi = std::max(hi, smax);
            }
        }
        if (autoMax) maximum_ = hi;
        if (autoMin) minimum_ = lo;
    }
    lo_ = minimum_;
    hi_ = maximum_;
    RecalcScale();
}

void TChartAxis::RecalcScale() {
    range_ = hi_ - lo_;
    rangeIsZero_ = (range_ == 0);
    pixelsPerUnit_ = rangeIsZero_ ? 0.0 : axisSize_ / range_;
    // A range too small or too large for the pixels (or no number at all)
    // maps every value to the start rather than to infinity.
    if (!std::isfinite(pixelsPerUnit_)) pixelsPerUnit_ = 0.0;
}

void TChartAxis::SetPixels(int startPos, int endPos) {
    startPos_ = startPos;
    endPos_ = std::max(startPos, endPos);
    axisSize_ = endPos_ - startPos_;
    centerPos_ = startPos_ + axisSize_ / 2;
    RecalcScale();
}

void TChartAxis::ApplyMarkerMargins() {
    if (!chart_) return;
    TChartSeries::TMargins m;
    for (int i = 0; i < chart_->NumSeries(); ++i) {
        const TChartSeries& s = *chart_->SeriesAt(i);
        if (!s.Active() || !IsSeriesOnAxis(s)) continue;
        const TChartSeries::TMargins sm = s.CalcMargins();
        m.left = std::max(m.left, sm.left);
        m.right = std::max(m.right, sm.right);
        m.top = std::max(m.top, sm.top);
        m.bottom = std::max(m.bottom, sm.bottom);
    }
    int startMargin = 0, endMargin = 0;
    if (horizontal_) {
        if (automaticMinimum_) startMargin = m.left;
        if (automaticMaximum_) endMargin = m.right;
    } else {
        if (automaticMaximum_) startMargin = m.top;
        if (automaticMinimum_) endMargin = m.bottom;
    }
    // The minimum lies at the start pixel on a plain horizontal axis and on
    // an inverted vertical one.
    if (horizontal_ != inverted_) {
        startMargin += minimumOffset_;
        endMargin += maximumOffset_;
    } else {
        startMargin += maximumOffset_;
        endMargin += minimumOffset_;
    }
    if (startMargin == 0 && endMargin == 0) return;
    const int oldStart = startPos_, oldEnd = endPos_;
    const int newStart = oldStart + startMargin, newEnd = oldEnd - endMargin;
    // Margins that would eat the whole axis leave it as it is.
    if (newEnd - newStart < 1) return;
    startPos_ = newStart;
    endPos_ = newEnd;
    axisSize_ = newEnd - newStart;
    RecalcScale();
    const double a = PixelToValue(oldStart);
    const double b = PixelToValue(oldEnd);
    SetPixels(oldStart, oldEnd);
    lo_ = std::min(a, b);
    hi_ = std::max(a, b);
    RecalcScale();
}

int TChartAxis::ValueToPixel(double value) const {
    if (rangeIsZero_) return centerPos_;
    const double p = (value - lo_) * pixelsPerUnit_;
    double r;
    if (horizontal_)
        r = inverted_ ? endPos_ - p : startPos_ + p;
    else
        r = inverted_ ? startPos_ + p : endPos_ - p;
    const double limit = PixelLimit();
    // Clamp before converting: a value far outside the range (or none at
    // all) still gives a drawable coordinate.
    if (std::isnan(r)) return PixelLimit();
    r = std::clamp(r, -limit, limit);
    return static_cast<int>(std::nearbyint(r));
}

double TChartAxis::PixelToValue(int pixel) const {
    if (axisSize_ < 1) return 0;
    const double d = inverted_ ? static_cast<double>(endPos_) - pixel : static_cast<double>(pixel) - startPos_;
    const double v = d * range_ / axisSize_;
    return horizontal_ ? lo_ + v : hi_ - v;
}

void TChartAxis::Scroll(double delta, bool checkLimits) {
    if (checkLimits && chart_) {
        bool any = false;
        double dmin = 0, dmax = 0;
        for (int i = 0; i < chart_->NumSeries(); ++i) {
            const TChartSeries& s = *chart_->SeriesAt(i);
            if (!CountsForRange(s)) continue;
            const double smin = horizontal_ ? s.MinXValue() : s.MinYValue();
            const double smax = horizontal_ ? s.MaxXValue() : s.MaxYValue();
            dmin = any ? std::min(dmin, smin) : smin;
            dmax = any ? std::max(dmax, smax) : smax;
            any = true;
        }
        if (delta > 0 && !(dmax > maximum_)) return;
        if (delta < 0 && !(dmin < minimum_)) return;
    }
    automatic_ = automaticMinimum_ = automaticMaximum_ = false;
    if (std::isfinite(delta)) {
        minimum_ += delta;
        maximum_ += delta;
    }
    Repaint();
}

}  // namespace cvcalc
