// The calculator from the keyboard and to assistive technology: the
// window's keys that choose a chart and open its menu, the names its edits
// take from their labels, and what each chart is said to show.
#include <string>
#include <vector>

#include "calculator/Pnjunction.h"
#include "chart/CustomChart.h"
#include "framework/Edit.h"
#include "framework/Label.h"
#include "numtext/FloatFormat.h"
#include "platform/core/Translate.h"
#include "results/RunReport.h"

namespace cvcalc {

namespace {

// Each input box with the label to its left, which names it, and the unit
// label to its right, as the form lays them out on one row.  The name is
// the label's own Japanese text; an English label shortened to fit its
// place ("Donors") is spoken in full ("Donor density").
struct TInputLabels {
    TEdit* TFormPNJunction::*Edit;
    const char* Name;
    TLabel* TFormPNJunction::*Unit;
};
constexpr TInputLabels InputLabels[] = {
    {&TFormPNJunction::EditDonorDensity, TrNoop("AccessibleNames", "ドナー密度"), &TFormPNJunction::Label4},
    {&TFormPNJunction::EditAcceptorDensity, TrNoop("AccessibleNames", "アクセプタ密度"), &TFormPNJunction::Label6},
    {&TFormPNJunction::EditJunctionArea, TrNoop("AccessibleNames", "接合面積"), &TFormPNJunction::Label17},
    {&TFormPNJunction::EditBias, TrNoop("AccessibleNames", "印加電圧"), &TFormPNJunction::Label15},
};

// A number for the ear: six significant digits, as the fit's box writes.
std::string Spoken(double value) { return FormatFloatKind(value, FloatTextKind::General, 6, 0); }

}  // namespace

bool TFormPNJunction::IsShortCut(int key, ShiftState shift) {
    const ShiftState modifiers = shift & (shift::Shift | shift::Ctrl | shift::Alt);
    const auto charts = ReportCharts();
    if (modifiers == shift::Ctrl && key >= '1' && key < '1' + static_cast<int>(charts.size())) {
        ChooseChart(charts[static_cast<std::size_t>(key - '1')]);
        return true;
    }
    if ((key == vk::Apps && modifiers == 0) || (key == vk::F10 && modifiers == shift::Shift)) {
        OpenChartMenuFromKeyboard();
        return true;
    }
    return false;
}

void TFormPNJunction::ChooseChart(TChart* chart) {
    lastUsedChart_ = chart;
    if (chart->CanFocus()) chart->SetFocus();
}

void TFormPNJunction::OpenChartMenuFromKeyboard() {
    TChart* chart = lastUsedChart_ != nullptr ? lastUsedChart_ : ChartCV;
    ChartContextPopup(chart, chart->ClientWidth() / 2, chart->ClientHeight() / 2);
}

void TFormPNJunction::NameControls() {
    for (const TInputLabels& row : InputLabels)
        (this->*row.Edit)->SetAccessibleName(Tr("AccessibleNames", row.Name) + ", " + (this->*row.Unit)->Caption());
    const auto charts = ReportCharts();
    for (std::size_t i = 0; i < charts.size(); ++i) charts[i]->SetAccessibleName(ChartCaption(i));
    DescribeCharts();
}

std::string TFormPNJunction::ChartDescription(const TChart* chart) const {
    std::string text;
    if (run_.complete)
        text = FillArgs(Tr("ChartDescription",
                           "計算: ドナー密度 %1 cm^-3, アクセプタ密度 %2 cm^-3, 接合面積 %3 mm^2, 印加電圧 %4 V。"),
                        {run_.usedText[0], run_.usedText[1], run_.usedText[2], run_.usedText[3]});
    else
        text = Tr("ChartDescription", "計算結果はまだありません。");
    if (run_.laterFailure.present)
        text += FillArgs(Tr("ChartDescription", "その後の計算は入力エラーで止まりました: %1。"),
                         {run_.laterFailure.message});
    if (run_.complete) {
        const double xn = run_.DepletionWidthN * 1e6, xp = run_.DepletionWidthP * 1e6;
        if (chart == ChartEnergyBand)
            text += FillArgs(Tr("ChartDescription", "拡散電位 %1 V, 伝導帯の段差 %2 eV。"),
                             {run_.diffusionPotentialText, Spoken(run_.ConductionBandOffset)});
        else if (chart == ChartChargeDensity)
            text += FillArgs(Tr("ChartDescription", "空乏層幅 n側 %1 μm, p側 %2 μm。"), {Spoken(xn), Spoken(xp)});
        else if (chart == ChartVoltage)
            text += FillArgs(Tr("ChartDescription", "拡散電位 %1 V, n側の電位降下 %2 V。"),
                             {run_.diffusionPotentialText, Spoken(run_.NSideDrop)});
        else if (chart == ChartCV)
            text +=
                FillArgs(Tr("ChartDescription", "印加電圧での容量 C %1 pF。"), {Spoken(run_.BiasCapacitance * 1e12)});
        else if (chart == ChartC2V)
            text += FillArgs(Tr("ChartDescription", "印加電圧での 1/C² %1 nF^-2。"),
                             {Spoken(run_.BiasInverseSquare * 1e-18)});
    }
    if (chart == ChartCV || chart == ChartC2V) {
        const std::vector<HeldRunInputs> held = HeldRunsInputs();
        if (!held.empty()) {
            std::string list;
            for (const HeldRunInputs& run : held) list += (list.empty() ? "" : "; ") + run.inputs;
            text += FillArgs(Tr("ChartDescription", "保持した計算 %1 件: %2。"), {std::to_string(held.size()), list});
        }
        if (HasMeasuredData())
            text += FillArgs(Tr("ChartDescription", "測定データを表示中 (C の単位 %1)。"), {measuredUnit_});
        if (fit_)
            text += FillArgs(Tr("ChartDescription", "直線フィット: V0 %1 V, N_eff %2 cm^-3, R² %3, %4 点。"),
                             {Spoken(fit_->V0), Spoken(fit_->Neff), Spoken(fit_->R2), std::to_string(fit_->Points)});
    }
    return text;
}

void TFormPNJunction::DescribeCharts() {
    for (TChart* chart : ReportCharts()) chart->SetAccessibleDescription(ChartDescription(chart));
}

}  // namespace cvcalc
