// A measured C-V file as an instrument writes it (a 1 mm² diode of
// Neff = 5e15 cm^-3 and Vbi = 0.7 V from -10 to 0.5 V), written once into
// the temporary directory and removed with the object; `noise` is the
// meter's relative scatter, spread evenly and repeatably.
#pragma once

#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace cvcalc::bench {

class MeasuredFile {
public:
    explicit MeasuredFile(int rows, double noise = 0)
        : path_((std::filesystem::temp_directory_path() /
                 ("cvcalc-bench-" + std::to_string(::getpid()) + "-" + std::to_string(rows) + ".csv"))
                    .string()) {
        std::ofstream out(path_, std::ios::binary);
        out << "# bench diode\nV,C (pF)\n";
        char row[64];
        unsigned state = 12345;
        for (int i = 0; i < rows; ++i) {
            const double v = -10 + i * (10.5 / rows);
            state = state * 1103515245u + 12345u;
            const double scatter = 1 + noise * ((double(state >> 8 & 0xFFFF) / 65535.0) * 2 - 1);
            std::snprintf(row, sizeof row, "%.6f,%.6g\n", v, DiodePicofarads(v) * scatter);
            out << row;
        }
    }
    ~MeasuredFile() { std::filesystem::remove(path_); }
    MeasuredFile(const MeasuredFile&) = delete;
    MeasuredFile& operator=(const MeasuredFile&) = delete;
    const std::string& Path() const { return path_; }

    static double DiodePicofarads(double v) { return 245.9 * std::sqrt(0.7 / (0.7 - v)); }

private:
    std::string path_;
};

}  // namespace cvcalc::bench
