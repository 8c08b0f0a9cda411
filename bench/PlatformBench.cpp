// Cost of the platform base the hot paths touch: a checked float region.
#include <benchmark/benchmark.h>

#include "platform/core/FloatControl.h"

namespace {
void BM_RunFloatChecked(benchmark::State& state) {
    double x = 0.5915;
    for (auto _ : state) {
        x = cvcalc::RunFloatChecked([x] { return x * 1.0000001; });
        benchmark::DoNotOptimize(x);
    }
}
BENCHMARK(BM_RunFloatChecked);
}  // namespace
