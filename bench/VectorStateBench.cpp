// What the upper halves of the vector registers cost our own code once Qt's
// has run: std::to_chars of a double after the application object is
// created (run it alone, --benchmark_filter=ToChars, so that it is the first
// to create it), and with the state made dirty on purpose, left so or
// cleared.
#include <benchmark/benchmark.h>

#include <charconv>

#include "platform/core/VectorState.h"
#include "platform/gui/GuiPlatform.h"

namespace {

void ToChars(benchmark::State& state) {
    char buffer[32];
    double value = 0.1234567890123;
    for (auto _ : state) {
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
        benchmark::DoNotOptimize(result.ptr);
        value += 1e-7;
    }
}

#if defined(__x86_64__)
// Any 256-bit instruction leaves the upper halves in use; the compiler adds
// no vzeroupper after an asm statement.
void DirtyUpperState() {
    __builtin_cpu_init();
    if (__builtin_cpu_supports("avx")) asm volatile("vxorps %%ymm8, %%ymm8, %%ymm8" ::: "xmm8");
}
#else
void DirtyUpperState() {}
#endif

void BM_ToCharsAfterApplication(benchmark::State& state) {
    cvcalc::InitPlatform();
    ToChars(state);
}
BENCHMARK(BM_ToCharsAfterApplication);

void BM_ToCharsUpperStateDirty(benchmark::State& state) {
    DirtyUpperState();
    ToChars(state);
}
BENCHMARK(BM_ToCharsUpperStateDirty);

void BM_ToCharsUpperStateCleared(benchmark::State& state) {
    DirtyUpperState();
    cvcalc::ClearUpperVectorState();
    ToChars(state);
}
BENCHMARK(BM_ToCharsUpperStateCleared);

}  // namespace
