// TChartAxis: one axis of a chart — its stored settings, its working range,
// the mapping between values and pixels, the label step, the label values
// and texts, the room it takes beside the plotting area and its drawing.
//
// The algorithm lives in one file a stage, each a pure function of the
// series' extent, the pixels and a text measurer: AxisRange (working range,
// marker margins, pixel mapping), AxisStep (label step search), AxisLabels
// (label values, texts, label style, room).  The axis gathers their input
// from its chart and keeps their results of the last paint (AxisInChart.cpp);
// AxisDraw.cpp draws it.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "chart/AxisLabels.h"
#include "chart/AxisTextMetrics.h"
#include "chart/ChartAxisTitle.h"
#include "chart/ChartBrush.h"
#include "chart/ChartPen.h"
#include "shell/core/ChangeField.h"
#include "shell/core/Persistent.h"

namespace cvcalc {

class TCanvas;
class TCustomAxisPanel;
class TChartSeries;

enum TAxisLabelAlign { alDefault, alOpposite };
enum TChartUnits { muPercent, muPixels };

// The smallest range an explicit range change leaves.
inline constexpr double AxisMinRange = 1e-10;

class TChartAxis : public TPersistent {
public:
    CVCALC_CLASS_INFO()

    TChartAxis(TCustomAxisPanel* chart, bool horizontal, bool otherSide, bool depth);
    ~TChartAxis() override;

    TCustomAxisPanel* ParentChart() const noexcept { return chart_; }
    bool Horizontal() const noexcept { return horizontal_; }
    void SetHorizontal(bool value) {
        Change(horizontal_, value);
        scale_ = scale_.WithOrientation({horizontal_, inverted_, logarithmic_});
    }
    bool OtherSide() const noexcept { return otherSide_; }
    void SetOtherSide(bool value) { Change(otherSide_, value); }
    bool IsDepthAxis() const noexcept { return depth_; }

    // --- range settings ---------------------------------------------------
    bool Automatic() const noexcept { return automatic_; }
    void SetAutomatic(bool value);
    bool AutomaticMinimum() const noexcept { return automaticMinimum_; }
    void SetAutomaticMinimum(bool value);
    bool AutomaticMaximum() const noexcept { return automaticMaximum_; }
    void SetAutomaticMaximum(bool value);
    double Minimum() const noexcept { return minimum_; }
    // Refuses a value above Maximum (not while the form is read).
    void SetMinimum(double value);
    double Maximum() const noexcept { return maximum_; }
    void SetMaximum(double value);
    double Increment() const noexcept { return increment_; }
    void SetIncrement(double value);
    // Both ends at once, the automatic flags off; at least AxisMinRange apart.
    void SetMinMax(double a, double b);
    // Shifts both ends by `delta`, the automatic flags off.  With
    // `checkLimits` a shift is refused when the data do not reach beyond the
    // end it moves towards.
    void Scroll(double delta, bool checkLimits);

    // --- label settings ---------------------------------------------------
    const std::string& AxisValuesFormat() const noexcept { return axisValuesFormat_; }
    void SetAxisValuesFormat(const std::string& value) { Change(axisValuesFormat_, value); }
    const std::string& DateTimeFormat() const noexcept { return dateTimeFormat_; }
    void SetDateTimeFormat(const std::string& value) { Change(dateTimeFormat_, value); }
    bool ExactDateTime() const noexcept { return exactDateTime_; }
    void SetExactDateTime(bool value) { Change(exactDateTime_, value); }
    bool Labels() const noexcept { return labels_; }
    void SetLabels(bool value) { Change(labels_, value); }
    TAxisLabelAlign LabelsAlign() const noexcept { return labelsAlign_; }
    void SetLabelsAlign(TAxisLabelAlign value) { Change(labelsAlign_, value); }
    bool LabelsAlternate() const noexcept { return labelsAlternate_; }
    void SetLabelsAlternate(bool value) { Change(labelsAlternate_, value); }
    int LabelsAngle() const noexcept { return labelsAngle_; }
    void SetLabelsAngle(int value) { Change(labelsAngle_, ((value % 360) + 360) % 360); }
    bool LabelsExponent() const noexcept { return labelsExponent_; }
    void SetLabelsExponent(bool value) { Change(labelsExponent_, value); }
    TChartFont* LabelsFont() const noexcept { return labelsFont_.get(); }
    bool LabelsMultiLine() const noexcept { return labelsMultiLine_; }
    void SetLabelsMultiLine(bool value) { Change(labelsMultiLine_, value); }
    bool LabelsOnAxis() const noexcept { return labelsOnAxis_; }
    void SetLabelsOnAxis(bool value) { Change(labelsOnAxis_, value); }
    int LabelsSeparation() const noexcept { return labelsSeparation_; }
    void SetLabelsSeparation(int value);
    int LabelsSize() const noexcept { return labelsSize_; }
    void SetLabelsSize(int value) { Change(labelsSize_, value < 0 ? 0 : value); }
    TAxisLabelStyle LabelStyle() const noexcept { return labelStyle_; }
    void SetLabelStyle(TAxisLabelStyle value) { Change(labelStyle_, value); }
    bool RoundFirstLabel() const noexcept { return roundFirstLabel_; }
    void SetRoundFirstLabel(bool value) { Change(roundFirstLabel_, value); }

    // --- scale and position -----------------------------------------------
    bool Logarithmic() const noexcept { return logarithmic_; }
    void SetLogarithmic(bool value) {
        Change(logarithmic_, value);
        scale_ = scale_.WithOrientation({horizontal_, inverted_, logarithmic_});
    }
    double LogarithmicBase() const noexcept { return logarithmicBase_; }
    void SetLogarithmicBase(double value) { Change(logarithmicBase_, value); }
    int MinimumOffset() const noexcept { return minimumOffset_; }
    void SetMinimumOffset(int value) { Change(minimumOffset_, ClampPixels(value)); }
    int MaximumOffset() const noexcept { return maximumOffset_; }
    void SetMaximumOffset(int value) { Change(maximumOffset_, ClampPixels(value)); }
    bool Inverted() const noexcept { return inverted_; }
    void SetInverted(bool value) {
        Change(inverted_, value);
        scale_ = scale_.WithOrientation({horizontal_, inverted_, logarithmic_});
    }
    double StartPosition() const noexcept { return startPosition_; }
    void SetStartPosition(double value) { Change(startPosition_, value); }
    double EndPosition() const noexcept { return endPosition_; }
    void SetEndPosition(double value) { Change(endPosition_, value); }
    double PositionPercent() const noexcept { return positionPercent_; }
    void SetPositionPercent(double value) { Change(positionPercent_, value); }
    TChartUnits PositionUnits() const noexcept { return positionUnits_; }
    void SetPositionUnits(TChartUnits value) { Change(positionUnits_, value); }
    double ZPosition() const noexcept { return zPosition_; }
    void SetZPosition(double value) { Change(zPosition_, value); }
    bool Visible() const noexcept { return visible_; }
    void SetVisible(bool value) { Change(visible_, value); }

    // --- lines and ticks ---------------------------------------------------
    TChartAxisPen* AxisPen() const noexcept { return axisPen_.get(); }
    TAxisGridPen* Grid() const noexcept { return grid_.get(); }
    bool GridCentered() const noexcept { return gridCentered_; }
    void SetGridCentered(bool value) { Change(gridCentered_, value); }
    TChartHiddenPen* MinorGrid() const noexcept { return minorGrid_.get(); }
    TDarkGrayPen* Ticks() const noexcept { return ticks_.get(); }
    int TickLength() const noexcept { return tickLength_; }
    void SetTickLength(int value) { Change(tickLength_, ClampPixels(value)); }
    TDarkGrayPen* TicksInner() const noexcept { return ticksInner_.get(); }
    int TickInnerLength() const noexcept { return tickInnerLength_; }
    void SetTickInnerLength(int value) { Change(tickInnerLength_, ClampPixels(value)); }
    TDarkGrayPen* MinorTicks() const noexcept { return minorTicks_.get(); }
    int MinorTickLength() const noexcept { return minorTickLength_; }
    void SetMinorTickLength(int value) { Change(minorTickLength_, ClampPixels(value)); }
    int MinorTickCount() const noexcept { return minorTickCount_; }
    void SetMinorTickCount(int value) { Change(minorTickCount_, value < 0 ? 0 : (value > 100 ? 100 : value)); }
    bool TickOnLabelsOnly() const noexcept { return tickOnLabelsOnly_; }
    void SetTickOnLabelsOnly(bool value) { Change(tickOnLabelsOnly_, value); }
    TChartAxisTitle* Title() const noexcept { return title_.get(); }
    int TitleSize() const noexcept { return titleSize_; }
    void SetTitleSize(int value) { Change(titleSize_, value < 0 ? 0 : value); }

    // --- the stages in the chart (AxisInChart.cpp) ---------------------------
    // Whether `series` is plotted against this axis.
    bool IsSeriesOnAxis(const TChartSeries& series) const;
    // Whether a series counts for the automatic ends: active (or, when no
    // series on the axis is active, any), not empty, on this axis.
    bool CountsForRange(const TChartSeries& series) const;
    // What the chart's series plotted against this axis tell its stages.
    TAxisSeriesExtent SeriesExtent() const;
    // The label settings of the stages, from the axis' properties.
    TAxisLabelSettings LabelSettings() const;

    // Step 1 of a paint: the automatic ends from the data, then lo, hi, range.
    void AdjustMaxMin();
    // Places the axis between two pixels (start < end along the axis).
    void SetPixels(int startPos, int endPos) { scale_ = scale_.WithPixels(startPos, endPos); }
    // Widens the automatic ends so that point markers are not cut.
    void ApplyMarkerMargins();
    int ValueToPixel(double value) const { return scale_.ValueToPixel(value); }
    double ValueToPosition(double value) const { return scale_.ValueToPosition(value); }
    void ValuesToPixels(const double* values, int count, int* pixels) const {
        scale_.ValuesToPixels(values, count, pixels);
    }
    void ValuesToPositions(const double* values, int count, double* positions) const {
        scale_.ValuesToPositions(values, count, positions);
    }
    double PixelToValue(int pixel) const { return scale_.PixelToValue(pixel); }

    // The working range on the pixels of the last layout.
    const TAxisScale& Scale() const noexcept { return scale_; }
    double WorkingMinimum() const noexcept { return scale_.Lo(); }
    double WorkingMaximum() const noexcept { return scale_.Hi(); }
    double Range() const noexcept { return scale_.Range(); }
    bool RangeIsZero() const noexcept { return scale_.RangeIsZero(); }
    int StartPos() const noexcept { return scale_.StartPos(); }
    int EndPos() const noexcept { return scale_.EndPos(); }
    int AxisSize() const noexcept { return scale_.AxisSize(); }
    int CenterPos() const noexcept { return scale_.CenterPos(); }
    double PixelsPerUnit() const noexcept { return scale_.PixelsPerUnit(); }
    // The largest drawing coordinate a pixel is clamped to.
    static int PixelLimit() noexcept { return AxisPixelLimit; }

    // The size of one label text along the axis.
    int LabelSizeAlong(const TAxisTextMetrics& metrics, const std::string& text) const;
    // How many labels fit, n of the step search.
    int LabelsThatFit(const TAxisTextMetrics& metrics) const;
    // The label step for the current working range.
    double CalcLabelStep(const TAxisTextMetrics& metrics) const;

    std::string LabelText(double value) const;
    TAxisLabelStyle ResolvedLabelStyle() const;
    // The label values from the top down with their pixels; records the
    // tick pixels.  Empty when there are too many steps.
    std::vector<TAxisLabel> LabelValues(double step);
    const std::vector<int>& TickPixels() const noexcept { return tickPixels_; }
    // The labels of the last pass, in the order drawn (from the top down).
    const std::vector<TAxisLabel>& LastLabels() const noexcept { return lastLabels_; }
    // Room of the axis line and outer ticks, of the labels, of the title.
    int TickRoom() const;
    int LabelRoom(const TAxisTextMetrics& metrics, double step) const;
    int TitleRoom(const TAxisTextMetrics& metrics) const;
    int TotalRoom(const TAxisTextMetrics& metrics, double step) const {
        return TickRoom() + LabelRoom(metrics, step) + TitleRoom(metrics);
    }
    // Whether the axis takes part in the current paint.
    bool VisibleInPaint() const;
    // The edges of the label band and of the title band that the layout of
    // the last paint gave the axis: where its labels start (the outer side
    // of the tick band) and where its title starts (the outer side of the
    // label band), in pixels across the axis.
    int LabelEdge() const noexcept { return labelEdge_; }
    int TitleEdge() const noexcept { return titleEdge_; }
    void SetBandEdges(int labelEdge, int titleEdge) noexcept {
        labelEdge_ = labelEdge;
        titleEdge_ = titleEdge;
    }

    // --- drawing (AxisDraw.cpp) --------------------------------------------
    // Draws labels, title, axis line, ticks, grid and minor marks beside
    // `plot` at the step the canvas' text sizes allow, and records the
    // labels, the tick pixels and the band a mouse-down hits.
    void Draw(TCanvas& canvas, const TChartRect& plot);
    // Across the axis, from the outer edge of its labels to three pixels
    // inside its line, as the last paint drew it; empty (lo > hi) when the
    // axis was not drawn.
    struct THitBand {
        int lo = 0, hi = -1;
    };
    const THitBand& HitBand() const noexcept { return hitBand_; }
    void ClearHitBand() noexcept { hitBand_ = THitBand{}; }

    void Repaint() const;

private:
    bool Loading() const;
    static int ClampPixels(int v) { return v < -10000 ? -10000 : (v > 10000 ? 10000 : v); }
    template <typename T>
    void Change(T& field, T value) {
        ChangeField(field, std::move(value), [this] { Repaint(); });
    }

    TCustomAxisPanel* chart_;
    bool horizontal_;
    bool otherSide_;
    bool depth_;

    bool automatic_ = true;
    bool automaticMinimum_ = true;
    bool automaticMaximum_ = true;
    double minimum_ = 0;
    double maximum_ = 0;
    double increment_ = 0;
    std::string axisValuesFormat_ = "#,##0.###";
    std::string dateTimeFormat_;
    bool exactDateTime_ = true;
    bool labels_ = true;
    TAxisLabelAlign labelsAlign_ = alDefault;
    bool labelsAlternate_ = false;
    int labelsAngle_ = 0;
    bool labelsExponent_ = false;
    std::unique_ptr<TChartFont> labelsFont_;
    bool labelsMultiLine_ = false;
    bool labelsOnAxis_ = true;
    int labelsSeparation_ = 10;
    int labelsSize_ = 0;
    TAxisLabelStyle labelStyle_ = talAuto;
    bool roundFirstLabel_ = true;
    bool logarithmic_ = false;
    double logarithmicBase_ = 10;
    int minimumOffset_ = 0;
    int maximumOffset_ = 0;
    bool inverted_ = false;
    double startPosition_ = 0;
    double endPosition_ = 100;
    double positionPercent_ = 0;
    TChartUnits positionUnits_ = muPercent;
    double zPosition_ = 0;
    bool visible_ = true;
    std::unique_ptr<TChartAxisPen> axisPen_;
    std::unique_ptr<TAxisGridPen> grid_;
    bool gridCentered_ = false;
    std::unique_ptr<TChartHiddenPen> minorGrid_;
    std::unique_ptr<TDarkGrayPen> ticks_;
    int tickLength_ = 4;
    std::unique_ptr<TDarkGrayPen> ticksInner_;
    int tickInnerLength_ = 0;
    std::unique_ptr<TDarkGrayPen> minorTicks_;
    int minorTickLength_ = 2;
    int minorTickCount_ = 3;
    bool tickOnLabelsOnly_ = true;
    std::unique_ptr<TChartAxisTitle> title_;
    int titleSize_ = 0;

    // Run-time state of the last paint.
    TAxisScale scale_;
    int labelEdge_ = 0;
    int titleEdge_ = 0;
    std::vector<int> tickPixels_;
    std::vector<TAxisLabel> lastLabels_;
    mutable TAxisLabelTexts labelTexts_;
    THitBand hitBand_;
};

const TTypeInfo& TypeInfoTAxisLabelStyle();

}  // namespace cvcalc
