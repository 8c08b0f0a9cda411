// TFormPNJunction: initial texts, reset, the laboratory button and the
// calculation run from the four edit texts to the eleven series.
#include "calculator/Pnjunction.h"

#include <algorithm>

#include "chart/ChartSeries.h"
#include "chart/CustomChart.h"
#include "chart/CustomSeries.h"
#include "framework/Button.h"
#include "framework/Edit.h"
#include "framework/Image.h"
#include "framework/Label.h"
#include "help/Html.h"
#include "numtext/FloatFormat.h"
#include "numtext/FloatParse.h"
#include "physics/Junction.h"
#include "platform/core/FloatControl.h"
#include "platform/core/RuntimeFaults.h"
#include "platform/gui/WebBrowser.h"
#include "results/RunReport.h"
#include "shell/core/ClassInfo.h"

namespace cvcalc {

TFormPNJunction* FormPNJunction = nullptr;

namespace {

constexpr double MinimumDensity = 1e14;
constexpr double ShortFormLimit = 1e15;
constexpr double MaximumDensity = 1e18;
constexpr double MinimumBias = -10;

// The edit's text as the nearest double; 1e400 and the like overflow here.
double ConvertEdit(const TEdit* edit) { return NarrowToDouble(ParseFloat(edit->Text())); }

// Holds one series in an update batch for a scope: the points added inside
// ask for one repaint at the end instead of one each, and a failure ends the
// batch all the same.
class TUpdateBatch {
public:
    explicit TUpdateBatch(TChartSeries* series) : series_(series) { series_->BeginUpdate(); }
    ~TUpdateBatch() { series_->EndUpdate(); }
    TUpdateBatch(const TUpdateBatch&) = delete;
    TUpdateBatch& operator=(const TUpdateBatch&) = delete;

private:
    TChartSeries* series_;
};

}  // namespace

std::string DensityShortText(double density) {
    const long double units = static_cast<long double>(density) / 1e14L;
    return FloatToGeneralText(units) + "E14";
}

const TClassInfo& TFormPNJunction::StaticClassInfo() {
    using F = TFormPNJunction;
    static const TClassInfo info = TClassBuilder<F>("TFormPNJunction", TForm::StaticClassInfo())
                                       .Field("Label1", &F::Label1)
                                       .Field("Label2", &F::Label2)
                                       .Field("Label3", &F::Label3)
                                       .Field("Label4", &F::Label4)
                                       .Field("Label5", &F::Label5)
                                       .Field("Label6", &F::Label6)
                                       .Field("Label7", &F::Label7)
                                       .Field("LabelDiffusionPotential", &F::LabelDiffusionPotential)
                                       .Field("Label8", &F::Label8)
                                       .Field("Label9", &F::Label9)
                                       .Field("Label10", &F::Label10)
                                       .Field("LabelDonorDensity", &F::LabelDonorDensity)
                                       .Field("LabelAcceptorDensity", &F::LabelAcceptorDensity)
                                       .Field("Label11", &F::Label11)
                                       .Field("Label12", &F::Label12)
                                       .Field("Label13", &F::Label13)
                                       .Field("Label14", &F::Label14)
                                       .Field("Label15", &F::Label15)
                                       .Field("Label16", &F::Label16)
                                       .Field("Label17", &F::Label17)
                                       .Field("LabelBias", &F::LabelBias)
                                       .Field("Label18", &F::Label18)
                                       .Field("Label19", &F::Label19)
                                       .Field("LabelJunctionArea", &F::LabelJunctionArea)
                                       .Field("Label20", &F::Label20)
                                       .Field("Label24", &F::Label24)
                                       .Field("Image1", &F::Image1)
                                       .Field("Image2", &F::Image2)
                                       .Field("Label25", &F::Label25)
                                       .Field("Label26", &F::Label26)
                                       .Field("Image3", &F::Image3)
                                       .Field("ButtonHTML", &F::ButtonHTML)
                                       .Field("ChartCV", &F::ChartCV)
                                       .Field("ChartC2V", &F::ChartC2V)
                                       .Field("ChartEnergyBand", &F::ChartEnergyBand)
                                       .Field("Label21", &F::Label21)
                                       .Field("Label22", &F::Label22)
                                       .Field("Label23", &F::Label23)
                                       .Field("ChartChargeDensity", &F::ChartChargeDensity)
                                       .Field("ChartVoltage", &F::ChartVoltage)
                                       .Field("EditDonorDensity", &F::EditDonorDensity)
                                       .Field("EditAcceptorDensity", &F::EditAcceptorDensity)
                                       .Field("ButtonCalcuationCV", &F::ButtonCalcuationCV)
                                       .Field("EditBias", &F::EditBias)
                                       .Field("EditJunctionArea", &F::EditJunctionArea)
                                       .Field("ButtonReset", &F::ButtonReset)
                                       .Field("Series1", &F::Series1)
                                       .Field("Series12", &F::Series12)
                                       .Field("Series2", &F::Series2)
                                       .Field("Series11", &F::Series11)
                                       .Field("Series3", &F::Series3)
                                       .Field("Series4", &F::Series4)
                                       .Field("Series5", &F::Series5)
                                       .Field("Series6", &F::Series6)
                                       .Field("Series7", &F::Series7)
                                       .Field("Series8", &F::Series8)
                                       .Field("Series9", &F::Series9)
                                       .Method("ButtonCalcuationCVClick", &F::ButtonCalcuationCVClick)
                                       .Method("ButtonResetClick", &F::ButtonResetClick)
                                       .Method("ButtonHTMLClick", &F::ButtonHTMLClick);
    return info;
}

TFormPNJunction::TFormPNJunction(TComponent* owner) : TForm(owner) {
    ReadDescription();
    WriteDefaultInputs();
    LabelDiffusionPotential->SetCaption("0");
    LabelDonorDensity->SetCaption("0");
    LabelAcceptorDensity->SetCaption("0");
    LabelJunctionArea->SetCaption("0");
    LabelBias->SetCaption("0");
    for (TChart* chart : ReportCharts()) {
        chart->SetOnContextPopup(TCustomChart::TContextPopupEvent(
            [this](TObject* sender, int x, int y) { ChartContextPopup(sender, x, y); }));
        chart->SetOnUserInput(TNotifyEvent([this](TObject* sender) { lastUsedChart_ = static_cast<TChart*>(sender); }));
    }
    lastUsedChart_ = ChartCV;
    NameControls();
    // The report page is made from this window's last run whenever the
    // help window asks for it; its two links come back here.
    SetGeneratedPage(std::string(RunReportPageName), [this] { return RunReportPage(run_, ReportFigures()); });
    SetPageActionHandler([this](std::string_view action) { ReportPageAction(action); });
}

TFormPNJunction::~TFormPNJunction() {
    SetGeneratedPage(std::string(RunReportPageName), nullptr);
    SetPageActionHandler(nullptr);
}

const std::array<TRunSeries, 11> RunSeries{{
    {&TFormPNJunction::ChartCV, 0, "Series1", &JunctionResult::CapacitanceCurve},
    {&TFormPNJunction::ChartCV, 1, "Series12", &JunctionResult::CapacitanceMarker},
    {&TFormPNJunction::ChartC2V, 0, "Series2", &JunctionResult::InverseSquareCurve},
    {&TFormPNJunction::ChartC2V, 1, "Series11", &JunctionResult::InverseSquareMarker},
    {&TFormPNJunction::ChartEnergyBand, 0, "Series3", &JunctionResult::ConductionBandCurve},
    {&TFormPNJunction::ChartEnergyBand, 1, "Series4", &JunctionResult::ValenceBandCurve},
    {&TFormPNJunction::ChartEnergyBand, 2, "Series5", &JunctionResult::FermiLevelN},
    {&TFormPNJunction::ChartEnergyBand, 3, "Series6", &JunctionResult::FermiLevelP},
    {&TFormPNJunction::ChartChargeDensity, 0, "Series7", &JunctionResult::DonorChargeOutline},
    {&TFormPNJunction::ChartChargeDensity, 1, "Series8", &JunctionResult::AcceptorChargeOutline},
    {&TFormPNJunction::ChartVoltage, 0, "Series9", &JunctionResult::PotentialCurve},
}};

TChartSeries* TFormPNJunction::SeriesShowing(PlotPoints JunctionResult::*list) const {
    for (const TRunSeries& row : RunSeries)
        if (row.Points == list) return (this->*row.Chart)->SeriesAt(row.Index);
    throw Exception("no series shows this result list");
}

void TFormPNJunction::FillFromResult(PlotPoints JunctionResult::*list) {
    TChartSeries* series = SeriesShowing(list);
    TUpdateBatch batch(series);
    series->ClearPoints();
    for (const PlotPoint& p : result_.*list) series->AddPoint(p.X, p.Y, {}, clAutoColor);
}

void TFormPNJunction::WriteDefaultInputs() {
    EditDonorDensity->SetText(FloatToGeneralText(1e15L));
    EditAcceptorDensity->SetText(FloatToGeneralText(1e15L));
    EditJunctionArea->SetText(std::to_string(1));
    EditBias->SetText(std::to_string(-10));
}

void TFormPNJunction::ButtonResetClick(TObject*) {
    WriteDefaultInputs();
    LabelDiffusionPotential->SetCaption("0");
    LabelDonorDensity->SetCaption("0");
    LabelAcceptorDensity->SetCaption("0");
    LabelBias->SetCaption("0");
    LabelJunctionArea->SetCaption("0");
    for (const TRunSeries& row : RunSeries) (this->*row.Chart)->SeriesAt(row.Index)->ClearPoints();
    // Held runs, measured points and a line fitted to them are the
    // student's own work, with menu items of their own to clear them; a
    // line through the computed curve goes with the curve.
    DropComputedCurveAnalyses();
    const FitRecord measuredFit = run_.fit;
    const ProfileRecord measuredProfile = run_.profile;
    const GradingRecord measuredGrading = run_.grading;
    run_ = RunRecord{};
    run_.fit = measuredFit;
    run_.profile = measuredProfile;
    run_.grading = measuredGrading;
    ResultsChanged();
}

void TFormPNJunction::ButtonHTMLClick(TObject*) { FormHTML->ShowHomePage(); }

double TFormPNJunction::AcceptDensity(TEdit* edit, TLabel* label) {
    double n = ConvertEdit(edit);
    std::string text;
    if (n < MinimumDensity) {
        n = MinimumDensity;
        text = "1E14";
    } else if (n < ShortFormLimit) {
        // The echo shows the density the run computes with, so a second
        // press reads back the same value.
        text = DensityShortText(n);
    } else {
        if (n > MaximumDensity) n = MaximumDensity;
        text = FloatToGeneralText(n);
    }
    edit->SetText(text);
    label->SetCaption(text);
    return n;
}

void TFormPNJunction::ButtonCalcuationCVClick(TObject*) {
    const std::array<std::string, 4> typed = {EditDonorDensity->Text(), EditAcceptorDensity->Text(),
                                              EditJunctionArea->Text(), EditBias->Text()};
    // Curves a bias at Vbi replaced stay on the charts until a run completes.
    bool curvesReplaced = run_.laterFailure.capacitanceCurvesReplaced;
    try {
        Calculate(typed, curvesReplaced);
    } catch (const std::exception& error) {
        // The record keeps the last completed run, which the charts still
        // show, and learns that a later one stopped here.
        run_.laterFailure = FailedRunRecord{true, typed, error.what(), curvesReplaced};
        ResultsChanged();
        throw;
    }
    ResultsChanged();
}

void TFormPNJunction::Calculate(const std::array<std::string, 4>& typed, bool& curvesReplaced) {
    constants_ = MaterialConstants{};

    inputs_.DonorDensity = AcceptDensity(EditDonorDensity, LabelDonorDensity);
    inputs_.AcceptorDensity = AcceptDensity(EditAcceptorDensity, LabelAcceptorDensity);

    double area = ConvertEdit(EditJunctionArea);
    if (area < MinimumJunctionArea) area = MinimumJunctionArea;
    if (area > MaximumJunctionArea) area = MaximumJunctionArea;
    EditJunctionArea->SetText(FloatToGeneralText(area));
    LabelJunctionArea->SetCaption(FloatToGeneralText(area));
    inputs_.JunctionArea = area;

    const double vbi = ComputeDiffusionPotential(constants_, inputs_.DonorDensity, inputs_.AcceptorDensity);
    LabelDiffusionPotential->SetCaption(FloatToGeneralText(vbi));
    const double maximumBias = ComputeMaximumBias(vbi);

    double bias = ConvertEdit(EditBias);
    if (bias > maximumBias)
        bias = maximumBias;
    else if (bias < MinimumBias)
        bias = MinimumBias;
    LabelBias->SetCaption(FloatToGeneralText(bias));
    EditBias->SetText(FloatToGeneralText(bias));
    inputs_.Bias = bias;

    TChartSeries* cv = SeriesShowing(&JunctionResult::CapacitanceCurve);
    TChartSeries* c2v = SeriesShowing(&JunctionResult::InverseSquareCurve);
    TUpdateBatch cvBatch(cv);
    TUpdateBatch c2vBatch(c2v);
    try {
        SolveJunction(constants_, inputs_, result_);
    } catch (const EZeroDivide&) {
        // A bias exactly at Vbi fails after the sweep is complete: its two
        // curves are shown, everything else keeps the previous run.  A line
        // fitted to the curve it replaces goes with it.
        curvesReplaced = true;
        DropComputedCurveAnalyses();
        cv->ClearPoints();
        c2v->ClearPoints();
        const std::size_t n = std::min(result_.CapacitanceCurve.size(), result_.InverseSquareCurve.size());
        for (std::size_t i = 0; i < n; ++i) {
            cv->AddPoint(result_.CapacitanceCurve[i].X, result_.CapacitanceCurve[i].Y, {}, clAutoColor);
            c2v->AddPoint(result_.InverseSquareCurve[i].X, result_.InverseSquareCurve[i].Y, {}, clAutoColor);
        }
        throw;
    }

    cv->ClearPoints();
    c2v->ClearPoints();
    for (std::size_t i = 0; i < result_.CapacitanceCurve.size(); ++i) {
        cv->AddPoint(result_.CapacitanceCurve[i].X, result_.CapacitanceCurve[i].Y, {}, clAutoColor);
        c2v->AddPoint(result_.InverseSquareCurve.at(i).X, result_.InverseSquareCurve.at(i).Y, {}, clAutoColor);
    }

    TChartSeries* cvMarker = SeriesShowing(&JunctionResult::CapacitanceMarker);
    TChartSeries* c2vMarker = SeriesShowing(&JunctionResult::InverseSquareMarker);
    cvMarker->ClearPoints();
    c2vMarker->ClearPoints();
    for (const PlotPoint& p : result_.CapacitanceMarker) cvMarker->AddPoint(p.X, p.Y, {}, clAutoColor);
    for (const PlotPoint& p : result_.InverseSquareMarker) c2vMarker->AddPoint(p.X, p.Y, {}, clAutoColor);

    FillFromResult(&JunctionResult::PotentialCurve);

    TChartSeries* ec = SeriesShowing(&JunctionResult::ConductionBandCurve);
    TChartSeries* ev = SeriesShowing(&JunctionResult::ValenceBandCurve);
    TUpdateBatch ecBatch(ec);
    TUpdateBatch evBatch(ev);
    ec->ClearPoints();
    ev->ClearPoints();
    for (std::size_t i = 0; i < result_.ConductionBandCurve.size(); ++i) {
        ec->AddPoint(result_.ConductionBandCurve[i].X, result_.ConductionBandCurve[i].Y, {}, clAutoColor);
        ev->AddPoint(result_.ValenceBandCurve.at(i).X, result_.ValenceBandCurve.at(i).Y, {}, clAutoColor);
    }

    FillFromResult(&JunctionResult::FermiLevelN);
    FillFromResult(&JunctionResult::FermiLevelP);
    FillFromResult(&JunctionResult::DonorChargeOutline);
    FillFromResult(&JunctionResult::AcceptorChargeOutline);

    // The record describes a run only once it has completed; a line fitted
    // to the computed curve goes with that curve.
    DropComputedCurveAnalyses();
    run_.typed = typed;
    run_.used = inputs_;
    run_.usedText = {LabelDonorDensity->Caption(), LabelAcceptorDensity->Caption(), LabelJunctionArea->Caption(),
                     LabelBias->Caption()};
    run_.diffusionPotentialText = LabelDiffusionPotential->Caption();
    run_.constants = constants_;
    RecordJunctionNumbers(run_, result_, maximumBias);
}

}  // namespace cvcalc
