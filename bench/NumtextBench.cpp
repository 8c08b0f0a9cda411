// Number conversions on the paths the calculator and the chart labels take.
#include <benchmark/benchmark.h>

#include <string>

#include "numtext/FloatFormat.h"
#include "numtext/FloatParse.h"
#include "numtext/FloatPattern.h"

namespace {

void BM_ParseFloat(benchmark::State& state) {
    const std::string text = "1E15";
    for (auto _ : state) benchmark::DoNotOptimize(cvcalc::ParseFloat(text));
}
BENCHMARK(BM_ParseFloat);

void BM_ParseFloatLong(benchmark::State& state) {
    const std::string text = "1.2345678901234567890123e-300";
    for (auto _ : state) benchmark::DoNotOptimize(cvcalc::ParseFloat(text));
}
BENCHMARK(BM_ParseFloatLong);

void BM_FloatToGeneralText(benchmark::State& state) {
    long double value = 0.591500631809546L;
    for (auto _ : state) {
        benchmark::DoNotOptimize(value);
        benchmark::DoNotOptimize(cvcalc::FloatToGeneralText(value));
    }
}
BENCHMARK(BM_FloatToGeneralText);

void BM_FormatFloatPattern(benchmark::State& state) {
    long double value = 1234.5678L;
    for (auto _ : state) {
        benchmark::DoNotOptimize(value);
        benchmark::DoNotOptimize(cvcalc::FormatFloatPattern("#,##0.0##", value));
    }
}
BENCHMARK(BM_FormatFloatPattern);

}  // namespace
