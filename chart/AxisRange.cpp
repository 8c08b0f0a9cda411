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

// The loops over many values use vector instructions as wide as the
// processor has: AVX2 where it has them (chosen once, as the program
// loads), SSE2 everywhere.  Neither brings fused multiply-adds, so every
// value rounds as it does one at a time.
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define CVCALC_WIDEST_VECTORS __attribute__((target_clones("avx2", "default")))
#else
#define CVCALC_WIDEST_VECTORS
#endif

// ValueToPosition's clamp in the form of a minimum and a maximum, which
// vector instructions have: no number at all fails the first comparison
// and goes to the limit, as there.
inline double Clamped(double r) {
    constexpr double limit = AxisPixelLimit;
    r = r < limit ? r : limit;
    return r > -limit ? r : -limit;
}

// The linear mapping, from `base` forwards or backwards along the pixels,
// with ValueToPosition's operations in its order.
CVCALC_WIDEST_VECTORS
void LinearPositions(const double* values, int count, double* out, double lo, double perUnit, double base,
                     bool forward) {
    if (forward)
        for (int i = 0; i < count; ++i) out[i] = Clamped(base + (values[i] - lo) * perUnit);
    else
        for (int i = 0; i < count; ++i) out[i] = Clamped(base - (values[i] - lo) * perUnit);
}

CVCALC_WIDEST_VECTORS
void RoundedPixels(const double* positions, int count, int* out) {
    for (int i = 0; i < count; ++i) out[i] = static_cast<int>(RoundHalfEven(positions[i]));
}

}  // namespace

void TAxisScale::ValuesToPixels(const double* values, int count, int* pixels) const {
    if (rangeIsZero_ || logarithmic_) {
        for (int i = 0; i < count; ++i) pixels[i] = ValueToPixel(values[i]);
        return;
    }
    // Right or up from the start, or left or down from the end.  The
    // positions and their rounding go in two loops over a block: the
    // compiler makes one loop of both into branches, not vector code.
    const bool forward = orientation_.horizontal != orientation_.inverted;
    constexpr int Block = 256;
    double positions[Block];
    for (int done = 0; done < count; done += Block) {
        const int n = std::min(Block, count - done);
        LinearPositions(values + done, n, positions, lo_, pixelsPerUnit_, forward ? startPos_ : endPos_, forward);
        RoundedPixels(positions, n, pixels + done);
    }
}

void TAxisScale::ValuesToPositions(const double* values, int count, double* positions) const {
    if (rangeIsZero_ || logarithmic_) {
        for (int i = 0; i < count; ++i) positions[i] = ValueToPosition(values[i]);
        return;
    }
    const bool forward = orientation_.horizontal != orientation_.inverted;
    LinearPositions(values, count, positions, lo_, pixelsPerUnit_, forward ? startPos_ : endPos_, forward);
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
