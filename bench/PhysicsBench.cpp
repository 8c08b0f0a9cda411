// The junction physics of one calculation run.
#include <benchmark/benchmark.h>

#include "physics/Junction.h"

namespace {

// One whole solve at the window's default inputs, into a result reused from
// run to run as the calculator window keeps it.
void BM_SolveJunction(benchmark::State& state) {
    const cvcalc::MaterialConstants constants;
    const cvcalc::JunctionInputs inputs{1e15, 1e15, 1, -10};
    cvcalc::JunctionResult result;
    for (auto _ : state) {
        cvcalc::SolveJunction(constants, inputs, result);
        benchmark::DoNotOptimize(result.PotentialCurve.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_SolveJunction);

// The same into a fresh result each time, allocations included.
void BM_SolveJunctionFreshResult(benchmark::State& state) {
    const cvcalc::MaterialConstants constants;
    const cvcalc::JunctionInputs inputs{1e15, 1e15, 1, -10};
    for (auto _ : state) {
        cvcalc::JunctionResult result;
        cvcalc::SolveJunction(constants, inputs, result);
        benchmark::DoNotOptimize(result.PotentialCurve.data());
    }
}
BENCHMARK(BM_SolveJunctionFreshResult);

}  // namespace
