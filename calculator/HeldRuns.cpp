// Held runs: a run's curves kept on the charts while the inputs change, so
// that one input's effect shows against the curves before.
#include <algorithm>
#include <cmath>
#include <string>
#include <typeinfo>
#include <utility>
#include <vector>

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

// One look for each of the eight held runs, kept by a run for as long as
// it is held: colours from a palette made for telling lines apart (the
// Okabe–Ito colours and two darker ones, none of them a colour of the
// current run's curves, of the measured points or of the fitted line), and
// for print in grey a dash pattern and a marker shape that differ from the
// neighbouring runs' where the grey is alike.
constexpr TColor Rgb(unsigned r, unsigned g, unsigned b) { return TColor(r | (g << 8) | (b << 16)); }
struct THeldLook {
    TColor color;
    TPenStyle dash;
    TSeriesPointerStyle marker;
};
constexpr THeldLook HeldLooks[TFormPNJunction::MaxHeldRuns] = {
    {Rgb(0xE6, 0x9F, 0x00), psDash, psTriangle},         // orange
    {Rgb(0x56, 0xB4, 0xE9), psDot, psDiamond},           // sky blue
    {Rgb(0x00, 0x9E, 0x73), psDashDot, psDownTriangle},  // bluish green
    {Rgb(0xD5, 0x5E, 0x00), psDashDotDot, psStar},       // vermilion
    {Rgb(0x33, 0x22, 0x88), psDot, psLeftTriangle},      // indigo
    {Rgb(0xCC, 0x79, 0xA7), psDashDotDot, psCross},      // reddish purple
    {Rgb(0x88, 0x66, 0x00), psDash, psRightTriangle},    // dark ochre
    {Rgb(0x77, 0x77, 0x77), psDashDot, psDiagCross},     // grey
};

// The points a held curve keeps: those without which the curve would move
// by more than HeldTolerance of its extent in x or y (a polyline thinned
// from both ends inwards).  At any zoom a student would use that is far
// below a pixel, and a position curve of 2000 points keeps a few hundred,
// so that eight held runs do not make every repaint eight times the work.
constexpr double HeldTolerance = 1e-5;

std::vector<int> KeptPoints(const TChartValueList& xs, const TChartValueList& ys) {
    const int n = xs.Count();
    std::vector<int> kept;
    if (n <= 2) {
        for (int i = 0; i < n; ++i) kept.push_back(i);
        return kept;
    }
    double xLo = xs.Value(0), xHi = xLo, yLo = ys.Value(0), yHi = yLo;
    for (int i = 1; i < n; ++i) {
        xLo = std::min(xLo, xs.Value(i));
        xHi = std::max(xHi, xs.Value(i));
        yLo = std::min(yLo, ys.Value(i));
        yHi = std::max(yHi, ys.Value(i));
    }
    const double xSpan = xHi - xLo, ySpan = yHi - yLo;
    const double sx = xSpan > 0 ? 1 / xSpan : 1, sy = ySpan > 0 ? 1 / ySpan : 1;
    std::vector<char> keep(std::size_t(n), 0);
    keep.front() = keep.back() = 1;
    std::vector<std::pair<int, int>> pending{{0, n - 1}};
    while (!pending.empty()) {
        const auto [a, b] = pending.back();
        pending.pop_back();
        if (b - a < 2) continue;
        const double ax = xs.Value(a) * sx, ay = ys.Value(a) * sy;
        const double dx = xs.Value(b) * sx - ax, dy = ys.Value(b) * sy - ay;
        const double length = std::hypot(dx, dy);
        double worst = -1;
        int at = a + 1;
        for (int i = a + 1; i < b; ++i) {
            const double px = xs.Value(i) * sx - ax, py = ys.Value(i) * sy - ay;
            // Distance from the chord, or from its start where it has none.
            const double d = length > 0 ? std::abs(px * dy - py * dx) / length : std::hypot(px, py);
            if (d > worst) {
                worst = d;
                at = i;
            }
        }
        if (!(worst <= HeldTolerance)) {
            keep[std::size_t(at)] = 1;
            pending.push_back({a, at});
            pending.push_back({at, b});
        }
    }
    for (int i = 0; i < n; ++i)
        if (keep[std::size_t(i)]) kept.push_back(i);
    return kept;
}

// A copy of `source`'s points in the held run's own look, one pixel
// thinner.
TCustomSeries* Overlay(TComponent* owner, const TCustomSeries& source, const THeldLook& look) {
    TCustomSeries* copy = dynamic_cast<const TPointSeries*>(&source) != nullptr
                              ? static_cast<TCustomSeries*>(new TPointSeries(owner))
                              : static_cast<TCustomSeries*>(new TLineSeries(owner));
    copy->SetSeriesColor(look.color);
    copy->Pen()->SetStyle(source.Pen()->Style() == psSolid ? look.dash : source.Pen()->Style());
    copy->Pen()->SetWidth(std::max(1, source.Pen()->Width() - 1));
    const TSeriesPointer& from = *source.Pointer();
    TSeriesPointer& to = *copy->Pointer();
    to.SetVisible(from.Visible());
    to.SetStyle(look.marker);
    to.SetHorizSize(std::max(1, from.HorizSize() - 1));
    to.SetVertSize(std::max(1, from.VertSize() - 1));
    copy->BeginUpdate();
    for (const int i : KeptPoints(*source.XValues(), *source.YValues()))
        copy->AddPoint(source.XValues()->Value(i), source.YValues()->Value(i), {}, clAutoColor);
    copy->EndUpdate();
    return copy;
}

}  // namespace

void TFormPNJunction::HoldCurves() {
    // After a bias at Vbi the C-V charts show another run's sweep than the
    // rest: there is no one run to hold.
    if (!run_.complete || run_.laterFailure.capacitanceCurvesReplaced)
        throw Exception(LoadMessage(NothingToHoldMessage));
    THeldRun run;
    run.tag = RunInputsLine(run_);
    // The first look no run held now has; with eight held, the oldest's,
    // which goes.
    const bool full = HeldRunCount() == MaxHeldRuns;
    for (int look = 0; look < MaxHeldRuns; ++look)
        if (std::none_of(held_.begin() + (full ? 1 : 0), held_.end(),
                         [&](const THeldRun& h) { return h.look == look; })) {
            run.look = look;
            break;
        }
    try {
        for (const TRunSeries& row : RunSeries) {
            TChart* chart = this->*row.Chart;
            const auto& source = static_cast<const TCustomSeries&>(*chart->SeriesAt(row.Index));
            TCustomSeries* overlay = Overlay(this, source, HeldLooks[run.look]);
            run.series.push_back(overlay);
            overlay->SetName("Held" + std::to_string(HeldRunCount() + 1) + row.Name);
            overlay->SetParentChart(chart);
        }
    } catch (...) {
        // Half a held run is none: the charts stay as they were.
        RemoveHeldRun(run);
        throw;
    }
    // The oldest goes only once the new one is complete.
    if (full) {
        RemoveHeldRun(held_.front());
        held_.erase(held_.begin());
        oldestReplaced_ = true;
    }
    held_.push_back(std::move(run));
    NumberHeldRuns();
    ResultsChanged();
}

void TFormPNJunction::NumberHeldRuns() {
    // Held1 is the oldest kept; the names free one by one from the front,
    // so that no two series share a name on the way.
    for (std::size_t k = 0; k < held_.size(); ++k)
        for (std::size_t j = 0; j < held_[k].series.size(); ++j)
            held_[k].series[j]->SetName("Held" + std::to_string(k + 1) + RunSeries[j].Name);
}

void TFormPNJunction::RemoveHeldRun(THeldRun& run) {
    for (TChartSeries* series : run.series) delete series;
    run.series.clear();
}

void TFormPNJunction::ClearHeldCurves() {
    for (THeldRun& run : held_) RemoveHeldRun(run);
    held_.clear();
    oldestReplaced_ = false;
    ResultsChanged();
}

void TFormPNJunction::UpdateChartNotes() {
    for (TChart* chart : ReportCharts()) {
        std::vector<TChartNote> notes;
        // The fit's box chooses its place first: it must leave the fitted
        // points in view, where a legend only names curves.
        if (chart == ChartC2V)
            if (std::optional<TChartNote> box = FitBox()) notes.push_back(std::move(*box));
        if (chart == ChartCV)
            if (std::optional<TChartNote> box = GradingBox()) notes.push_back(std::move(*box));
        // With runs held, a legend names every run on the chart by its
        // inputs beside a stroke of its look.
        if (!held_.empty()) {
            TChartNote legend;
            legend.place = TChartNote::Place::BestCorner;
            if (run_.complete) {
                const TCustomSeries* current = nullptr;
                for (const TRunSeries& row : RunSeries)
                    if (this->*row.Chart == chart && current == nullptr)
                        current = static_cast<const TCustomSeries*>(chart->SeriesAt(row.Index));
                legend.lines.push_back(RunInputsLine(run_));
                legend.swatches.push_back({current->SeriesColor(), current->Pen()->Style()});
            }
            for (std::size_t k = 0; k < held_.size(); ++k) {
                const THeldLook& look = HeldLooks[held_[k].look];
                legend.lines.push_back("held " + std::to_string(k + 1) + ": " + held_[k].tag);
                legend.swatches.push_back({look.color, look.dash});
            }
            if (oldestReplaced_)
                legend.lines.push_back("at most " + std::to_string(MaxHeldRuns) + " held: the oldest was replaced");
            notes.push_back(std::move(legend));
        }
        // The measured points say in which unit their file was read.
        if (chart == ChartCV && !measuredUnit_.empty()) {
            TChartNote label;
            label.place = TChartNote::Place::BestCorner;
            label.lines = {"measured: C in " + measuredUnit_};
            label.color = MeasuredColor;
            notes.push_back(std::move(label));
        }
        if (!(notes.empty() && chart->Notes().empty())) chart->SetNotes(std::move(notes));
    }
}

}  // namespace cvcalc
