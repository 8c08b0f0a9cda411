// Axis stage two: the label step, from the label sizes, the room along the
// axis and the smallest step the Increment allows.  Pure functions of the
// working range and pixels (AxisRange.h), the axis' label settings and a
// text measurer.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

#include "chart/AxisRange.h"
#include "chart/AxisTextMetrics.h"

namespace cvcalc {

class TChartFont;

// Steps smaller than this are no steps.
inline constexpr double AxisMinIncrement = 1e-12;

// NextNiceStep(x): the next value of 1, 2, 5 × 10^k strictly above x's
// position on that sequence (1 for an infinite x).
double NextNiceStep(double x);

class TAxisLabelTexts;

// The label settings the step search, the label values and the label room
// read, copied from the axis' properties.
struct TAxisLabelSettings {
    std::string_view format = "#,##0.###";  // AxisValuesFormat
    bool multiLine = false;                 // LabelsMultiLine
    int angle = 0;                          // LabelsAngle
    const TChartFont* font = nullptr;       // LabelsFont; set whenever texts are measured
    double increment = 0;                   // Increment
    int separation = 10;                    // LabelsSeparation
    bool alternate = false;                 // LabelsAlternate
    bool roundFirstLabel = true;            // RoundFirstLabel
    bool onAxis = true;                     // LabelsOnAxis
    bool tickOnLabelsOnly = true;           // TickOnLabelsOnly
    int size = 0;                           // LabelsSize
    double logBase = 10;                    // LogarithmicBase
    TAxisLabelTexts* texts = nullptr;       // the axis's texts of values, when it keeps them
};

// On a logarithmic scale the label step counts powers of the base between
// labels (1, 2, 5, 10 …); this step instead labels 1, 2 and 5 × 10^k, for
// a base-10 range that holds fewer than two powers.
inline constexpr double AxisLogOneTwoFiveStep = 0.5;

// The base a logarithmic axis labels the powers of: LogarithmicBase, or 10
// where that is no base (not above 1, or not finite).
double AxisLogBase(const TAxisLabelSettings& settings);

// A value's label text through the format; with multiLine, spaces break
// lines.  AxisLabels.cpp.
std::string AxisLabelText(const TAxisLabelSettings& settings, double value);

// The label texts an axis has made, kept while its format, its line
// breaking and the locale's separators stay as they were: an axis labels
// the same values at every paint, and asks for some of them three times
// in one (the step, the room and the drawing).
class TAxisLabelTexts {
public:
    const std::string& Text(const TAxisLabelSettings& settings, double value);

private:
    static constexpr std::size_t MaxTexts = 256;  // emptied when full
    std::string format_;
    bool multiLine_ = false;
    char decimalSeparator_ = 0, thousandSeparator_ = 0;
    std::unordered_map<std::uint64_t, std::string> texts_;  // by the value's bits
};

// The size of one label text along the axis: its width on a horizontal
// axis, lines times the height of "W" on a vertical one (angles 90 and 270
// swap the two).
int AxisLabelSizeAlong(const TAxisLabelSettings& settings, bool horizontal, const TAxisTextMetrics& metrics,
                       const std::string& text);
// How many labels fit along the scale, n of the step search.
int AxisLabelsThatFit(const TAxisScale& scale, const TAxisLabelSettings& settings, const TAxisTextMetrics& metrics);
// The label step for the scale's working range.
double AxisLabelStep(const TAxisScale& scale, const TAxisLabelSettings& settings, const TAxisSeriesExtent& extent,
                     const TAxisTextMetrics& metrics);

}  // namespace cvcalc
