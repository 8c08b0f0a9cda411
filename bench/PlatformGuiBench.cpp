// Cost of the platform's drawing paths that the charts depend on: the block
// copy of a chart's bitmap to its window and a long polyline into a bitmap.
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "platform/gui/OffscreenBitmap.h"
#include "platform/gui/Surface.h"

namespace {
using namespace cvcalc;

// The C-V chart's size; its copy to the window is the whole cost of an
// unchanged repaint.
constexpr int ChartWidth = 400;
constexpr int ChartHeight = 361;

void BM_CopyChartBitmap(benchmark::State& state) {
    TOffscreenBitmap chart(ChartWidth, ChartHeight);
    chart.Surface().SetBrush({0x336699, NativeBrushStyle::Solid});
    chart.Surface().FillRect({0, 0, ChartWidth, ChartHeight});
    TOffscreenBitmap window(ChartWidth, ChartHeight);
    TSurface& target = window.Surface();
    for (auto _ : state) {
        target.DrawBitmap(0, 0, chart);
        benchmark::DoNotOptimize(window.Pixel(0, 0));
    }
}
BENCHMARK(BM_CopyChartBitmap)->Unit(benchmark::kMicrosecond);

void BM_Polyline2000(benchmark::State& state) {
    TOffscreenBitmap chart(ChartWidth, ChartHeight);
    TSurface& s = chart.Surface();
    std::vector<PixelPoint> points;
    for (int i = 0; i < 2000; ++i) {
        const double x = 13 + 374.0 * i / 1999;
        points.push_back({static_cast<int>(x), static_cast<int>(180 + 150 * std::sin(i * 0.01))});
    }
    NativePen pen;
    pen.color = 0x0000FF;
    pen.width = static_cast<int>(state.range(0));
    pen.geometric = pen.width > 1;
    s.SetPen(pen);
    for (auto _ : state) {
        s.Polyline(points);
        benchmark::DoNotOptimize(chart.Pixel(200, 180));
    }
}
BENCHMARK(BM_Polyline2000)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);
}  // namespace
