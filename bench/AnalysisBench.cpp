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

namespace {

constexpr int Rows = 100'000;

// C in pF of a 1 mm² diode of Neff = 5e15 cm^-3 and Vbi = 0.7 V.
double DiodePicofarads(double v) { return 245.9 * std::sqrt(0.7 / (0.7 - v)); }

// A file of 10^5 rows as an instrument writes them, written once.
class MeasuredFile {
public:
    MeasuredFile()
        : path_((std::filesystem::temp_directory_path() / ("cvcalc-bench-" + std::to_string(::getpid()) + ".csv"))
                    .string()) {
        std::ofstream out(path_, std::ios::binary);
        out << "# bench diode\nV,C (pF)\n";
        char row[64];
        for (int i = 0; i < Rows; ++i) {
            const double v = -10 + i * (10.5 / Rows);
            std::snprintf(row, sizeof row, "%.6f,%.6g\n", v, DiodePicofarads(v));
            out << row;
        }
    }
    ~MeasuredFile() { std::filesystem::remove(path_); }
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

void BM_ImportMeasured100k(benchmark::State& state) {
    const MeasuredFile file;
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
        const double c = DiodePicofarads(v) * 1e-12;
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
