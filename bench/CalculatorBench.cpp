// The calculator window's road from the click to the pixels: the run alone
// at the default inputs, and the run followed by the repaint of all five
// charts into their bitmaps at their design sizes.
#include <benchmark/benchmark.h>

#include <memory>

#include "app/ProgramWindows.h"
#include "bench/MeasuredFile.h"
#include "calculator/Pnjunction.h"
#include "chart/CustomChart.h"
#include "framework/Button.h"
#include "platform/gui/ComponentRegistry.h"
#include "platform/gui/InputInjection.h"
#include "shell/app/Application.h"

namespace cvcalc {
namespace {

// One application with both windows, as the program has them.
struct ProgramWindows {
    ProgramWindows() {
        ComponentModelInitialize();
        application = std::make_unique<TApplication>();
        CreateProgramWindows(*application);
    }
    ~ProgramWindows() {
        application.reset();
        ComponentModelShutdown();
    }
    std::unique_ptr<TApplication> application;
};

void BM_CalculationRun(benchmark::State& state) {
    ProgramWindows windows;
    TFormPNJunction& form = *FormPNJunction;
    for (auto _ : state) {
        form.ButtonCalcuationCVClick(form.ButtonCalcuationCV);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_CalculationRun)->Unit(benchmark::kMicrosecond);

void BM_ClickToPixels(benchmark::State& state) {
    ProgramWindows windows;
    TFormPNJunction& form = *FormPNJunction;
    TChart* charts[] = {form.ChartEnergyBand, form.ChartChargeDensity, form.ChartVoltage, form.ChartCV, form.ChartC2V};
    for (auto _ : state) {
        form.ButtonCalcuationCVClick(form.ButtonCalcuationCV);
        for (TChart* chart : charts) chart->PaintToBitmap();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ClickToPixels)->Unit(benchmark::kMicrosecond);

// The same with eight earlier runs held on the charts.
void BM_ClickToPixelsEightHeld(benchmark::State& state) {
    ProgramWindows windows;
    TFormPNJunction& form = *FormPNJunction;
    form.ButtonCalcuationCVClick(form.ButtonCalcuationCV);
    for (int i = 0; i < TFormPNJunction::MaxHeldRuns; ++i) form.HoldCurves();
    for (auto _ : state) {
        form.ButtonCalcuationCVClick(form.ButtonCalcuationCV);
        for (TChart* chart : form.ReportCharts()) chart->PaintToBitmap();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ClickToPixelsEightHeld)->Unit(benchmark::kMicrosecond);

// A wheel notch (argument 0) or a short pan (1) on the C-V (range(0)) or
// 1/C² chart with measured points loaded, and the chart's repaint; notches
// and pans go back and forth so the view stays where it is.
void RepaintMeasured(benchmark::State& state, int rows) {
    const bench::MeasuredFile file(rows, 0.005);
    ProgramWindows windows;
    TFormPNJunction& form = *FormPNJunction;
    form.Show();
    form.ButtonCalcuationCVClick(form.ButtonCalcuationCV);
    form.LoadMeasuredData(file.Path());
    TChart* chart = state.range(0) == 0 ? form.ChartCV : form.ChartC2V;
    chart->PaintToBitmap();
    const int x = chart->Width() / 2, y = chart->Height() / 2;
    int sign = 1;
    for (auto _ : state) {
        if (state.range(1) == 0)
            InjectWheel(chart->Handle(), x, y, 120 * sign);
        else
            InjectDrag(chart->Handle(), x, y, x + 10 * sign, y + 10 * sign, MouseButton::Right);
        chart->PaintToBitmap();
        sign = -sign;
        benchmark::ClobberMemory();
    }
}

void BM_RepaintMeasured100k(benchmark::State& state) { RepaintMeasured(state, 100'000); }
BENCHMARK(BM_RepaintMeasured100k)->ArgsProduct({{0, 1}, {0, 1}})->Unit(benchmark::kMillisecond);

void BM_RepaintMeasured1M(benchmark::State& state) { RepaintMeasured(state, 1'000'000); }
BENCHMARK(BM_RepaintMeasured1M)->ArgsProduct({{0, 1}, {0, 1}})->Unit(benchmark::kMillisecond);

// Import of a million-row file to the first paint of both measured charts:
// reading, the two series, the results and the two paints.
void BM_ImportToFirstPaint1M(benchmark::State& state) {
    const bench::MeasuredFile file(1'000'000, 0.005);
    ProgramWindows windows;
    TFormPNJunction& form = *FormPNJunction;
    form.Show();
    form.ButtonCalcuationCVClick(form.ButtonCalcuationCV);
    for (auto _ : state) {
        form.LoadMeasuredData(file.Path());
        form.ChartCV->PaintToBitmap();
        form.ChartC2V->PaintToBitmap();
        benchmark::ClobberMemory();
        state.PauseTiming();
        form.ClearMeasuredData();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ImportToFirstPaint1M)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace cvcalc
