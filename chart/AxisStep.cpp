// Axis stage two: the label step, from the label sizes, the room along the
// axis and the smallest step the Increment allows.
#include <algorithm>
#include <cmath>

#include "chart/ChartAxis.h"
#include "chart/ChartSeries.h"
#include "chart/CustomAxisPanel.h"

namespace cvcalc {

double NextNiceStep(double x) {
    if (std::isinf(x)) return 1;
    // Zero, negative or no number at all has no place on the sequence and
    // would never reach [1, 10) by scaling.
    if (!(x > 0)) return 1;
    int up = 0, down = 0;
    while (x >= 10) {
        x *= 0.1;
        ++up;
    }
    while (x < 1) {
        x *= 10;
        ++down;
    }
    double r = x < 2 ? 2 : (x < 5 ? 5 : 10);
    // The same multiplications, in the same order, as stepping one decade at
    // a time would do.
    for (int i = 0; i < down; ++i) r *= 0.1;
    for (int i = 0; i < up; ++i) r *= 10;
    return r;
}

static int LineCount(const std::string& text, bool multiLine) {
    if (!multiLine) return 1;
    return 1 + static_cast<int>(std::count(text.begin(), text.end(), ' '));
}

int TChartAxis::LabelSizeAlong(const TAxisTextMetrics& metrics, const std::string& text) const {
    const bool across = (labelsAngle_ == 90 || labelsAngle_ == 270);
    const bool useWidth = horizontal_ != across;
    if (useWidth) return metrics.TextWidth(*labelsFont_, text);
    return metrics.TextHeight(*labelsFont_, "W") * LineCount(text, labelsMultiLine_);
}

int TChartAxis::LabelsThatFit(const TAxisTextMetrics& metrics) const {
    int s = std::max(LabelSizeAlong(metrics, LabelText(hi_)), LabelSizeAlong(metrics, LabelText(lo_)));
    if (increment_ != 0) {
        s = std::max(s, LabelSizeAlong(metrics, LabelText(lo_ + increment_)));
        s = std::max(s, LabelSizeAlong(metrics, LabelText(hi_ - increment_)));
    } else {
        s = std::max(s, LabelSizeAlong(metrics, LabelText((hi_ + lo_) / 2)));
    }
    if (s <= 0) return 1;
    double per = s;
    if (labelsSeparation_ > 0) per += std::nearbyint(labelsSeparation_ * 0.01 * s);
    return static_cast<int>(std::nearbyint(axisSize_ / per));
}

double TChartAxis::CalcLabelStep(const TAxisTextMetrics& metrics) const {
    const int n = LabelsThatFit(metrics);
    double q;
    if (n < 1) {
        q = AxisMinIncrement;
    } else {
        if (increment_ > 0) {
            q = increment_;
        } else if (range_ != 0) {
            q = std::fabs(range_) / (n + 1);
            // A series of only a few points is labelled in whole units.
            if (range_ >= 1 && chart_) {
                for (int i = 0; i < chart_->NumSeries(); ++i) {
                    const TChartSeries& s = *chart_->SeriesAt(i);
                    if (s.Active() && IsSeriesOnAxis(s) && s.PointCount() <= n) {
                        q = std::max(q, 1.0);
                        break;
                    }
                }
            }
        } else {
            q = 1;
        }
        if (labelsSeparation_ >= 1) {
            long long k = static_cast<long long>(n) + 1;
            do {
                const double c = range_ / q;
                if (std::fabs(c) < 2147483647.0) {
                    k = static_cast<long long>(std::nearbyint(c));
                    if (k > n) q = NextNiceStep(q);
                } else {
                    q = NextNiceStep(q);
                }
            } while (k > n && q <= range_ && std::isfinite(q));
        }
    }
    if (std::isinf(q))
        q = range_;
    else
        q = std::max(q, AxisMinIncrement);
    if (labelsAlternate_) q /= 2;
    return q;
}

}  // namespace cvcalc
