// Measured C-V data beside the theory, and the Mott–Schottky straight line
// through 1/C²: its slope gives the doping, its zero the built-in potential.
#include <algorithm>
#include <limits>
#include <string>

#include "analysis/MeasuredData.h"
#include "calculator/Pnjunction.h"
#include "chart/ChartAxis.h"
#include "chart/ChartPen.h"
#include "chart/ChartSeries.h"
#include "chart/ChartValueList.h"
#include "chart/CustomChart.h"
#include "chart/CustomSeries.h"
#include "chart/SeriesPointer.h"
#include "framework/Edit.h"
#include "numtext/FloatFormat.h"
#include "numtext/FloatParse.h"
#include "platform/core/FloatControl.h"

namespace cvcalc {

namespace {

constexpr TColor FitColor = 0x000000;

constexpr double PicofaradsPerFarad = 1e12;
// 1/C² in nF^-2 from F^-2.
constexpr double InverseSquareNanofarads = 1e-18;

TPointSeries* MeasuredSeries(TComponent* owner, const std::string& name) {
    auto* series = new TPointSeries(owner);
    series->SetName(name);
    series->SetSeriesColor(MeasuredColor);
    series->Pointer()->SetStyle(psCircle);
    series->Pointer()->SetHorizSize(3);
    series->Pointer()->SetVertSize(3);
    return series;
}

// Six significant digits are what a box over a chart can show; the
// numbers in full are in the report and the driver's dump.
std::string Short(double value) { return FormatFloatKind(value, FloatTextKind::General, 6, 0); }

}  // namespace

void TFormPNJunction::LoadMeasuredData(const std::string& path) {
    MeasuredCurve curve = ReadMeasuredCurve(path);
    std::vector<double> inverseSquares = InverseSquares(curve);
    ClearMeasuredData();
    measuredCV_ = MeasuredSeries(this, "MeasuredCV");
    measuredC2V_ = MeasuredSeries(this, "MeasuredC2V");
    measuredCV_->BeginUpdate();
    measuredC2V_->BeginUpdate();
    const int rows = static_cast<int>(std::min<std::size_t>(curve.Voltages.size(), std::numeric_limits<int>::max()));
    measuredCV_->ReservePoints(rows);
    measuredC2V_->ReservePoints(rows);
    for (std::size_t i = 0; i < curve.Voltages.size(); ++i) {
        measuredCV_->AddPoint(curve.Voltages[i], curve.Capacitances[i] * PicofaradsPerFarad, {}, clAutoColor);
        measuredC2V_->AddPoint(curve.Voltages[i], inverseSquares[i] * InverseSquareNanofarads, {}, clAutoColor);
    }
    measuredCV_->EndUpdate();
    measuredC2V_->EndUpdate();
    measuredCV_->SetParentChart(ChartCV);
    measuredC2V_->SetParentChart(ChartC2V);
    measuredUnit_ = std::string(UnitSymbol(curve.Unit)) + (curve.UnitAssumed ? " (assumed)" : "");
    measuredVoltages_ = std::move(curve.Voltages);
    measuredInverseSquares_ = std::move(inverseSquares);
    measuredCapacitances_ = std::move(curve.Capacitances);
    ResultsChanged();
}

void TFormPNJunction::ClearMeasuredData() {
    if (fitOnMeasured_) ClearFit();
    if (run_.profile.onMeasured) ClearProfile();
    if (run_.grading.onMeasured) ClearGrading();
    delete measuredCV_;
    delete measuredC2V_;
    measuredCV_ = measuredC2V_ = nullptr;
    measuredVoltages_.clear();
    measuredInverseSquares_.clear();
    measuredCapacitances_.clear();
    measuredUnit_.clear();
    ResultsChanged();
}

void TFormPNJunction::ClearFit() {
    delete fitLine_;
    delete fitPoints_;
    fitLine_ = fitPoints_ = nullptr;
    fit_.reset();
    fitOnMeasured_ = false;
    run_.fit = FitRecord{};
    UpdateChartNotes();
}

double TFormPNJunction::FitArea() const {
    if (run_.complete) return run_.used.JunctionArea;
    const double area = NarrowToDouble(ParseFloat(EditJunctionArea->Text()));
    return std::clamp(area, MinimumJunctionArea, MaximumJunctionArea);
}

void TFormPNJunction::FitStraightLine() {
    // The range the chart shows is the range to fit.
    const TCapacitanceData data = CapacitanceData(ChartC2V);
    const double vmin = data.vmin, vmax = data.vmax;
    const bool onMeasured = data.onMeasured;
    const std::span<const double> voltages = data.voltages, inverseSquares = data.inverseSquares;
    const std::size_t count = std::min(voltages.size(), inverseSquares.size());
    // The fit keeps the area it was made with: a later run with another
    // area leaves the doping read off measured points as it is.
    const double areaMm2 = FitArea();
    const double area = areaMm2 * 1e-6;
    const LineFit fit = FitInverseSquareLine(data.voltages, data.inverseSquares, vmin, vmax, area, constants_);

    ClearFit();
    fit_ = fit;
    fitOnMeasured_ = onMeasured;
    run_.fit = FitRecord{true,
                         onMeasured,
                         vmin,
                         vmax,
                         area,
                         areaMm2,
                         fit.Slope,
                         fit.Intercept,
                         fit.V0,
                         fit.Neff,
                         fit.R2,
                         fit.Points,
                         onMeasured ? measuredUnit_ : std::string()};

    // The points the line went through, marked, and the line from the
    // first of them out to where it meets 1/C² = 0, so that the
    // extrapolation to V0 shows whatever the zoom.  A V0 further out than
    // ten times the fitted span (a nearly flat line through noise) is not
    // drawn to: the chart would shrink the data to a dot to show it.
    auto* marks = new TPointSeries(this);
    marks->SetName("FitPoints");
    marks->SetSeriesColor(FitColor);
    // A cross over each point: the point under it stays in view.
    marks->Pointer()->SetStyle(psDiagCross);
    marks->Pointer()->SetHorizSize(5);
    marks->Pointer()->SetVertSize(5);
    double first = vmax, last = vmin;
    std::size_t firstAt = 0, lastAt = 0;
    marks->BeginUpdate();
    for (std::size_t i = 0; i < count; ++i)
        if (vmin <= voltages[i] && voltages[i] <= vmax) {
            // Measured points are marked each; the computed curve is a
            // line of a hundred points or more, marked at the range's ends.
            if (onMeasured) marks->AddPoint(voltages[i], inverseSquares[i] * InverseSquareNanofarads, {}, clAutoColor);
            if (voltages[i] < first) first = voltages[i], firstAt = i;
            if (voltages[i] > last) last = voltages[i], lastAt = i;
        }
    if (!onMeasured)
        for (const std::size_t i : {firstAt, lastAt})
            marks->AddPoint(voltages[i], inverseSquares[i] * InverseSquareNanofarads, {}, clAutoColor);
    marks->EndUpdate();
    const double span = last - first;
    const bool reach = fit.V0 >= first - 10 * span && fit.V0 <= last + 10 * span;
    auto* line = new TLineSeries(this);
    line->SetName("FitLine");
    line->SetSeriesColor(FitColor);
    line->Pen()->SetStyle(psDash);
    line->Pen()->SetWidth(1);
    const double from = reach ? std::min(first, fit.V0) : first, to = reach ? std::max(last, fit.V0) : last;
    for (const double v : {from, to})
        line->AddPoint(v, reach && v == fit.V0 ? 0.0 : (fit.Intercept + fit.Slope * v) * InverseSquareNanofarads, {},
                       clAutoColor);
    line->SetParentChart(ChartC2V);
    marks->SetParentChart(ChartC2V);
    fitLine_ = line;
    fitPoints_ = marks;

    ResultsChanged();
}

std::optional<TChartNote> TFormPNJunction::FitBox() const {
    if (!fit_ || fitPoints_ == nullptr) return std::nullopt;
    const LineFit& fit = *fit_;
    // The box shows the slope in the chart's own units too, the area the
    // doping was read with, and how near N_eff comes to the doping of the
    // run on the charts now; it keeps the fitted points in view.
    TChartNote box;
    box.place = TChartNote::Place::BestCorner;
    box.avoidFrom = fitPoints_->XValues()->MinValue();
    box.avoidTo = fitPoints_->XValues()->MaxValue();
    box.lines = {"slope " + Short(fit.Slope * InverseSquareNanofarads) + " nF^-2/V",
                 "  = " + Short(fit.Slope) + " F^-2/V", "V0 " + Short(fit.V0) + " V",
                 "A " + Short(run_.fit.areaSquareMillimetres) + " mm²", "N_eff " + Short(fit.Neff) + " cm^-3"};
    if (run_.complete) {
        const double na = run_.used.AcceptorDensity, nd = run_.used.DonorDensity;
        box.lines.push_back("  = " + Short(100 * fit.Neff / (na * nd / (na + nd))) + " % of NaNd/(Na+Nd)");
    }
    box.lines.push_back("R² " + Short(fit.R2));
    box.lines.push_back("points " + std::to_string(fit.Points));
    if (fitOnMeasured_) box.lines.push_back("C in " + run_.fit.measuredUnit);
    return box;
}

}  // namespace cvcalc
