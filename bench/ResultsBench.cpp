// Results out of the program after a default run: one chart as an SVG
// document (drawn by its own painting code) and as CSV, for each chart, and
// everything at once into a folder.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>

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

// The C-V chart with eight runs held, its legend and their overlays.
void BM_ExportChartSvgEightHeld(benchmark::State& state) {
    DefaultRun run;
    for (int i = 0; i < TFormPNJunction::MaxHeldRuns; ++i) FormPNJunction->HoldCurves();
    TChart* chart = FormPNJunction->ChartCV;
    for (auto _ : state) benchmark::DoNotOptimize(ChartSvg(*chart));
}
BENCHMARK(BM_ExportChartSvgEightHeld)->Unit(benchmark::kMillisecond);

void BM_ExportCsv(benchmark::State& state) {
    DefaultRun run;
    TChart* chart = run.Chart(int(state.range(0)));
    state.SetLabel(chart->Name());
    for (auto _ : state) benchmark::DoNotOptimize(FormPNJunction->ChartData(chart));
}
BENCHMARK(BM_ExportCsv)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);

// Every file of one run: five charts in four formats, the report as PDF and
// HTML and the README, each written to disk (replacing the last
// iteration's, as a second export into the same folder does).
void BM_ExportAll(benchmark::State& state) {
    DefaultRun run;
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("cvcalc-bench-all-" + std::to_string(getpid()));
    for (auto _ : state) FormPNJunction->ExportEverything(folder.string());
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_ExportAll)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace cvcalc
