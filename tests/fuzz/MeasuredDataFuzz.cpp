// Fuzzes the measured C-V reader: any bytes either give a whole curve that
// keeps the reader's promises or raise EMeasuredData, nothing else.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "analysis/MeasuredData.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        const cvcalc::MeasuredCurve curve = cvcalc::ParseMeasuredCurve(text, "fuzz.csv");
        const auto& v = curve.Voltages;
        const auto& c = curve.Capacitances;
        if (v.empty() || v.size() != c.size() || v.size() > cvcalc::MaxMeasuredRows) std::abort();
        if (!std::is_sorted(v.begin(), v.end())) std::abort();
        const std::vector<double> inverseSquares = cvcalc::InverseSquares(curve);
        for (std::size_t i = 0; i < v.size(); ++i) {
            const double picofarads = c[i] * 1e12;
            if (!std::isfinite(v[i]) || !(picofarads >= cvcalc::MinChartPicofarads) ||
                !(picofarads <= cvcalc::MaxChartPicofarads) || !std::isfinite(inverseSquares[i]))
                std::abort();
        }
    } catch (const cvcalc::EMeasuredData& e) {
        if (e.Message().empty()) std::abort();
    }
    return 0;
}
