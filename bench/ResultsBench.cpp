// Results out of the program after a default run: one chart as an SVG
// document (drawn by its own painting code) and as CSV, for each chart.
#include <benchmark/benchmark.h>

#include <memory>

#include "app/ProgramWindows.h"
#include "calculator/Pnjunction.h"
#include "chart/CustomChart.h"
#include "framework/Button.h"
#include "platform/gui/ComponentRegistry.h"
#include "results/ChartExport.h"
#include "shell/app/Application.h"

namespace cvcalc {
namespace {

// Both windows and one default run, its charts drawn once.
struct DefaultRun {
    DefaultRun() {
        ComponentModelInitialize();
        application = std::make_unique<TApplication>();
        CreateProgramWindows(*application);
        FormPNJunction->ButtonCalcuationCVClick(FormPNJunction->ButtonCalcuationCV);
        for (TChart* chart : FormPNJunction->ReportCharts()) chart->PaintToBitmap();
    }
    ~DefaultRun() {
        application.reset();
        ComponentModelShutdown();
    }
    TChart* Chart(int index) const { return FormPNJunction->ReportCharts().at(std::size_t(index)); }
    std::unique_ptr<TApplication> application;
};

// Arguments: the chart's place in the report order (0 energy bands ..
// 4 1/C²-V).
void BM_ExportChartSvg(benchmark::State& state) {
    DefaultRun run;
    TChart* chart = run.Chart(int(state.range(0)));
    state.SetLabel(chart->Name());
    for (auto _ : state) benchmark::DoNotOptimize(ChartSvg(*chart));
}
BENCHMARK(BM_ExportChartSvg)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);

void BM_ExportCsv(benchmark::State& state) {
    DefaultRun run;
    TChart* chart = run.Chart(int(state.range(0)));
    state.SetLabel(chart->Name());
    for (auto _ : state) benchmark::DoNotOptimize(ChartCsv(*chart, FormPNJunction->LastRun()));
}
BENCHMARK(BM_ExportCsv)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace cvcalc
