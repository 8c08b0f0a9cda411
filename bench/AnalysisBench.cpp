// Reading a measured C-V file and fitting its 1/C² line, at 10^5 points.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "analysis/LineFit.h"
#include "analysis/MeasuredData.h"
#include "bench/MeasuredFile.h"

namespace {

constexpr int Rows = 100'000;

void BM_ImportMeasured100k(benchmark::State& state) {
    const cvcalc::bench::MeasuredFile file(Rows);
    for (auto _ : state) {
        const cvcalc::MeasuredCurve curve = cvcalc::ReadMeasuredCurve(file.Path());
        benchmark::DoNotOptimize(curve.Capacitances.data());
    }
}
BENCHMARK(BM_ImportMeasured100k)->Unit(benchmark::kMillisecond);

void BM_Fit100k(benchmark::State& state) {
    std::vector<double> voltages;
    std::vector<double> inverseSquares;
    for (int i = 0; i < Rows; ++i) {
        const double v = -10 + i * (10.5 / Rows);
        const double c = cvcalc::bench::MeasuredFile::DiodePicofarads(v) * 1e-12;
        voltages.push_back(v);
        inverseSquares.push_back(1 / c / c);
    }
    const cvcalc::MaterialConstants constants;
    for (auto _ : state) {
        const cvcalc::LineFit fit = cvcalc::FitInverseSquareLine(voltages, inverseSquares, -10, 0.5, 1e-6, constants);
        benchmark::DoNotOptimize(fit.Neff);
    }
}
BENCHMARK(BM_Fit100k)->Unit(benchmark::kMicrosecond);

}  // namespace
