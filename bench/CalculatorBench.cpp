// The calculator window's road from the click to the pixels: the run alone
// at the default inputs, and the run followed by the repaint of all five
// charts into their bitmaps at their design sizes.
#include <benchmark/benchmark.h>

#include <memory>

#include "app/ProgramWindows.h"
#include "calculator/Pnjunction.h"
#include "chart/CustomChart.h"
#include "framework/Button.h"
#include "platform/gui/ComponentRegistry.h"
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

}  // namespace
}  // namespace cvcalc
