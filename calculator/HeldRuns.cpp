// Held runs: a run's curves kept on the charts while the inputs change, so
// that one input's effect shows against the curves before.
#include <algorithm>
#include <string>
#include <typeinfo>

#include "calculator/Pnjunction.h"
#include "chart/ChartPen.h"
#include "chart/ChartSeries.h"
#include "chart/ChartValueList.h"
#include "chart/CustomChart.h"
#include "chart/CustomSeries.h"
#include "chart/SeriesPointer.h"
#include "platform/core/Exception.h"
#include "platform/core/MessageTable.h"

namespace cvcalc {

namespace {

constexpr int NothingToHoldMessage = 65222;

// Halfway to white: the held curve is the same hue, lighter.
TColor Tint(TColor color) {
    const unsigned r = color & 0xFFu, g = (color >> 8) & 0xFFu, b = (color >> 16) & 0xFFu;
    return TColor(((r + 255) / 2) | (((g + 255) / 2) << 8) | (((b + 255) / 2) << 16));
}

// A lighter, thinner copy of `source`'s look and points.
TCustomSeries* Overlay(TComponent* owner, const TCustomSeries& source) {
    TCustomSeries* copy = dynamic_cast<const TPointSeries*>(&source) != nullptr
                              ? static_cast<TCustomSeries*>(new TPointSeries(owner))
                              : static_cast<TCustomSeries*>(new TLineSeries(owner));
    copy->SetSeriesColor(Tint(source.SeriesColor()));
    copy->Pen()->SetStyle(source.Pen()->Style());
    copy->Pen()->SetWidth(std::max(1, source.Pen()->Width() - 1));
    const TSeriesPointer& from = *source.Pointer();
    TSeriesPointer& to = *copy->Pointer();
    to.SetVisible(from.Visible());
    to.SetStyle(from.Style());
    to.SetHorizSize(std::max(1, from.HorizSize() - 1));
    to.SetVertSize(std::max(1, from.VertSize() - 1));
    copy->BeginUpdate();
    for (int i = 0; i < source.PointCount(); ++i)
        copy->AddPoint(source.XValues()->Value(i), source.YValues()->Value(i), {}, clAutoColor);
    copy->EndUpdate();
    return copy;
}

}  // namespace

void TFormPNJunction::HoldCurves() {
    if (!run_.complete) throw Exception(LoadMessage(NothingToHoldMessage));
    if (HeldRunCount() == MaxHeldRuns) {
        RemoveHeldRun(held_.front());
        held_.erase(held_.begin());
    }
    ++heldNumber_;
    THeldRun run;
    run.tag =
        "Nd " + run_.usedText[0] + " Na " + run_.usedText[1] + " A " + run_.usedText[2] + " V " + run_.usedText[3];
    for (const TRunSeries& row : RunSeries) {
        TChart* chart = this->*row.Chart;
        const auto& source = static_cast<const TCustomSeries&>(*chart->SeriesAt(row.Index));
        TCustomSeries* overlay = Overlay(this, source);
        if (run.series.empty()) run.tagColor = source.SeriesColor();
        overlay->SetName("Held" + std::to_string(heldNumber_) + row.Name);
        overlay->SetParentChart(chart);
        run.series.push_back(overlay);
    }
    held_.push_back(std::move(run));
    UpdateChartNotes();
}

void TFormPNJunction::RemoveHeldRun(THeldRun& run) {
    for (TChartSeries* series : run.series) delete series;
    run.series.clear();
}

void TFormPNJunction::ClearHeldCurves() {
    for (THeldRun& run : held_) RemoveHeldRun(run);
    held_.clear();
    UpdateChartNotes();
}

void TFormPNJunction::UpdateChartNotes() {
    std::vector<TChartNote> tags;
    for (const THeldRun& run : held_) {
        // The tag sits at the high-voltage end of the held C-V curve.
        const TChartSeries& curve = *run.series.front();
        if (curve.PointCount() == 0) continue;
        const int last = curve.PointCount() - 1;
        TChartNote note;
        note.x = curve.XValues()->Value(last);
        note.y = curve.YValues()->Value(last);
        note.lines = {run.tag};
        note.color = run.tagColor;
        tags.push_back(std::move(note));
    }
    if (!(tags.empty() && ChartCV->Notes().empty())) ChartCV->SetNotes(std::move(tags));
}

}  // namespace cvcalc
