// The axis' construction, its checked setters and its published properties.
#include "chart/ChartAxis.h"

#include <cmath>

#include "chart/ChartAxisError.h"
#include "chart/CustomAxisPanel.h"

namespace cvcalc {

TChartAxis::TChartAxis(TCustomAxisPanel* chart, bool horizontal, bool otherSide, bool depth)
    : chart_(chart),
      horizontal_(horizontal),
      otherSide_(otherSide),
      depth_(depth),
      labelsFont_(std::make_unique<TChartFont>()),
      axisPen_(std::make_unique<TChartAxisPen>()),
      grid_(std::make_unique<TAxisGridPen>()),
      minorGrid_(std::make_unique<TChartHiddenPen>()),
      ticks_(std::make_unique<TDarkGrayPen>()),
      ticksInner_(std::make_unique<TDarkGrayPen>()),
      minorTicks_(std::make_unique<TDarkGrayPen>()),
      title_(std::make_unique<TChartAxisTitle>(horizontal ? 0 : (otherSide ? 270 : 90), [this] { Repaint(); })) {
    auto repaint = [this] { Repaint(); };
    labelsFont_->SetOnChange(repaint);
    axisPen_->SetOnChange(repaint);
    grid_->SetOnChange(repaint);
    minorGrid_->SetOnChange(repaint);
    ticks_->SetOnChange(repaint);
    ticksInner_->SetOnChange(repaint);
    minorTicks_->SetOnChange(repaint);
    scale_ = TAxisScale(TAxisOrientation{horizontal, false}, 0, 0, 0, 0);
    if (depth) visible_ = false;
}

TChartAxis::~TChartAxis() = default;

void TChartAxis::Repaint() const {
    if (chart_) chart_->ChartInvalidate();
}

bool TChartAxis::Loading() const { return chart_ && chart_->ComponentState().Contains(csLoading); }

void TChartAxis::SetAutomatic(bool value) {
    automatic_ = value;
    if (!Loading()) {
        automaticMinimum_ = value;
        automaticMaximum_ = value;
    }
    Repaint();
}

void TChartAxis::SetAutomaticMinimum(bool value) {
    if (automaticMinimum_ == value) return;
    automaticMinimum_ = value;
    if (!value) automatic_ = false;
    Repaint();
}

void TChartAxis::SetAutomaticMaximum(bool value) {
    if (automaticMaximum_ == value) return;
    automaticMaximum_ = value;
    if (!value) automatic_ = false;
    Repaint();
}

// A value that is no number is neither below nor above anything, so the
// comparisons are written to refuse it.
void TChartAxis::SetMinimum(double value) {
    if (!Loading() && !(value <= maximum_)) throw EChartAxisError(AxisMinimumMessage);
    Change(minimum_, value);
}

void TChartAxis::SetMaximum(double value) {
    if (!Loading() && !(value >= minimum_)) throw EChartAxisError(AxisMaximumMessage);
    Change(maximum_, value);
}

void TChartAxis::SetIncrement(double value) {
    if (!(value >= 0)) throw EChartAxisError(AxisIncrementMessage);
    Change(increment_, value);
}

void TChartAxis::SetLabelsSeparation(int value) {
    if (value < 0) throw EChartAxisError(AxisLabelsSeparationMessage);
    Change(labelsSeparation_, value);
}

void TChartAxis::SetMinMax(double a, double b) {
    automatic_ = automaticMinimum_ = automaticMaximum_ = false;
    // Ends that are no numbers would poison every later mapping; keep the
    // old range then.
    if (std::isnan(a) || std::isnan(b)) {
        Repaint();
        return;
    }
    if (a > b) std::swap(a, b);
    minimum_ = a;
    maximum_ = (b - a < AxisMinRange) ? a + AxisMinRange : b;
    Repaint();
}

const TTypeInfo& TypeInfoTAxisLabelStyle() {
    static const TTypeInfo info =
        TTypeInfo::Enumeration("TAxisLabelStyle", {"talAuto", "talNone", "talValue", "talMark", "talText"});
    return info;
}

static const TTypeInfo& TypeInfoTAxisLabelAlign() {
    static const TTypeInfo info = TTypeInfo::Enumeration("TAxisLabelAlign", {"alDefault", "alOpposite"});
    return info;
}

static const TTypeInfo& TypeInfoTChartUnits() {
    static const TTypeInfo info = TTypeInfo::Enumeration("TChartUnits", {"muPercent", "muPixels"});
    return info;
}

const TClassInfo& TChartAxis::StaticClassInfo() {
    using A = TChartAxis;
    static const TClassInfo info =
        TClassBuilder<A>("TChartAxis", TPersistent::StaticClassInfo())
            .Boolean("Automatic", &A::Automatic, &A::SetAutomatic, true)
            .Boolean("AutomaticMaximum", &A::AutomaticMaximum, &A::SetAutomaticMaximum, true)
            .Boolean("AutomaticMinimum", &A::AutomaticMinimum, &A::SetAutomaticMinimum, true)
            .Object("Axis", &A::AxisPen, nullptr)
            .String("AxisValuesFormat", &A::AxisValuesFormat, &A::SetAxisValuesFormat)
            .String("DateTimeFormat", &A::DateTimeFormat, &A::SetDateTimeFormat)
            .Float("EndPosition", TypeInfoDouble(), &A::EndPosition, &A::SetEndPosition, 100.0L)
            .Boolean("ExactDateTime", &A::ExactDateTime, &A::SetExactDateTime, true)
            .Object("Grid", &A::Grid, nullptr)
            .Boolean("GridCentered", &A::GridCentered, &A::SetGridCentered, false)
            .Boolean("Horizontal", &A::Horizontal, &A::SetHorizontal)
            .Float("Increment", TypeInfoDouble(), &A::Increment, &A::SetIncrement, 0.0L)
            .Boolean("Inverted", &A::Inverted, &A::SetInverted, false)
            .Boolean("Labels", &A::Labels, &A::SetLabels, true)
            .Ordinal("LabelsAlign", TypeInfoTAxisLabelAlign(), &A::LabelsAlign, &A::SetLabelsAlign, alDefault)
            .Boolean("LabelsAlternate", &A::LabelsAlternate, &A::SetLabelsAlternate, false)
            .Integer("LabelsAngle", &A::LabelsAngle, &A::SetLabelsAngle, 0)
            .Boolean("LabelsExponent", &A::LabelsExponent, &A::SetLabelsExponent, false)
            .Object("LabelsFont", &A::LabelsFont, nullptr)
            .Boolean("LabelsMultiLine", &A::LabelsMultiLine, &A::SetLabelsMultiLine, false)
            .Boolean("LabelsOnAxis", &A::LabelsOnAxis, &A::SetLabelsOnAxis, true)
            .Integer("LabelsSeparation", &A::LabelsSeparation, &A::SetLabelsSeparation, 10)
            .Integer("LabelsSize", &A::LabelsSize, &A::SetLabelsSize, 0)
            .Ordinal("LabelStyle", TypeInfoTAxisLabelStyle(), &A::LabelStyle, &A::SetLabelStyle, talAuto)
            .Boolean("Logarithmic", &A::Logarithmic, &A::SetLogarithmic, false)
            .Float("LogarithmicBase", TypeInfoDouble(), &A::LogarithmicBase, &A::SetLogarithmicBase, 10.0L)
            .Float("Maximum", TypeInfoDouble(), &A::Maximum, &A::SetMaximum, 0.0L)
            .Integer("MaximumOffset", &A::MaximumOffset, &A::SetMaximumOffset, 0)
            .Float("Minimum", TypeInfoDouble(), &A::Minimum, &A::SetMinimum, 0.0L)
            .Integer("MinimumOffset", &A::MinimumOffset, &A::SetMinimumOffset, 0)
            .Object("MinorGrid", &A::MinorGrid, nullptr)
            .Integer("MinorTickCount", &A::MinorTickCount, &A::SetMinorTickCount, 3)
            .Integer("MinorTickLength", &A::MinorTickLength, &A::SetMinorTickLength, 2)
            .Object("MinorTicks", &A::MinorTicks, nullptr)
            .Boolean("OtherSide", &A::OtherSide, &A::SetOtherSide)
            .Float("PositionPercent", TypeInfoDouble(), &A::PositionPercent, &A::SetPositionPercent, 0.0L)
            .Ordinal("PositionUnits", TypeInfoTChartUnits(), &A::PositionUnits, &A::SetPositionUnits, muPercent)
            .Boolean("RoundFirstLabel", &A::RoundFirstLabel, &A::SetRoundFirstLabel, true)
            .Float("StartPosition", TypeInfoDouble(), &A::StartPosition, &A::SetStartPosition, 0.0L)
            .Integer("TickInnerLength", &A::TickInnerLength, &A::SetTickInnerLength, 0)
            .Integer("TickLength", &A::TickLength, &A::SetTickLength, 4)
            .Boolean("TickOnLabelsOnly", &A::TickOnLabelsOnly, &A::SetTickOnLabelsOnly, true)
            .Object("Ticks", &A::Ticks, nullptr)
            .Object("TicksInner", &A::TicksInner, nullptr)
            .Object("Title", &A::Title, nullptr)
            .Integer("TitleSize", &A::TitleSize, &A::SetTitleSize, 0)
            .Boolean("Visible", &A::Visible, &A::SetVisible, true)
            .Float("ZPosition", TypeInfoDouble(), &A::ZPosition, &A::SetZPosition, 0.0L);
    return info;
}

}  // namespace cvcalc
