// Axis stage one: the working range from the stored ends and the series'
// extent, the marker margins, and the mapping between values and pixels.
// Pure functions of what the series tell the axis and of its pixels; the
// axis (ChartAxis.h) gathers their input from its chart.
#pragma once

#include <cmath>
#include <limits>

#include "chart/ChartGraphicsTypes.h"

namespace cvcalc {

// The largest drawing coordinate a pixel is clamped to.
inline constexpr int AxisPixelLimit = 32767;

// What the series plotted against an axis tell its stages.
struct TAxisSeriesExtent {
    // The series that count for the automatic ends (the active ones, or
    // any when none on the axis is active; each holding a point): whether
    // there is one, and their smallest and largest values along the axis.
    bool counted = false;
    double minimum = 0, maximum = 0;
    // The active series on the axis: whether there is one, and the fewest
    // points one of them holds.
    bool anyActive = false;
    int fewestActivePoints = 0;
    // Whether some series on the axis carries point labels.
    bool anyLabels = false;
    // The largest marker margins of the active series on the axis.
    TSeriesMargins margins;
};

// The stored ends of an axis.
struct TAxisEnds {
    double minimum = 0, maximum = 0;
};

// The stored ends after the automatic ones took the extent of the series
// that count (0 when none counts).
TAxisEnds AxisAutomaticEnds(TAxisEnds stored, bool automaticMinimum, bool automaticMaximum,
                            const TAxisSeriesExtent& extent);

// Which way an axis runs: a horizontal one grows to the right, a vertical
// one upwards, each the other way when inverted; a logarithmic one lays
// equal ratios along equal pixels (while both its ends are positive).
struct TAxisOrientation {
    bool horizontal = true;
    bool inverted = false;
    bool logarithmic = false;
};

// A working range lo..hi laid along the pixels start..end (an end below the
// start is taken as the start): the mapping between values and pixels.
// Rounds to the nearest integer, halves to even, as the hardware's default
// rounding does: adding and taking away 1.5 × 2^52 leaves no fraction bits
// for |x| < 2^51.  Every chart point comes through here, and the library
// call it replaces was a tenth of a repaint.
inline double RoundHalfEven(double x) {
    constexpr double Shift = 6755399441055744.0;
    return (x + Shift) - Shift;
}

class TAxisScale {
public:
    TAxisScale() = default;
    TAxisScale(TAxisOrientation orientation, double lo, double hi, int startPos, int endPos);
    TAxisScale WithRange(double lo, double hi) const { return {orientation_, lo, hi, startPos_, endPos_}; }
    TAxisScale WithPixels(int startPos, int endPos) const { return {orientation_, lo_, hi_, startPos, endPos}; }
    TAxisScale WithOrientation(TAxisOrientation orientation) const {
        return {orientation, lo_, hi_, startPos_, endPos_};
    }

    // The centre pixel for a zero range; otherwise rounded (halves to even)
    // and clamped to ±AxisPixelLimit, so that a value far outside the range,
    // or none at all, still gives a drawable coordinate.
    int ValueToPixel(double value) const {
        if (rangeIsZero_) return centerPos_;
        return static_cast<int>(RoundHalfEven(ValueToPosition(value)));
    }
    // The same position before its rounding, for figures that keep
    // positions between pixels (vector documents).
    double ValueToPosition(double value) const {
        if (rangeIsZero_) return centerPos_;
        // On a logarithmic scale a value of zero or below lies infinitely
        // far below the start and is clamped there like any far value.
        const double p = (logarithmic_ ? LogOffset(value) : value - lo_) * pixelsPerUnit_;
        double r;
        if (orientation_.horizontal)
            r = orientation_.inverted ? endPos_ - p : startPos_ + p;
        else
            r = orientation_.inverted ? startPos_ + p : endPos_ - p;
        // Clamp before converting: a value far outside the range (or none
        // at all) still gives a drawable coordinate.
        if (r != r) return AxisPixelLimit;
        const double limit = AxisPixelLimit;
        return r < -limit ? -limit : (r > limit ? limit : r);
    }
    // ValueToPixel and ValueToPosition of values[0..count), the same
    // numbers: one loop with the scale's constants held, which the compiler
    // turns into vector instructions for the many points of measured data.
    void ValuesToPixels(const double* values, int count, int* pixels) const;
    void ValuesToPositions(const double* values, int count, double* positions) const;
    // 0 on an axis shorter than one pixel.
    double PixelToValue(int pixel) const;
    // Whether values lie along the pixels by their logarithms: asked for,
    // and both ends positive and finite (otherwise the scale is linear).
    bool Logarithmic() const noexcept { return logarithmic_; }

    TAxisOrientation Orientation() const noexcept { return orientation_; }
    double Lo() const noexcept { return lo_; }
    double Hi() const noexcept { return hi_; }
    double Range() const noexcept { return range_; }
    bool RangeIsZero() const noexcept { return rangeIsZero_; }
    int StartPos() const noexcept { return startPos_; }
    int EndPos() const noexcept { return endPos_; }
    int AxisSize() const noexcept { return axisSize_; }
    int CenterPos() const noexcept { return centerPos_; }
    double PixelsPerUnit() const noexcept { return pixelsPerUnit_; }

private:
    TAxisOrientation orientation_;
    double lo_ = 0, hi_ = 0, range_ = 0;
    bool rangeIsZero_ = true;
    int startPos_ = 0, endPos_ = 0, axisSize_ = 0, centerPos_ = 0;
    // Pixels per unit of the value, or per unit of its natural logarithm.
    double pixelsPerUnit_ = 0;
    bool logarithmic_ = false;
    double logLo_ = 0, logRange_ = 0;

    double LogOffset(double value) const {
        return value > 0 ? std::log(value) - logLo_ : -std::numeric_limits<double>::infinity();
    }
};

// The pixels an axis gives up at its start and at its end.
struct TAxisMarginPixels {
    int start = 0, end = 0;
};

// The margins of the series at the automatic ends, plus the fixed offsets
// at the minimum and maximum ends (swapped on an inverted axis).
TAxisMarginPixels AxisMarkerMargins(const TSeriesMargins& margins, TAxisOrientation orientation, bool automaticMinimum,
                                    bool automaticMaximum, int minimumOffset, int maximumOffset);

// The scale whose end pixels carry the values that the pixels moved in by
// the margins would have had: the data extreme lands the margin inside the
// axis end.  Margins that would eat the whole axis leave it as it is.
TAxisScale AxisWidenForMargins(const TAxisScale& scale, TAxisMarginPixels margins);

// The ends of an axis after the mouse moved its values from one pixel to
// another (a pan): shifted by the value difference on a linear scale,
// multiplied by the ratio on a logarithmic one, so that the view moves by
// the same pixels either way.
TAxisEnds AxisPannedEnds(const TAxisScale& scale, TAxisEnds ends, int fromPixel, int toPixel);
// The ends moved by `fraction` of the axis' length (the wheel's step): of
// the range, or of the logarithmic range.
TAxisEnds AxisShiftedEnds(const TAxisScale& scale, TAxisEnds ends, double fraction);

}  // namespace cvcalc
