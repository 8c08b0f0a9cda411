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

// Halfway to white: the held curve is the same hue, lighter.
TColor Tint(TColor color) {
    const unsigned r = color & 0xFFu, g = (color >> 8) & 0xFFu, b = (color >> 16) & 0xFFu;
    return TColor(((r + 255) / 2) | (((g + 255) / 2) << 8) | (((b + 255) / 2) << 16));
}

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
    ++heldNumber_;
    THeldRun run;
    run.tag = RunInputsLine(run_);
    try {
        for (const TRunSeries& row : RunSeries) {
            TChart* chart = this->*row.Chart;
            const auto& source = static_cast<const TCustomSeries&>(*chart->SeriesAt(row.Index));
            TCustomSeries* overlay = Overlay(this, source);
            run.series.push_back(overlay);
            if (run.series.size() == 1) run.tagColor = source.SeriesColor();
            overlay->SetName("Held" + std::to_string(heldNumber_) + row.Name);
            overlay->SetParentChart(chart);
        }
    } catch (...) {
        // Half a held run is none: the charts stay as they were.
        RemoveHeldRun(run);
        throw;
    }
    // The oldest goes only once the new one is complete.
    if (HeldRunCount() == MaxHeldRuns) {
        RemoveHeldRun(held_.front());
        held_.erase(held_.begin());
    }
    held_.push_back(std::move(run));
    UpdateChartNotes();
    ResultsChanged();
}

void TFormPNJunction::RemoveHeldRun(THeldRun& run) {
    for (TChartSeries* series : run.series) delete series;
    run.series.clear();
}

void TFormPNJunction::ClearHeldCurves() {
    for (THeldRun& run : held_) RemoveHeldRun(run);
    held_.clear();
    UpdateChartNotes();
    ResultsChanged();
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
    // The measured points say in which unit their file was read.
    if (!measuredUnit_.empty()) {
        TChartNote label;
        label.place = TChartNote::Place::TopRightBox;
        label.lines = {"measured: C in " + measuredUnit_};
        label.color = MeasuredColor;
        tags.push_back(std::move(label));
    }
    if (!(tags.empty() && ChartCV->Notes().empty())) ChartCV->SetNotes(std::move(tags));
}

}  // namespace cvcalc
