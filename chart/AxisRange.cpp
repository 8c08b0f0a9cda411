// Axis stage one: the working range from the stored ends and the series'
// extent, the marker margins, and the mapping between values and pixels.
#include "chart/AxisRange.h"

#include <algorithm>
#include <cmath>

namespace cvcalc {

TAxisEnds AxisAutomaticEnds(TAxisEnds stored, bool automaticMinimum, bool automaticMaximum,
                            const TAxisSeriesExtent& extent) {
    if (automaticMaximum) stored.maximum = extent.counted ? extent.maximum : 0;
    if (automaticMinimum) stored.minimum = extent.counted ? extent.minimum : 0;
    return stored;
}

TAxisScale::TAxisScale(TAxisOrientation orientation, double lo, double hi, int startPos, int endPos)
    : orientation_(orientation), lo_(lo), hi_(hi), startPos_(startPos), endPos_(std::max(startPos, endPos)) {
    axisSize_ = endPos_ - startPos_;
    centerPos_ = startPos_ + axisSize_ / 2;
    range_ = hi_ - lo_;
    rangeIsZero_ = (range_ == 0);
    pixelsPerUnit_ = rangeIsZero_ ? 0.0 : axisSize_ / range_;
    if (orientation_.logarithmic && lo_ > 0 && hi_ > lo_ && std::isfinite(hi_)) {
        logarithmic_ = true;
        logLo_ = std::log(lo_);
        logRange_ = std::log(hi_) - logLo_;
        pixelsPerUnit_ = logRange_ > 0 ? axisSize_ / logRange_ : 0.0;
    }
    // A range too small or too large for the pixels (or no number at all)
    // maps every value to the start rather than to infinity.
    if (!std::isfinite(pixelsPerUnit_)) pixelsPerUnit_ = 0.0;
}

namespace {

// ValueToPosition's clamp: no number goes to the limit, a far one to the
// nearer end.
inline double Clamped(double r) {
    constexpr double limit = AxisPixelLimit;
    if (r != r) return limit;
    return r < -limit ? -limit : (r > limit ? limit : r);
}

// The linear mapping's loop, from `base` forwards or backwards along the
// pixels, with ValueToPosition's operations in its order.
template <typename T, typename Finish>
void LinearPlaces(const double* values, int count, T* out, double lo, double perUnit, double base, bool forward,
                  Finish finish) {
    if (forward)
        for (int i = 0; i < count; ++i) out[i] = finish(Clamped(base + (values[i] - lo) * perUnit));
    else
        for (int i = 0; i < count; ++i) out[i] = finish(Clamped(base - (values[i] - lo) * perUnit));
}

}  // namespace

void TAxisScale::ValuesToPixels(const double* values, int count, int* pixels) const {
    if (rangeIsZero_ || logarithmic_) {
        for (int i = 0; i < count; ++i) pixels[i] = ValueToPixel(values[i]);
        return;
    }
    // Right or up from the start, or left or down from the end.
    const bool forward = orientation_.horizontal != orientation_.inverted;
    LinearPlaces(values, count, pixels, lo_, pixelsPerUnit_, forward ? startPos_ : endPos_, forward,
                 [](double r) { return static_cast<int>(RoundHalfEven(r)); });
}

void TAxisScale::ValuesToPositions(const double* values, int count, double* positions) const {
    if (rangeIsZero_ || logarithmic_) {
        for (int i = 0; i < count; ++i) positions[i] = ValueToPosition(values[i]);
        return;
    }
    const bool forward = orientation_.horizontal != orientation_.inverted;
    LinearPlaces(values, count, positions, lo_, pixelsPerUnit_, forward ? startPos_ : endPos_, forward,
                 [](double r) { return r; });
}

double TAxisScale::PixelToValue(int pixel) const {
    if (axisSize_ < 1) return 0;
    const double d =
        orientation_.inverted ? static_cast<double>(endPos_) - pixel : static_cast<double>(pixel) - startPos_;
    if (logarithmic_) {
        const double v = d * logRange_ / axisSize_;
        return orientation_.horizontal ? std::exp(logLo_ + v) : std::exp(logLo_ + logRange_ - v);
    }
    const double v = d * range_ / axisSize_;
    return orientation_.horizontal ? lo_ + v : hi_ - v;
}

TAxisMarginPixels AxisMarkerMargins(const TSeriesMargins& m, TAxisOrientation orientation, bool automaticMinimum,
                                    bool automaticMaximum, int minimumOffset, int maximumOffset) {
    TAxisMarginPixels r;
    if (orientation.horizontal) {
        if (automaticMinimum) r.start = m.left;
        if (automaticMaximum) r.end = m.right;
    } else {
        if (automaticMaximum) r.start = m.top;
        if (automaticMinimum) r.end = m.bottom;
    }
    // The minimum lies at the start pixel on a plain horizontal axis and on
    // an inverted vertical one.
    if (orientation.horizontal != orientation.inverted) {
        r.start += minimumOffset;
        r.end += maximumOffset;
    } else {
        r.start += maximumOffset;
        r.end += minimumOffset;
    }
    return r;
}

TAxisScale AxisWidenForMargins(const TAxisScale& scale, TAxisMarginPixels margins) {
    if (margins.start == 0 && margins.end == 0) return scale;
    const int oldStart = scale.StartPos(), oldEnd = scale.EndPos();
    const int newStart = oldStart + margins.start, newEnd = oldEnd - margins.end;
    if (newEnd - newStart < 1) return scale;
    const TAxisScale inner = scale.WithPixels(newStart, newEnd);
    const double a = inner.PixelToValue(oldStart);
    const double b = inner.PixelToValue(oldEnd);
    return TAxisScale(scale.Orientation(), std::min(a, b), std::max(a, b), oldStart, oldEnd);
}

TAxisEnds AxisPannedEnds(const TAxisScale& scale, TAxisEnds ends, int fromPixel, int toPixel) {
    const double from = scale.PixelToValue(fromPixel), to = scale.PixelToValue(toPixel);
    if (scale.Logarithmic() && ends.minimum > 0 && ends.maximum > 0) {
        const double ratio = from / to;
        if (std::isfinite(ratio) && ratio > 0) return {ends.minimum * ratio, ends.maximum * ratio};
        return ends;
    }
    return {ends.minimum + (from - to), ends.maximum + (from - to)};
}

TAxisEnds AxisShiftedEnds(const TAxisScale& scale, TAxisEnds ends, double fraction) {
    if (scale.Logarithmic() && ends.minimum > 0 && ends.maximum > 0) {
        const double ratio = std::pow(ends.maximum / ends.minimum, fraction);
        if (std::isfinite(ratio) && ratio > 0) return {ends.minimum * ratio, ends.maximum * ratio};
        return ends;
    }
    const double step = (ends.maximum - ends.minimum) * fraction;
    return {ends.minimum + step, ends.maximum + step};
}

}  // namespace cvcalc
