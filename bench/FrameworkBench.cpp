// Building a window of about fifty controls from its description, and
// painting it once into a bitmap.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "bench/FiftyControlsForm.h"
#include "framework/Bitmap.h"
#include "framework/Form.h"
#include "framework/FrameworkClasses.h"
#include "shell/core/MemoryStream.h"
#include "shell/core/Reader.h"

namespace {

using cvcalc::bench::FiftyControls;

void BM_BuildAndPaintFiftyControls(benchmark::State& state) {
    cvcalc::RegisterFrameworkClasses();
    const std::vector<unsigned char> bytes = FiftyControls();
    cvcalc::TBitmap bitmap(1080, 713);
    for (auto _ : state) {
        cvcalc::TForm form(nullptr);
        cvcalc::TMemoryStream stream(bytes);
        cvcalc::TReader reader(stream);
        reader.ReadRoot(&form);
        form.PaintTo(bitmap.Canvas(), 0, 0);
        benchmark::DoNotOptimize(bitmap.Pixel(100, 100));
    }
}
BENCHMARK(BM_BuildAndPaintFiftyControls)->Unit(benchmark::kMillisecond);

void BM_PaintFiftyControls(benchmark::State& state) {
    cvcalc::RegisterFrameworkClasses();
    const std::vector<unsigned char> bytes = FiftyControls();
    cvcalc::TForm form(nullptr);
    cvcalc::TMemoryStream stream(bytes);
    cvcalc::TReader reader(stream);
    reader.ReadRoot(&form);
    cvcalc::TBitmap bitmap(1080, 713);
    for (auto _ : state) {
        form.PaintTo(bitmap.Canvas(), 0, 0);
        benchmark::DoNotOptimize(bitmap.Pixel(100, 100));
    }
}
BENCHMARK(BM_PaintFiftyControls)->Unit(benchmark::kMillisecond);

}  // namespace
