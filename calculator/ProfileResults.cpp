// The doping profile from the C-V points and the grading exponent of the
// junction: the analysis after the straight line, for real diodes whose
// doping changes with depth or whose junction is graded.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

#include "analysis/DopingProfile.h"
#include "analysis/GradingFit.h"
#include "calculator/Pnjunction.h"
#include "calculator/Profile.h"
#include "chart/ChartAxis.h"
#include "chart/ChartPen.h"
#include "chart/ChartSeries.h"
#include "chart/ChartValueList.h"
#include "chart/CustomChart.h"
#include "chart/CustomSeries.h"
#include "framework/Edit.h"
#include "framework/Label.h"
#include "numtext/FloatFormat.h"
#include "platform/core/MessageTable.h"
#include "platform/core/Translate.h"

namespace cvcalc {

namespace {

constexpr double PicofaradsPerFarad = 1e12;
constexpr TColor GradingColor = 0x000000;
// The fitted law is drawn through this many voltages over the fitted span.
constexpr int GradingCurveSamples = 200;

std::string Short(double value) { return FormatFloatKind(value, FloatTextKind::General, 6, 0); }

// k as typed: a whole number 1 … 25, blanks around it allowed; anything
// else raises the message that says what k may be.
int ReadHalfWidth(const std::string& typed) {
    const auto first = typed.find_first_not_of(" \t");
    const auto last = typed.find_last_not_of(" \t");
    int k = 0;
    bool read = false;
    if (first != std::string::npos) {
        const char* begin = typed.data() + first;
        const char* end = typed.data() + last + 1;
        const auto [ptr, ec] = std::from_chars(begin, end, k);
        read = ec == std::errc() && ptr == end;
    }
    if (!read || k < MinimumProfileHalfWidth || k > MaximumProfileHalfWidth)
        throw EProfileError(LoadMessageFormatted(msg::ProfileWindowOutOfRange, {typed}));
    return k;
}

// The visible voltages of a chart's bottom axis, as the chart shows them
// now.
void VisibleVoltages(TChart* chart, double& vmin, double& vmax) {
    chart->PaintToBitmap();
    const TChartAxis& bottom = *chart->BottomAxis();
    vmin = std::min(bottom.WorkingMinimum(), bottom.WorkingMaximum());
    vmax = std::max(bottom.WorkingMinimum(), bottom.WorkingMaximum());
}

}  // namespace

TFormPNJunction::TCapacitanceData TFormPNJunction::CapacitanceData(TChart* chart) {
    TCapacitanceData data;
    VisibleVoltages(chart, data.vmin, data.vmax);
    data.onMeasured = HasMeasuredData();
    if (data.onMeasured) {
        data.voltages = measuredVoltages_;
        data.capacitances = measuredCapacitances_;
        data.inverseSquares = measuredInverseSquares_;
    } else if (run_.complete && !run_.laterFailure.capacitanceCurvesReplaced) {
        // The computed curve while the charts show the recorded run's;
        // after a bias at Vbi they show another run's sweep.
        const std::size_t n = std::min(
            {result_.SweepVoltages.Size(), result_.SweepCapacitances.Size(), result_.SweepInverseSquares.Size()});
        data.voltages = {result_.SweepVoltages.Data(), n};
        data.capacitances = {result_.SweepCapacitances.Data(), n};
        data.inverseSquares = {result_.SweepInverseSquares.Data(), n};
    }
    return data;
}

void TFormPNJunction::ShowDopingProfile(const std::string& typedHalfWidth) {
    std::string typed = typedHalfWidth;
    if (typed.empty()) typed = FormProfile != nullptr ? FormProfile->EditHalfWidth->Text() : "3";
    const int k = ReadHalfWidth(typed);
    const TCapacitanceData data = CapacitanceData(ChartCV);
    const double areaMm2 = FitArea();
    // Everything that can fail is done before anything changes.
    const DopingProfile profile =
        ComputeDopingProfile(data.voltages, data.inverseSquares, data.vmin, data.vmax, k, areaMm2 * 1e-6, constants_);

    ProfileRecord record;
    record.present = true;
    record.onMeasured = data.onMeasured;
    record.halfWidth = k;
    record.vmin = data.vmin;
    record.vmax = data.vmax;
    record.areaSquareMillimetres = areaMm2;
    record.pointsInRange = profile.PointsInRange;
    record.leftOut = profile.LeftOut;
    record.unresolved = profile.Unresolved;
    for (const ProfilePoint& p : profile.Points) record.points.push_back({p.Depth, p.Density, p.Resolved});
    run_.profile = std::move(record);

    if (FormProfile == nullptr) {
        FormProfile = new TFormProfile(this);
        FormProfile->OnRecalculate = [this](const std::string& text) { ShowDopingProfile(text); };
        FormProfile->ChartProfile->SetOnContextPopup(TCustomChart::TContextPopupEvent(
            [this](TObject* sender, int x, int y) { ChartContextPopup(sender, x, y); }));
    }
    FormProfile->EditHalfWidth->SetText(std::to_string(k));
    ShowProfileRecord();
    FormProfile->Show();
    ResultsChanged();
}

void TFormPNJunction::ShowProfileRecord() {
    if (FormProfile == nullptr) return;
    const ProfileRecord& record = run_.profile;
    TFormProfile& window = *FormProfile;
    for (TChartSeries* series : std::initializer_list<TChartSeries*>{window.ProfileResolved, window.ProfileUnresolved,
                                                                     window.ReferenceDensity, window.ReferenceNeff})
        series->ClearPoints();
    double wmin = 0, wmax = 0;
    if (record.present && !record.points.empty()) {
        window.ProfileResolved->BeginUpdate();
        window.ProfileUnresolved->BeginUpdate();
        // In voltage order the depth falls: added from the deepest point
        // up, the depths arrive ascending, as the series keeps them.
        for (auto p = record.points.rbegin(); p != record.points.rend(); ++p)
            (p->resolved ? window.ProfileResolved : window.ProfileUnresolved)
                ->AddPoint(p->depthMicrometres, p->density, {}, clAutoColor);
        window.ProfileResolved->EndUpdate();
        window.ProfileUnresolved->EndUpdate();
        wmin = record.points.back().depthMicrometres;
        wmax = record.points.front().depthMicrometres;
        // The run's Na·Nd/(Na + Nd), and a fitted line's N_eff, across the
        // profile's depths.
        if (run_.complete) {
            const double na = run_.used.AcceptorDensity, nd = run_.used.DonorDensity;
            for (const double w : {wmin, wmax})
                window.ReferenceDensity->AddPoint(w, na * nd / (na + nd), {}, clAutoColor);
        }
        if (fit_)
            for (const double w : {wmin, wmax}) window.ReferenceNeff->AddPoint(w, fit_->Neff, {}, clAutoColor);
        // The density axis spans whole decades around the profile and its
        // references, so that a flat profile is a flat line, not noise
        // magnified across the whole height.
        double nmin = record.points.front().density, nmax = nmin;
        for (const ProfilePointRecord& p : record.points)
            nmin = std::min(nmin, p.density), nmax = std::max(nmax, p.density);
        for (const TChartSeries* reference : {window.ReferenceDensity, window.ReferenceNeff})
            if (reference->PointCount() > 0)
                nmin = std::min(nmin, reference->YValues()->MinValue()),
                nmax = std::max(nmax, reference->YValues()->MaxValue());
        const double low = std::pow(10.0, std::floor(std::log10(nmin) - 1e-9));
        const double high = std::pow(10.0, std::ceil(std::log10(nmax) + 1e-9));
        if (std::isfinite(low) && std::isfinite(high) && low > 0 && high > low)
            window.ChartProfile->LeftAxis()->SetMinMax(low, high);
    }
    window.LabelSource->SetCaption(
        !record.present ? std::string()
                        : (record.onMeasured ? Tr("Profile", "測定データから") : Tr("Profile", "計算曲線から")));
    std::vector<TChartNote> notes;
    if (std::optional<TChartNote> box = ProfileBox()) notes.push_back(std::move(*box));
    window.ChartProfile->SetNotes(std::move(notes));
    window.ChartProfile->ChartInvalidate();
}

std::optional<TChartNote> TFormPNJunction::ProfileBox() const {
    const ProfileRecord& record = run_.profile;
    if (!record.present) return std::nullopt;
    TChartNote box;
    box.place = TChartNote::Place::BestCorner;
    const std::string k = std::to_string(record.halfWidth);
    box.lines = {
        FillArgs(Tr("Profile", "窓 2k + 1 = %1 点 (k = %2)"), {std::to_string(2 * record.halfWidth + 1), k}),
        FillArgs(Tr("Profile", "点 %1 / 範囲内 %2"),
                 {std::to_string(record.points.size()), std::to_string(record.pointsInRange)}),
        FillArgs(Tr("Profile", "除外 %1 点 (1/C² の傾きが 0 または正)"), {std::to_string(record.leftOut)}),
        FillArgs(Tr("Profile", "分解能外 %1 点 (W < 3 L_D、白抜き)"), {std::to_string(record.unresolved)}),
        "A " + Short(record.areaSquareMillimetres) + " mm²",
    };
    if (run_.complete) box.lines.push_back("NaNd/(Na+Nd) — " + Tr("Profile", "赤線"));
    if (fit_) box.lines.push_back("N_eff " + Short(fit_->Neff) + " cm^-3 — " + Tr("Profile", "破線"));
    return box;
}

void TFormPNJunction::ClearProfile() {
    run_.profile = ProfileRecord{};
    ShowProfileRecord();
}

void TFormPNJunction::FitGradingCurve() {
    const TCapacitanceData data = CapacitanceData(ChartCV);
    const GradingFit fit = FitGradingExponent(data.voltages, data.capacitances, data.vmin, data.vmax);

    ClearGrading();
    GradingRecord& record = run_.grading;
    record =
        GradingRecord{true,   data.onMeasured, data.vmin, data.vmax,  fit.M,
                      fit.V0, fit.C0,          fit.R2,    fit.Points, data.onMeasured ? measuredUnit_ : std::string()};
    // The fitted law over the span of the points it went through.
    double first = data.vmax, last = data.vmin;
    for (const double v : data.voltages)
        if (data.vmin <= v && v <= data.vmax) first = std::min(first, v), last = std::max(last, v);
    auto* curve = new TLineSeries(this);
    curve->SetName("GradingCurve");
    curve->SetSeriesColor(GradingColor);
    curve->Pen()->SetStyle(psDashDot);
    curve->Pen()->SetWidth(1);
    curve->BeginUpdate();
    for (int i = 0; i <= GradingCurveSamples; ++i) {
        const double v = i == GradingCurveSamples ? last : first + (last - first) * i / GradingCurveSamples;
        curve->AddPoint(v, fit.C0 * std::pow(1 - v / fit.V0, -fit.M) * PicofaradsPerFarad, {}, clAutoColor);
    }
    curve->EndUpdate();
    curve->SetParentChart(ChartCV);
    gradingCurve_ = curve;
    ResultsChanged();
}

std::optional<TChartNote> TFormPNJunction::GradingBox() const {
    const GradingRecord& g = run_.grading;
    if (!g.present || gradingCurve_ == nullptr) return std::nullopt;
    TChartNote box;
    box.place = TChartNote::Place::BestCorner;
    box.avoidFrom = gradingCurve_->XValues()->MinValue();
    box.avoidTo = gradingCurve_->XValues()->MaxValue();
    box.lines = {"C = C0 (1 - V/V0)^(-m)",   "m " + Short(g.M),
                 "V0 " + Short(g.V0) + " V", "C0 " + Short(g.C0 * PicofaradsPerFarad) + " pF",
                 "R² " + Short(g.R2),        FillArgs(Tr("Profile", "点 %1"), {std::to_string(g.Points)})};
    return box;
}

void TFormPNJunction::ClearGrading() {
    delete gradingCurve_;
    gradingCurve_ = nullptr;
    run_.grading = GradingRecord{};
    UpdateChartNotes();
}

void TFormPNJunction::DropComputedCurveAnalyses() {
    if (fit_ && !fitOnMeasured_) ClearFit();
    if (run_.profile.present && !run_.profile.onMeasured) ClearProfile();
    if (run_.grading.present && !run_.grading.onMeasured) ClearGrading();
}

}  // namespace cvcalc
