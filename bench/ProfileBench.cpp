// The doping profile and the grading fit at 10^4 points: a dense measured
// sweep of a 1 mm² abrupt diode, Neff = 5e15 cm^-3, Vbi = 0.7 V.
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "analysis/DopingProfile.h"
#include "analysis/GradingFit.h"

namespace {

constexpr int Points = 10'000;

struct DenseSweep {
    std::vector<double> voltages, capacitances, inverseSquares;
    DenseSweep() {
        for (int i = 0; i < Points; ++i) {
            const double v = -10 + i * (10.5 / Points);
            const double c = 245.9e-12 * std::sqrt(0.7 / (0.7 - v));
            voltages.push_back(v);
            capacitances.push_back(c);
            inverseSquares.push_back(1 / (c * c));
        }
    }
};

void BM_Profile10k(benchmark::State& state) {
    const DenseSweep sweep;
    const cvcalc::MaterialConstants constants;
    for (auto _ : state) {
        const cvcalc::DopingProfile profile =
            cvcalc::ComputeDopingProfile(sweep.voltages, sweep.inverseSquares, -10, 0.5, 5, 1e-6, constants);
        benchmark::DoNotOptimize(profile.Points.data());
    }
}
BENCHMARK(BM_Profile10k)->Unit(benchmark::kMicrosecond);

void BM_GradingFit10k(benchmark::State& state) {
    const DenseSweep sweep;
    for (auto _ : state) {
        const cvcalc::GradingFit fit = cvcalc::FitGradingExponent(sweep.voltages, sweep.capacitances, -10, 0.5);
        benchmark::DoNotOptimize(fit.M);
    }
}
BENCHMARK(BM_GradingFit10k)->Unit(benchmark::kMicrosecond);

}  // namespace
