// The chart engine's model: appending points and the axis work of a paint.
#include <benchmark/benchmark.h>

#include <cmath>

#include "chart/ChartAxis.h"
#include "chart/CustomAxisPanel.h"
#include "chart/CustomChart.h"
#include "chart/CustomSeries.h"
#include "framework/Bitmap.h"

namespace {

// Measures like a fixed-pitch face, so that the axis work is timed alone.
class BenchMetrics : public cvcalc::TAxisTextMetrics {
public:
    int TextWidth(const cvcalc::TChartFont&, const std::string& text) const override {
        return 6 * static_cast<int>(text.size());
    }
    int TextHeight(const cvcalc::TChartFont&, const std::string&) const override { return 12; }
};

// A calculation run's refill of the largest series: clear, then 6000
// appends in increasing x, each one invalidating the chart.
void BM_AddPoint6000(benchmark::State& state) {
    cvcalc::TCustomAxisPanel chart(nullptr);
    auto* series = new cvcalc::TLineSeries(nullptr);
    series->SetParentChart(&chart);
    for (auto _ : state) {
        series->ClearPoints();
        for (int i = 0; i < 6000; ++i) series->AddPoint(i * 0.001, i * 0.5);
        benchmark::DoNotOptimize(series->PointCount());
    }
}
BENCHMARK(BM_AddPoint6000);

// The axis part of one full repaint of ChartCV (400 × 361, a 2000-point
// curve and a marker): ranges, room, steps, label values and texts, and the
// pixel of every point.
void BM_ChartAxisLayout2000(benchmark::State& state) {
    cvcalc::TCustomAxisPanel chart(nullptr);
    chart.BottomAxis()->SetMinMax(-11, 2);
    chart.LeftAxis()->SetAutomaticMinimum(false);
    auto* curve = new cvcalc::TLineSeries(nullptr);
    curve->SetParentChart(&chart);
    for (int i = 0; i < 2000; ++i) curve->AddPoint(-11 + i * 0.0065, 20 + i * 0.06);
    auto* marker = new cvcalc::TPointSeries(nullptr);
    marker->SetParentChart(&chart);
    marker->AddPoint(-1, 80);
    BenchMetrics metrics;
    for (auto _ : state) {
        chart.LayoutAxes(metrics, chart.PlotRectFromMargins(400, 361));
        for (cvcalc::TChartAxis* axis : {chart.BottomAxis(), chart.LeftAxis()})
            benchmark::DoNotOptimize(axis->LabelValues(axis->CalcLabelStep(metrics)).size());
        long sum = 0;
        for (int i = 0; i < curve->PointCount(); ++i)
            sum += chart.BottomAxis()->ValueToPixel(curve->XValues()->Value(i)) +
                   chart.LeftAxis()->ValueToPixel(curve->YValues()->Value(i));
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_ChartAxisLayout2000);

}  // namespace

namespace {

// One chart of 400 × 361 with a 2000-point line, drawn the way a paint
// after a calculation run draws it.
struct RepaintChart {
    cvcalc::TChart chart{nullptr};
    RepaintChart() {
        chart.SetBounds(0, 0, 400, 361);
        auto* series = new cvcalc::TLineSeries(nullptr);
        series->SetParentChart(&chart);
        for (int i = 0; i < 2000; ++i) series->AddPoint(i * 0.01, std::sin(i * 0.01));
        chart.PaintToBitmap();
    }
};

void BM_ChartRepaint2000(benchmark::State& state) {
    RepaintChart c;
    for (auto _ : state) {
        c.chart.ChartInvalidate();
        c.chart.PaintToBitmap();
        benchmark::DoNotOptimize(c.chart.Bitmap().Width());
    }
}
BENCHMARK(BM_ChartRepaint2000);

// A repaint without a change: the bitmap is copied into the window's
// canvas (here another bitmap of the same size).
void BM_ChartCopyUnchanged(benchmark::State& state) {
    RepaintChart c;
    cvcalc::TBitmap target(400, 361);
    for (auto _ : state) {
        c.chart.Paint(target.Canvas());
        benchmark::DoNotOptimize(target.Width());
    }
}
BENCHMARK(BM_ChartCopyUnchanged);

}  // namespace
