// Axis stage three: the label style, the label values from the top down
// with their tick pixels, and the room the labels take.  Pure functions of
// the working range and pixels, the label settings, the series' extent and
// a text measurer.
#pragma once

#include <string>
#include <vector>

#include "chart/AxisStep.h"

namespace cvcalc {

enum TAxisLabelStyle { talAuto, talNone, talValue, talMark, talText };

// An axis with this many label steps or more draws no labels.
inline constexpr int AxisMaxLabelSteps = 10000;

// One label of a label pass: its value, pixel and text.
struct TAxisLabel {
    double value;
    int pixel;
    std::string text;
};

// The labels of one pass from the top down, and the pixels that carry a
// tick in the same order.
struct TAxisLabelPass {
    std::vector<TAxisLabel> labels;
    std::vector<int> ticks;
};

// talAuto: values when an active series is on the axis, texts when a series
// on it carries point labels, none without an active series.
TAxisLabelStyle AxisResolveLabelStyle(TAxisLabelStyle style, const TAxisSeriesExtent& extent);

// The label values at `step` from the top down with their pixels and (with
// `showText`) texts; empty when there are too many steps.  Ticks go where a
// text is drawn, or at every label place unless tickOnLabelsOnly.
TAxisLabelPass AxisLabelValues(const TAxisScale& scale, const TAxisLabelSettings& settings, bool showText, double step);

// The minor marks of a logarithmic base-10 scale labelled at every power:
// the pixels of 2 … 9 × 10^k strictly inside the axis ends (none at other
// steps, where the labels already lie closer than the decades).
std::vector<int> AxisLogarithmicMinorPixels(const TAxisScale& scale, const TAxisLabelSettings& settings, double step);

// The room of the labels across the axis (given labels to show): LabelsSize,
// or one text height on a horizontal axis (two when alternating), or the
// wider of the first and last label plus a space on a vertical one.
int AxisLabelRoom(const TAxisScale& scale, const TAxisLabelSettings& settings, const TAxisTextMetrics& metrics,
                  double step);

}  // namespace cvcalc
