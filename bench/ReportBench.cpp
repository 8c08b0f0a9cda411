// The run report after a default run: the whole PDF with its five vector
// charts, and the browser's page with the charts as inline SVG.  In-process;
// the driver's `report PATH` adds the process around it.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <memory>
#include <vector>

#include "app/ProgramWindows.h"
#include "calculator/Pnjunction.h"
#include "chart/CustomChart.h"
#include "framework/Button.h"
#include "framework/Label.h"
#include "physics/Junction.h"
#include "platform/gui/ComponentRegistry.h"
#include "results/RunReport.h"
#include "shell/app/Application.h"

namespace cvcalc {
namespace {

// Resident set size in bytes, from /proc.
double ResidentBytes() {
    long pages = 0, resident = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
        std::fclose(f);
    }
    return double(resident) * double(sysconf(_SC_PAGESIZE));
}

// Both windows after a run at the default inputs, and that run's record.
struct ReportSetting {
    ReportSetting() {
        ComponentModelInitialize();
        application = std::make_unique<TApplication>();
        CreateProgramWindows(*application);
        TFormPNJunction& form = *FormPNJunction;
        form.ButtonCalcuationCVClick(form.ButtonCalcuationCV);
        charts = {form.ChartEnergyBand, form.ChartChargeDensity, form.ChartVoltage, form.ChartCV, form.ChartC2V};

        run.typed = {"1E15", "1E15", "1", "-10"};
        run.used = JunctionInputs{1e15, 1e15, 1, -10};
        run.usedText = run.typed;
        JunctionResult result;
        SolveJunction(run.constants, run.used, result);
        run.diffusionPotentialText = form.LabelDiffusionPotential->Caption();
        RecordJunctionNumbers(run, result, ComputeMaximumBias(result.DiffusionPotential));
    }
    ~ReportSetting() {
        application.reset();
        ComponentModelShutdown();
    }
    std::unique_ptr<TApplication> application;
    std::vector<TCustomChart*> charts;
    RunRecord run;
};

// The whole PDF with five vector charts; the resident growth counts from
// the windows' start-up to after the last document.
void BM_ReportPdfInProcess(benchmark::State& state) {
    ReportSetting setting;
    const double before = ResidentBytes();
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::string pdf = RunReportPdf(setting.run, setting.charts);
        bytes = pdf.size();
        benchmark::DoNotOptimize(pdf.data());
    }
    state.counters["pdf_kB"] = double(bytes) / 1e3;
    state.counters["rss_growth_MB"] = (ResidentBytes() - before) / 1e6;
}
BENCHMARK(BM_ReportPdfInProcess)->Unit(benchmark::kMillisecond)->UseRealTime();

// The browser's page with the five charts as inline SVG.
void BM_ReportPage(benchmark::State& state) {
    ReportSetting setting;
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::string page = RunReportPage(setting.run, setting.charts);
        bytes = page.size();
        benchmark::DoNotOptimize(page.data());
    }
    state.counters["page_kB"] = double(bytes) / 1e3;
}
BENCHMARK(BM_ReportPage)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace cvcalc
